#pragma once

#include "core/models/ClientWindow.h"
#include "core/models/InstalledApp.h"
#include "core/models/ProcessIdentity.h"
#include "core/models/RunningApp.h"
#include "core/models/WindowIdentity.h"
#include "core/services/AppMatcher.h"

#include <QHash>
#include <QList>
#include <QObject>

#include <memory>

class WindowSystem;
class ProcessInspector;

// The running applications, in the order they appeared: windows grouped by the installed
// application they belong to ("wmclass:" + class when none). Published only when the list changes.
class RunningAppsService : public QObject {
    Q_OBJECT
    Q_PROPERTY(QList<RunningApp> runningApps READ runningApps NOTIFY runningAppsChanged)
public:
    RunningAppsService(WindowSystem& windows, const ProcessInspector& processes, qint32 ownPid,
                       QObject* parent = nullptr);

    void start();
    void stop();
    void setInstalledApps(const QList<InstalledApp>& apps);

    QList<RunningApp> runningApps() const { return m_runningApps; }
    // The taskbar windows of one application, in the order they appeared.
    QList<WindowId> windowsOf(const QString& bundleID) const;
    QString bundleIDOf(WindowId window) const;

    // Ordinary top-level windows of other programs: the ones a taskbar shows.
    static bool isTaskbarWindow(const ClientWindow& window, qint32 ownPid);
    // At least one window really on screen: mapped on this desktop, not minimized, visible and at
    // least 40 x 40.
    static bool hasOnScreenWindow(const QList<ClientWindow>& windows);

    void refresh();

signals:
    void runningAppsChanged(const QList<RunningApp>& apps);

private:
    struct Match {
        WindowIdentity identity;
        QString bundleID;
    };

    QString matchWindow(const ClientWindow& window, QHash<WindowId, ClientWindow>& byId, int depth = 0);
    WindowIdentity identityOf(const ClientWindow& window, QHash<WindowId, ClientWindow>& byId, int depth);
    QString nameFor(const QString& bundleID, const ClientWindow& firstWindow) const;

    WindowSystem& m_windows;
    const ProcessInspector& m_processes;
    qint32 m_ownPid;
    bool m_started = false;
    std::unique_ptr<AppMatcher> m_matcher;
    QHash<QString, QString> m_names;
    QHash<WindowId, Match> m_matches;
    QHash<qint32, ProcessIdentity> m_processCache;
    QHash<QString, quint64> m_firstSeen;
    quint64 m_nextSequence = 0;
    QHash<QString, QList<WindowId>> m_groups;
    QList<RunningApp> m_runningApps;
};
