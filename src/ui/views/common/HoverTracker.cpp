#include "HoverTracker.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

HoverTracker::HoverTracker(QWidget* target) : QObject(target)
{
    target->installEventFilter(this);
}

bool HoverTracker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != parent())
        return false;
    switch (event->type()) {
    case QEvent::Enter:
        set(true, m_pressed);
        break;
    case QEvent::Leave:
        set(false, m_pressed);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            set(m_hovered, true);
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            set(m_hovered, false);
        break;
    case QEvent::Hide:
        set(false, false);
        break;
    default:
        break;
    }
    return false;
}

void HoverTracker::set(bool hovered, bool pressed)
{
    if (hovered == m_hovered && pressed == m_pressed)
        return;
    m_hovered = hovered;
    m_pressed = pressed;
    emit changed();
}
