#pragma once

#include <QImage>
#include <QList>

#include <span>

// The _NET_WM_ICON property of a window: repeated entries of width, height and then
// width * height ARGB pixels (one CARDINAL each, alpha in the high byte, rows top to bottom).
// Other programs write it, so every entry is checked before a pixel is read. Images come back
// as QImage::Format_ARGB32: the property holds straight (not premultiplied) alpha, which that
// format stores bit for bit, so nothing is lost before the painter converts once.
namespace NetWmIcon {

// Entries with a side outside 1..maxSide are skipped; data that ends inside an entry ends the parse.
inline constexpr quint32 maxSide = 1024;

// Every valid image of the property, in property order.
QList<QImage> images(std::span<const quint32> property);

// The smallest image whose width and height both reach pixelSize, else the largest one;
// a null image when the property holds none.
QImage bestImage(std::span<const quint32> property, int pixelSize);

} // namespace NetWmIcon
