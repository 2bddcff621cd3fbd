#include "HoverAnimation.h"

namespace {

constexpr int hoverMs = 100;

} // namespace

HoverAnimation::HoverAnimation(QObject* owner, std::function<void(double)> apply)
    : QObject(owner), m_apply(std::move(apply))
{
}

void HoverAnimation::animateTo(double from, double to)
{
    if (m_running)
        m_running->stop();
    if (from == to)
        return;
    auto* animation = new QVariantAnimation(this);
    animation->setStartValue(from);
    animation->setEndValue(to);
    animation->setDuration(hoverMs);
    animation->setEasingCurve(QEasingCurve::OutCubic);
    connect(animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_apply(value.toDouble());
    });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
    m_running = animation;
}
