#include "BarBackdrop.h"

#include "core/models/PanelAppearance.h"

#include <QPainter>

#include <algorithm>

BarBackdrop::BarBackdrop(bool translucentWindow, QWidget* parent)
    : QWidget(parent), m_translucentWindow(translucentWindow)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BarBackdrop::setTint(const QString& tintHex, bool transparent)
{
    m_tintHex = tintHex;
    m_transparent = transparent;
    update();
}

void BarBackdrop::setOpacity(double opacity)
{
    m_opacity = std::clamp(opacity, 0.0, 1.0);
    update();
}

QColor BarBackdrop::fill() const
{
    return PanelAppearance::backdropFill(m_tintHex, m_transparent, palette().color(QPalette::Window));
}

void BarBackdrop::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QColor color = fill();
    color.setAlphaF(static_cast<float>(color.alphaF() * m_opacity));
    if (m_translucentWindow) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
    } else {
        painter.fillRect(rect(), palette().color(QPalette::Window));
    }
    painter.fillRect(rect(), color);
}
