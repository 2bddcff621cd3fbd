#include "StartButton.h"

#include "ui/views/common/SymbolIcons.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int symbolSize = 20;
constexpr int spacing = 6;
constexpr int sidePadding = 10;

} // namespace

StartButton::StartButton(const QString& label, const QMargins& contentInsets, const BarEnvironment& env,
                         QWidget* parent)
    : QAbstractButton(parent), m_label(label), m_insets(contentInsets), m_env(env)
{
    setToolTip(QStringLiteral("Open menu"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    m_hoverAnimation.setDuration(100);
    m_hoverAnimation.setEasingCurve(QEasingCurve::OutCubic);
    connect(&m_hoverAnimation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_hoverAmount = value.toDouble();
        update();
    });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void StartButton::setLabel(const QString& label)
{
    if (label == m_label)
        return;
    m_label = label;
    updateGeometry();
    update();
}

void StartButton::setEnvironment(const BarEnvironment& env, const QMargins& contentInsets)
{
    m_env = env;
    m_insets = contentInsets;
    updateGeometry();
    update();
}

QSize StartButton::sizeHint() const
{
    const int labelWidth = m_label.isEmpty() ? 0 : spacing + fontMetrics().horizontalAdvance(m_label);
    return {sidePadding * 2 + symbolSize + labelWidth + m_insets.left() + m_insets.right(),
            symbolSize + m_insets.top() + m_insets.bottom()};
}

void StartButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (isDown())
        painter.setOpacity(0.6);
    if (m_hoverAmount > 0) {
        QPainterPath shape;
        if (m_env.highlightStyle == HighlightStyle::Mac)
            shape.addRoundedRect(QRectF(rect()), 6, 6);
        else
            shape.addRect(QRectF(rect()));
        QColor fill(Qt::white);
        fill.setAlphaF(static_cast<float>(0.08 * m_hoverAmount));
        painter.fillPath(shape, fill);
    }
    const QRect content = rect().marginsRemoved(m_insets);
    const int labelWidth = m_label.isEmpty() ? 0 : spacing + fontMetrics().horizontalAdvance(m_label);
    const int contentWidth = symbolSize + labelWidth;
    const QPoint symbolTopLeft(content.center().x() - contentWidth / 2 + 1, content.center().y() - symbolSize / 2 + 1);
    const QColor text = palette().color(QPalette::WindowText);
    painter.drawPixmap(symbolTopLeft, SymbolIcons::pixmap(QStringLiteral("square.grid.2x2"), {symbolSize, symbolSize},
                                                          text, devicePixelRatioF()));
    if (!m_label.isEmpty()) {
        painter.setPen(text);
        painter.drawText(QRect(symbolTopLeft.x() + symbolSize + spacing, content.top(), labelWidth, content.height()),
                         Qt::AlignVCenter | Qt::AlignLeft, m_label);
    }
}

void StartButton::enterEvent(QEnterEvent*)
{
    animateHover(1.0);
}

void StartButton::leaveEvent(QEvent*)
{
    animateHover(0.0);
}

void StartButton::animateHover(double to)
{
    m_hoverAnimation.stop();
    m_hoverAnimation.setStartValue(m_hoverAmount);
    m_hoverAnimation.setEndValue(to);
    m_hoverAnimation.start();
}
