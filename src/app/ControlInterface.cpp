#include "ControlInterface.h"

#include "AppDelegate.h"

#include <QCoreApplication>
#include <QTimer>

ControlInterface::ControlInterface(AppDelegate* delegate, QObject* parent) : QObject(parent), m_delegate(delegate) {}

QString ControlInterface::State() const
{
    return m_delegate ? QString::fromUtf8(m_delegate->stateJson()) : QString();
}

// Quit after the reply has gone out, so the caller is not left waiting.
void ControlInterface::Quit()
{
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void ControlInterface::Restart()
{
    if (m_delegate)
        m_delegate->armRelaunchAfterQuit();
    Quit();
}
