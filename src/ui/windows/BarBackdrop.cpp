#include "BarBackdrop.h"

#include "core/models/PanelAppearance.h"

#include <QPainter>
#include <QPainterPath>

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

void BarBackdrop::setCornerRadius(double radius)
{
    m_cornerRadius = radius > 0 ? radius : 0.0;
    update();
}

void BarBackdrop::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QColor color = fill();
    color.setAlphaF(static_cast<float>(color.alphaF() * m_opacity));
    if (m_translucentWindow) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(rect(), Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    } else {
        painter.fillRect(rect(), palette().color(QPalette::Window));
    }
    if (m_cornerRadius == 0.0) {
        painter.fillRect(rect(), color);
        return;
    }
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), m_cornerRadius, m_cornerRadius);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(shape, color);
}
