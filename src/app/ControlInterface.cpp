#include "ControlInterface.h"

#include "AppDelegate.h"
#include "core/features/showdesktop/ShowDesktopService.h"
#include "core/services/PreferencesStore.h"
#include "core/services/WindowsService.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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

QString ControlInterface::Windows(int pid) const
{
    if (!m_delegate)
        return QStringLiteral("[]");
    QJsonArray windows;
    for (const WindowInfo& window : m_delegate->dependencies().windowsService->windowsOfPid(pid)) {
        static const char* const states[] = {"normal", "minimized", "elsewhere"};
        windows.append(QJsonObject{
            {QStringLiteral("id"), qint64(window.windowID.value)},
            {QStringLiteral("title"), window.title},
            {QStringLiteral("state"), QLatin1String(states[int(window.state)])},
            {QStringLiteral("frame"), QJsonObject{{QStringLiteral("x"), window.frame.x()},
                                                  {QStringLiteral("y"), window.frame.y()},
                                                  {QStringLiteral("width"), window.frame.width()},
                                                  {QStringLiteral("height"), window.frame.height()}}},
        });
    }
    return QString::fromUtf8(QJsonDocument(windows).toJson(QJsonDocument::Compact));
}

void ControlInterface::ShowDesktop()
{
    if (m_delegate)
        m_delegate->dependencies().showDesktop->toggle();
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
