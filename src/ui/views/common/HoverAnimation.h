#pragma once

#include <QPointer>
#include <QVariantAnimation>

#include <functional>

// The easing every hover effect shares: ease-out over 0.1 s. Restarting stops the running one,
// so a quick enter-and-leave turns back from wherever the value is.
class HoverAnimation : public QObject {
    Q_OBJECT
public:
    HoverAnimation(QObject* owner, std::function<void(double)> apply);

    void animateTo(double from, double to);

private:
    std::function<void(double)> m_apply;
    QPointer<QVariantAnimation> m_running;
};
