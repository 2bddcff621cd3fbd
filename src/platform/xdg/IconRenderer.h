#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

// Draws an icon file (PNG, XPM, SVG or any format Qt reads) into a square, keeping its aspect
// ratio and centring it on transparency. Uses only classes that are safe on worker threads.
class IconRenderer {
public:
    static constexpr int defaultSize = 64;

    // A null image when the file cannot be read or the size is not positive.
    static QImage render(const QString& path, int size = defaultSize);
    // Nothing when the image is null or cannot be encoded.
    static std::optional<QByteArray> pngData(const QImage& image);

private:
    static QImage renderVector(const QString& path, int size);
    static QImage renderRaster(const QString& path, int size);
    static QImage transparentSquare(int size);
};
