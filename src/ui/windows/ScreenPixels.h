#pragma once

#include <QList>
#include <QRect>

class QScreen;

// Logical Qt geometry to the window system's device pixels. Qt keeps each screen's origin and
// scales lengths within it by the screen's device pixel ratio.
namespace ScreenPixels {

QRect toNative(const QRect& logical, const QScreen* screen);
QRect fromNative(const QRect& native, const QScreen* screen);
QList<QRect> nativeScreenGeometries();

} // namespace ScreenPixels
