#include "RunningAppsService.h"

#include "core/ports/ProcessInspector.h"
#include "core/ports/WindowSystem.h"

#include <algorithm>

namespace {

const QString ownBundleID = QStringLiteral("app.pellux.Pellux");
// Transient and group-leader chains are short; a longer one is a loop.
constexpr int maxChain = 8;

} // namespace

RunningAppsService::RunningAppsService(WindowSystem& windows, const ProcessInspector& processes, qint32 ownPid,
                                       QObject* parent)
    : QObject(parent)
    , m_windows(windows)
    , m_processes(processes)
    , m_ownPid(ownPid)
    , m_matcher(std::make_unique<AppMatcher>(QList<AppCandidate>()))
{
}

void RunningAppsService::start()
{
    if (m_started)
        return;
    m_started = true;
    // The window system batches each burst of events, so every signal is worth one refresh.
    connect(&m_windows, &WindowSystem::windowsChanged, this, &RunningAppsService::refresh);
    connect(&m_windows, &WindowSystem::windowsUpdated, this, &RunningAppsService::refresh);
    connect(&m_windows, &WindowSystem::activeWindowChanged, this, &RunningAppsService::refresh);
    refresh();
}

void RunningAppsService::stop()
{
    disconnect(&m_windows, nullptr, this, nullptr);
    m_started = false;
}

void RunningAppsService::setInstalledApps(const QList<InstalledApp>& apps)
{
    QList<AppCandidate> candidates;
    m_names.clear();
    for (const InstalledApp& app : apps) {
        candidates.append({app.bundleID, app.startupWMClass, app.tryExec, app.exec});
        m_names.insert(app.bundleID, app.name);
    }
    m_matcher = std::make_unique<AppMatcher>(candidates);
    m_matches.clear();
    if (m_started)
        refresh();
}

QList<WindowId> RunningAppsService::windowsOf(const QString& bundleID) const
{
    return m_groups.value(bundleID);
}

QString RunningAppsService::bundleIDOf(WindowId window) const
{
    return m_matches.value(window).bundleID;
}

bool RunningAppsService::isTaskbarWindow(const ClientWindow& window, qint32 ownPid)
{
    return window.kind == WindowKind::Normal && !window.transientFor && !window.skipTaskbar
        && (ownPid == 0 || window.pid != ownPid);
}

bool RunningAppsService::hasOnScreenWindow(const QList<ClientWindow>& windows)
{
    return std::any_of(windows.begin(), windows.end(), [](const ClientWindow& w) {
        return w.viewable && w.onCurrentDesktop && !w.minimized && w.opacity > 0.0 && w.frame.width() >= 40
            && w.frame.height() >= 40;
    });
}

void RunningAppsService::refresh()
{
    QHash<WindowId, ClientWindow> byId;
    QList<ClientWindow> ordered;
    QSet<qint32> pids;
    for (WindowId id : m_windows.clientWindows()) {
        if (const auto window = m_windows.window(id)) {
            byId.insert(id, *window);
            ordered.append(*window);
            pids.insert(window->pid);
        }
    }
    m_matches.removeIf([&](const auto& entry) { return !byId.contains(entry.key()); });
    m_processCache.removeIf([&](const auto& entry) { return !pids.contains(entry.key()); });

    QHash<QString, QList<ClientWindow>> groups;
    QStringList order;
    for (const ClientWindow& window : std::as_const(ordered)) {
        if (!isTaskbarWindow(window, m_ownPid))
            continue;
        const QString bundleID = matchWindow(window, byId);
        if (bundleID == ownBundleID)
            continue;
        if (!groups.contains(bundleID))
            order.append(bundleID);
        groups[bundleID].append(window);
    }
    m_firstSeen.removeIf([&](const auto& entry) { return !groups.contains(entry.key()); });
    for (const QString& bundleID : std::as_const(order))
        if (!m_firstSeen.contains(bundleID))
            m_firstSeen.insert(bundleID, m_nextSequence++);
    std::stable_sort(order.begin(), order.end(),
                     [this](const QString& a, const QString& b) { return m_firstSeen[a] < m_firstSeen[b]; });

    const WindowId active = m_windows.activeWindow();
    const QString activeApp = byId.contains(active) ? matchWindow(byId[active], byId) : QString();
    QList<RunningApp> apps;
    m_groups.clear();
    for (const QString& bundleID : std::as_const(order)) {
        const QList<ClientWindow>& windows = groups[bundleID];
        apps.append({bundleID, nameFor(bundleID, windows.first()), windows.first().pid,
                     bundleID == activeApp && hasOnScreenWindow(windows)});
        for (const ClientWindow& window : windows)
            m_groups[bundleID].append(window.id);
    }
    if (apps != m_runningApps) {
        m_runningApps = apps;
        emit runningAppsChanged(m_runningApps);
    }
}

// Matching is cached per window and done again only when what it reads has changed.
QString RunningAppsService::matchWindow(const ClientWindow& window, QHash<WindowId, ClientWindow>& byId, int depth)
{
    const WindowIdentity identity = identityOf(window, byId, depth);
    const auto cached = m_matches.constFind(window.id);
    if (cached != m_matches.cend() && cached->identity == identity)
        return cached->bundleID;
    const QString bundleID = m_matcher->match(identity);
    m_matches.insert(window.id, {identity, bundleID});
    return bundleID;
}

WindowIdentity RunningAppsService::identityOf(const ClientWindow& window, QHash<WindowId, ClientWindow>& byId,
                                              int depth)
{
    if (window.pid > 0 && !m_processCache.contains(window.pid))
        m_processCache.insert(window.pid, m_processes.identity(window.pid));
    const ProcessIdentity process = m_processCache.value(window.pid);
    WindowIdentity identity;
    identity.wmInstance = window.wmInstance;
    identity.wmClass = window.wmClass;
    identity.kdeDesktopFile = window.kdeDesktopFile;
    identity.bamfDesktopFile = window.bamfDesktopFile;
    identity.gtkApplicationId = window.gtkApplicationId;
    identity.flatpakAppId = process.flatpakAppId;
    identity.snapDesktopHint = process.snapDesktopHint;
    identity.appImagePath = process.appImagePath;
    identity.executablePath = process.executablePath;
    identity.commandLine = process.commandLine;
    const auto related = [&](WindowId other) -> std::optional<QString> {
        if (!other || other == window.id || depth >= maxChain || !byId.contains(other))
            return std::nullopt;
        return matchWindow(byId[other], byId, depth + 1);
    };
    identity.transientParentApp = related(window.transientFor);
    identity.groupLeaderApp = related(window.groupLeader);
    return identity;
}

QString RunningAppsService::nameFor(const QString& bundleID, const ClientWindow& firstWindow) const
{
    if (const auto it = m_names.constFind(bundleID); it != m_names.cend())
        return it.value();
    if (!firstWindow.wmClass.isEmpty())
        return firstWindow.wmClass;
    return firstWindow.title.isEmpty() ? bundleID : firstWindow.title;
}
