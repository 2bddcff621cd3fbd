#include "HoverHighlight.h"

#include "HoverAnimation.h"
#include "HoverTracker.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr double cornerRadius = 5.0;

} // namespace

HoverHighlight::HoverHighlight(QWidget* target, Press press)
    : QWidget(target),
      m_tracker(new HoverTracker(target)),
      m_press(press),
      m_animation(new HoverAnimation(this, [this](double opacity) {
          m_opacity = opacity;
          update();
      }))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(target->rect());
    lower();
    target->installEventFilter(this);
    connect(m_tracker, &HoverTracker::changed, this, &HoverHighlight::follow);
}

void HoverHighlight::setSquare(bool square)
{
    m_square = square;
    update();
}

double HoverHighlight::targetOpacity(bool hovered, bool pressed)
{
    if (pressed)
        return 0.14;
    return hovered ? 0.08 : 0.0;
}

void HoverHighlight::paint(QPainter& painter, const QRectF& rect, const QColor& text, double opacity, bool square)
{
    if (opacity <= 0.0)
        return;
    QColor fill = text;
    fill.setAlphaF(static_cast<float>(fill.alphaF() * opacity));
    const double radius = square ? 0.0 : cornerRadius;
    QPainterPath shape;
    shape.addRoundedRect(rect, radius, radius);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(shape, fill);
    painter.restore();
}

bool HoverHighlight::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return false;
}

void HoverHighlight::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter, QRectF(rect()), palette().color(QPalette::WindowText), m_opacity, m_square);
}

void HoverHighlight::follow()
{
    const bool pressed = m_press == Press::Shown && m_tracker->isPressed();
    m_animation->animateTo(m_opacity, targetOpacity(m_tracker->isHovered(), pressed));
}
