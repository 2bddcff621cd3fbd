#include "PanelPalette.h"

#include <QGuiApplication>

namespace {

QPalette makePalette(const QColor& window, const QColor& text, const QColor& base)
{
    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::Button, window);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Highlight, QColor(0x0a, 0x84, 0xff));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    return palette;
}

} // namespace

QPalette panelPalette(std::optional<Appearance> appearance)
{
    if (!appearance)
        return QGuiApplication::palette();
    if (*appearance == Appearance::Light)
        return makePalette(QColor(0xec, 0xec, 0xec), QColor(0x1d, 0x1d, 0x1f), Qt::white);
    return makePalette(QColor(0x2a, 0x2a, 0x2c), QColor(0xf5, 0xf5, 0xf7), QColor(0x1c, 0x1c, 0x1e));
}

QColor withAlpha(QColor color, double alpha)
{
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

QColor secondaryText(const QPalette& palette)
{
    return withAlpha(palette.color(QPalette::WindowText), 0.5);
}
