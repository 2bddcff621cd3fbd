#include "ControlInterface.h"

#include "AppDelegate.h"
#include "core/services/PreferencesStore.h"

#include <QCoreApplication>
#include <QTimer>

ControlInterface::ControlInterface(AppDelegate* delegate, QObject* parent) : QObject(parent), m_delegate(delegate) {}

QString ControlInterface::State() const
{
    return m_delegate ? QString::fromUtf8(m_delegate->stateJson()) : QString();
}

bool ControlInterface::SetPreference(const QString& key, const QDBusVariant& value)
{
    return m_delegate && m_delegate->dependencies().preferences->assignStored(key, value.variant());
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
