#include "ShowDesktopStrip.h"

#include <QLinearGradient>
#include <QPainter>

ShowDesktopStrip::ShowDesktopStrip(bool vertical, QWidget* parent) : QAbstractButton(parent), m_vertical(vertical)
{
    setToolTip(QStringLiteral("Show Desktop"));
    setFocusPolicy(Qt::NoFocus);
    setVertical(vertical);
}

void ShowDesktopStrip::setVertical(bool vertical)
{
    m_vertical = vertical;
    setSizePolicy(vertical ? QSizePolicy::Expanding : QSizePolicy::Fixed,
                  vertical ? QSizePolicy::Fixed : QSizePolicy::Expanding);
    update();
}

void ShowDesktopStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QColor fill(Qt::white);
    fill.setAlphaF(m_hovered ? 0.2f : 0.05f);
    painter.fillRect(rect(), fill);
    // A hairline along the inner edge, fading across the strip.
    const bool dark = palette().color(QPalette::Window).lightness() < 128;
    QColor line = dark ? QColor(Qt::white) : QColor(Qt::black);
    line.setAlphaF(0.35f);
    QColor clear = line;
    clear.setAlphaF(0);
    const QRectF hairline = m_vertical ? QRectF(0, 0, width(), 0.5) : QRectF(0, 0, 0.5, height());
    QLinearGradient gradient(hairline.topLeft(), m_vertical ? hairline.bottomLeft() : hairline.topRight());
    gradient.setColorAt(0, line);
    gradient.setColorAt(1, clear);
    painter.fillRect(hairline, gradient);
}

void ShowDesktopStrip::enterEvent(QEnterEvent*)
{
    m_hovered = true;
    update();
}

void ShowDesktopStrip::leaveEvent(QEvent*)
{
    m_hovered = false;
    update();
}
