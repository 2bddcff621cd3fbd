#include "IconRenderer.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

namespace {

QRectF centred(QSizeF content, int size)
{
    const QSizeF fitted = content.scaled(size, size, Qt::KeepAspectRatio);
    return QRectF(QPointF((size - fitted.width()) / 2, (size - fitted.height()) / 2), fitted);
}

} // namespace

QImage IconRenderer::render(const QString& path, int size)
{
    if (size <= 0)
        return {};
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"svg" || suffix == u"svgz")
        return renderVector(path, size);
    return renderRaster(path, size);
}

std::optional<QByteArray> IconRenderer::pngData(const QImage& image)
{
    if (image.isNull())
        return std::nullopt;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return std::nullopt;
    return bytes;
}

QImage IconRenderer::renderVector(const QString& path, int size)
{
    QSvgRenderer svg(path);
    if (!svg.isValid())
        return {};
    // An SVG without a size of its own fills the square.
    const QSizeF natural = svg.defaultSize().isEmpty() ? QSizeF(size, size) : QSizeF(svg.defaultSize());
    QImage image = transparentSquare(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter, centred(natural, size));
    return image;
}

QImage IconRenderer::renderRaster(const QString& path, int size)
{
    QImageReader reader(path);
    const QImage source = reader.read();
    if (source.isNull())
        return {};
    // scaled() averages when shrinking; a painter scaling a 512 px icon down would alias.
    const QImage fitted = source.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage image = transparentSquare(size);
    QPainter painter(&image);
    painter.drawImage(centred(fitted.size(), size).topLeft(), fitted);
    return image;
}

QImage IconRenderer::transparentSquare(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}
