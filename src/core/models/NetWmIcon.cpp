#include "NetWmIcon.h"

#include <cstring>

namespace NetWmIcon {

namespace {

// Where one valid image lies in the property.
struct Entry {
    qsizetype offset = 0;
    int width = 0;
    int height = 0;

    qint64 area() const { return qint64(width) * height; }
};

// Widths and heights are untrusted 32-bit values: their product is formed in 64 bits so that
// 65536 x 65536 cannot wrap to 0 and 0xFFFFFFFF squared cannot wrap to 1.
QList<Entry> entries(std::span<const quint32> property)
{
    QList<Entry> found;
    const quint64 size = property.size();
    quint64 at = 0;
    while (size - at >= 2) {
        const quint64 width = property[at];
        const quint64 height = property[at + 1];
        const quint64 pixels = width * height;
        at += 2;
        if (pixels > size - at)
            break;
        if (width >= 1 && width <= maxSide && height >= 1 && height <= maxSide)
            found.append({qsizetype(at), int(width), int(height)});
        at += pixels;
    }
    return found;
}

QImage toImage(std::span<const quint32> property, const Entry& entry)
{
    QImage image(entry.width, entry.height, QImage::Format_ARGB32);
    if (image.isNull())
        return image;
    const std::size_t rowBytes = std::size_t(entry.width) * sizeof(quint32);
    for (int y = 0; y < entry.height; ++y)
        std::memcpy(image.scanLine(y), property.data() + entry.offset + qsizetype(y) * entry.width, rowBytes);
    return image;
}

bool reaches(const Entry& entry, int pixelSize)
{
    return entry.width >= pixelSize && entry.height >= pixelSize;
}

} // namespace

QList<QImage> images(std::span<const quint32> property)
{
    QList<QImage> result;
    for (const Entry& entry : entries(property))
        result.append(toImage(property, entry));
    return result;
}

QImage bestImage(std::span<const quint32> property, int pixelSize)
{
    const QList<Entry> all = entries(property);
    if (all.isEmpty())
        return {};
    const Entry* best = nullptr;
    for (const Entry& entry : all)
        if (reaches(entry, pixelSize) && (!best || entry.area() < best->area()))
            best = &entry;
    if (!best)
        for (const Entry& entry : all)
            if (!best || entry.area() > best->area())
                best = &entry;
    return toImage(property, *best);
}

} // namespace NetWmIcon
