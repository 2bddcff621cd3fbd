#include "HoverScale.h"

#include "HoverAnimation.h"
#include "HoverTracker.h"

#include <QPainter>
#include <QWidget>

#include <cmath>

namespace {

constexpr double pressedOpacity = 0.6;

} // namespace

HoverScale::HoverScale(QWidget* target, double hoverScale, Press press)
    : QObject(target),
      m_tracker(new HoverTracker(target)),
      m_hoverScale(std::isfinite(hoverScale) && hoverScale > 0 ? hoverScale : 1.0),
      m_press(press),
      m_animation(new HoverAnimation(this, [this, target](double scale) {
          m_scale = scale;
          target->update();
      }))
{
    connect(m_tracker, &HoverTracker::changed, this, &HoverScale::follow);
}

double HoverScale::opacity() const
{
    return m_press == Press::Dimmed && m_tracker->isPressed() ? pressedOpacity : 1.0;
}

void HoverScale::apply(QPainter& painter, const QRectF& bounds) const
{
    const QPointF centre = bounds.center();
    painter.translate(centre);
    painter.scale(m_scale, m_scale);
    painter.translate(-centre);
    painter.setOpacity(painter.opacity() * opacity());
}

void HoverScale::follow()
{
    static_cast<QWidget*>(parent())->update();
    m_animation->animateTo(m_scale, m_tracker->isHovered() ? m_hoverScale : 1.0);
}
