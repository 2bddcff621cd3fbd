#include "ScreenPixels.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace ScreenPixels {

namespace {

QRect scaled(const QRect& rect, const QPoint& origin, double factor)
{
    const auto scale = [factor](int v) { return static_cast<int>(std::lround(v * factor)); };
    const QPoint offset = rect.topLeft() - origin;
    return QRect(origin.x() + scale(offset.x()), origin.y() + scale(offset.y()), scale(rect.width()),
                 scale(rect.height()));
}

} // namespace

QRect toNative(const QRect& logical, const QScreen* screen)
{
    return scaled(logical, screen->geometry().topLeft(), screen->devicePixelRatio());
}

QRect fromNative(const QRect& native, const QScreen* screen)
{
    return scaled(native, screen->geometry().topLeft(), 1.0 / screen->devicePixelRatio());
}

QList<QRect> nativeScreenGeometries()
{
    QList<QRect> result;
    for (const QScreen* screen : QGuiApplication::screens())
        result.append(toNative(screen->geometry(), screen));
    return result;
}

} // namespace ScreenPixels
