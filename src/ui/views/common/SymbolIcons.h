#pragma once

#include <QColor>
#include <QPixmap>
#include <QSize>
#include <QString>

// The small pictures the bar draws ("app.dashed", "square.grid.2x2", "chevron.up" ...): the icon
// theme's symbolic icon where it has one, else Pellux's own drawing, tinted to `color`.
namespace SymbolIcons {

// The freedesktop icon name standing for a symbol; empty when Pellux always draws its own.
QString themeName(const QString& symbol);
QPixmap pixmap(const QString& symbol, const QSize& size, const QColor& color, qreal devicePixelRatio = 1.0);

} // namespace SymbolIcons
