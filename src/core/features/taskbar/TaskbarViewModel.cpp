#include "TaskbarViewModel.h"

#include "LayoutCalculating.h"
#include "ShortcutTarget.h"
#include "core/ports/AppLauncher.h"
#include "core/ports/KeystrokeSender.h"
#include "core/ports/WindowActivating.h"
#include "core/services/AppDiscoveryService.h"
#include "core/services/DockBadgeService.h"
#include "core/services/PreferencesStore.h"
#include "core/services/RunningAppsService.h"

#include <QHash>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <cmath>
#include <initializer_list>

namespace {

constexpr double iconPadding = 4;
constexpr double overflowButtonWidth = 32;
constexpr double preferredIconSize = 40; // at icon scale 1
constexpr double shrinkLimit = 0.8; // of the preferred size, before icons overflow
// Long enough for the window manager to have activated the application, short enough to feel
// like one action.
constexpr int newWindowShortcutDelayMs = 200;

// When an id occurs more than once, its first entry wins.
template <typename Entry> QHash<QString, const Entry*> indexByID(const QList<Entry>& entries)
{
    QHash<QString, const Entry*> index;
    for (const Entry& entry : entries)
        if (!index.contains(entry.bundleID))
            index.insert(entry.bundleID, &entry);
    return index;
}

QString firstNonEmpty(std::initializer_list<QString> names)
{
    const auto it = std::find_if(names.begin(), names.end(), [](const QString& name) { return !name.isEmpty(); });
    return it != names.end() ? *it : QString();
}

TaskbarItem makeItem(const QString& bundleID, const InstalledApp* installed, const RunningApp* running,
    const QMap<QString, QString>& badges, bool isPinned)
{
    TaskbarItem item;
    item.bundleID = bundleID;
    item.name
        = firstNonEmpty({ installed ? installed->name : QString(), running ? running->name : QString(), bundleID });
    if (installed && !installed->url.isEmpty())
        item.url = installed->url;
    item.isPinned = isPinned;
    item.isRunning = running != nullptr;
    item.isActive = running && running->isActive;
    if (running && running->processIdentifier > 0)
        item.processIdentifier = running->processIdentifier;
    if (const QString badge = badges.value(bundleID); !badge.isEmpty())
        item.badge = badge;
    return item;
}

} // namespace

TaskbarViewModel::TaskbarViewModel(const Services& services, const QString& fileManagerID, QObject* parent)
    : QObject(parent)
    , m_services(services)
    , m_fileManagerID(fileManagerID)
{
    subscribe();
    rebuildItemsFromServices();
}

void TaskbarViewModel::subscribe()
{
    PreferencesStore& preferences = m_services.preferences;
    connect(
        &m_services.discovery, &AppDiscoveryService::appsChanged, this, &TaskbarViewModel::rebuildItemsFromServices);
    connect(&m_services.runningApps, &RunningAppsService::runningAppsChanged, this,
        &TaskbarViewModel::rebuildItemsFromServices);
    connect(&m_services.badges, &DockBadgeService::badgesChanged, this, &TaskbarViewModel::rebuildItemsFromServices);
    // The store notifies before it stores: the new value is only in the argument.
    connect(&preferences, &PreferencesStore::pinnedBundleIDsChanged, this,
        [this](const QStringList& pinned) { rebuildItems(pinned, m_services.preferences.showFinderInRunningApps()); });
    connect(&preferences, &PreferencesStore::showFinderInRunningAppsChanged, this,
        [this](bool show) { rebuildItems(m_services.preferences.pinnedBundleIDs(), show); });
    connect(&preferences, &PreferencesStore::barHeightChanged, this,
        [this](double height) { recomputeLayout(height, m_services.preferences.iconScale()); });
    connect(&preferences, &PreferencesStore::iconScaleChanged, this,
        [this](double scale) { recomputeLayout(m_services.preferences.barHeight(), scale); });
}

void TaskbarViewModel::setAvailableWidth(double width)
{
    // The view reports its free length after every layout; an unchanged one must not start another.
    const double sane = std::isfinite(width) ? std::max(0.0, width) : 0.0;
    if (sane == m_availableWidth)
        return;
    m_availableWidth = sane;
    m_layout = calculateLayout(m_services.preferences.barHeight(), m_services.preferences.iconScale());
    emit availableWidthChanged(m_availableWidth);
    emit layoutChanged(m_layout);
}

QList<TaskbarItem> TaskbarViewModel::visibleItems() const
{
    return m_items.mid(0, std::clamp<qsizetype>(m_layout.visibleCount, 0, m_items.size()));
}

QList<TaskbarItem> TaskbarViewModel::overflowItems() const
{
    return m_items.mid(std::clamp<qsizetype>(m_layout.visibleCount, 0, m_items.size()));
}

QList<TaskbarItem> TaskbarViewModel::makeItems(const QStringList& pinned, const QList<InstalledApp>& installed,
    const QList<RunningApp>& running, const QMap<QString, QString>& badges, const QSet<QString>& hiddenUnlessPinned)
{
    const auto installedByID = indexByID(installed);
    const auto runningByID = indexByID(running);
    QSet<QString> emitted;
    QList<TaskbarItem> items;
    for (const QString& bundleID : pinned) {
        if (bundleID.isEmpty() || emitted.contains(bundleID))
            continue;
        emitted.insert(bundleID);
        items.append(makeItem(bundleID, installedByID.value(bundleID), runningByID.value(bundleID), badges, true));
    }
    for (const RunningApp& app : running) {
        if (hiddenUnlessPinned.contains(app.bundleID) || emitted.contains(app.bundleID))
            continue;
        emitted.insert(app.bundleID);
        items.append(makeItem(app.bundleID, installedByID.value(app.bundleID), &app, badges, false));
    }
    return items;
}

void TaskbarViewModel::rebuildItemsFromServices()
{
    rebuildItems(m_services.preferences.pinnedBundleIDs(), m_services.preferences.showFinderInRunningApps());
}

void TaskbarViewModel::rebuildItems(const QStringList& pinned, bool showFileManager)
{
    QSet<QString> hidden;
    if (!showFileManager && !m_fileManagerID.isEmpty())
        hidden.insert(m_fileManagerID);
    QList<TaskbarItem> items = makeItems(
        pinned, m_services.discovery.apps(), m_services.runningApps.runningApps(), m_services.badges.badges(), hidden);
    const bool changed = items != m_items;
    m_items = std::move(items);
    // Both are up to date before either is announced, so a reader of one never sees a stale other.
    m_layout = calculateLayout(m_services.preferences.barHeight(), m_services.preferences.iconScale());
    if (changed)
        emit itemsChanged(m_items);
    emit layoutChanged(m_layout);
}

void TaskbarViewModel::recomputeLayout(double barHeight, double iconScale)
{
    m_layout = calculateLayout(barHeight, iconScale);
    emit layoutChanged(m_layout);
}

LayoutOutput TaskbarViewModel::calculateLayout(double barHeight, double iconScale) const
{
    const double preferred = preferredIconSize * iconScale;
    const int count = int(std::min<qsizetype>(m_items.size(), INT_MAX));
    return m_services.layoutCalculator.calculate(
        { m_availableWidth, barHeight, count, iconPadding, shrinkLimit * preferred, overflowButtonWidth, iconScale });
}

std::optional<RunningApp> TaskbarViewModel::runningApp(const QString& bundleID) const
{
    const QList<RunningApp> running = m_services.runningApps.runningApps();
    const auto it
        = std::find_if(running.begin(), running.end(), [&](const RunningApp& app) { return app.bundleID == bundleID; });
    return it != running.end() ? std::optional(*it) : std::nullopt;
}

// The running list is read again: the item may be older than the application's last change.
void TaskbarViewModel::open(const TaskbarItem& item)
{
    const auto app = runningApp(item.bundleID);
    if (!app) {
        launch(item);
        return;
    }
    if (app->isActive && m_services.windowActivator.hasOnScreenWindow(item.bundleID))
        m_services.windowActivator.minimize(item.bundleID);
    else
        m_services.windowActivator.activate(item.bundleID);
}

void TaskbarViewModel::openNewWindow(const TaskbarItem& item)
{
    if (!runningApp(item.bundleID)) {
        launch(item);
        return;
    }
    if (item.url && m_services.launcher.launchNewWindowAction(*item.url))
        return;
    m_services.windowActivator.activate(item.bundleID);
    QTimer::singleShot(
        newWindowShortcutDelayMs, this, [this, bundleID = item.bundleID] { sendNewWindowShortcutIfActive(bundleID); });
}

// The keystroke goes to whatever has the focus, so it is sent only when that is the application.
void TaskbarViewModel::sendNewWindowShortcutIfActive(const QString& bundleID)
{
    const auto app = runningApp(bundleID);
    if (app && app->isActive)
        m_services.keystrokes.sendNewWindowShortcut();
}

void TaskbarViewModel::launch(const TaskbarItem& item)
{
    if (item.url)
        m_services.launcher.launch(*item.url);
}

void TaskbarViewModel::pin(const QString& bundleID)
{
    QStringList pinned = m_services.preferences.pinnedBundleIDs();
    if (bundleID.isEmpty() || pinned.contains(bundleID))
        return;
    pinned.append(bundleID);
    m_services.preferences.setPinnedBundleIDs(pinned);
}

void TaskbarViewModel::unpin(const QString& bundleID)
{
    QStringList pinned = m_services.preferences.pinnedBundleIDs();
    pinned.removeAll(bundleID);
    m_services.preferences.setPinnedBundleIDs(pinned);
}

void TaskbarViewModel::reorderPinned(const QString& bundleID, const QString& before)
{
    QStringList pinned = m_services.preferences.pinnedBundleIDs();
    if (bundleID == before || !pinned.contains(bundleID) || !pinned.contains(before))
        return;
    pinned.removeAll(bundleID);
    pinned.insert(pinned.indexOf(before), bundleID);
    m_services.preferences.setPinnedBundleIDs(pinned);
}

QList<PinnedShortcut> TaskbarViewModel::pinnedShortcuts(const TaskbarItem& item) const
{
    return m_services.preferences.pinnedShortcuts().value(item.bundleID);
}

void TaskbarViewModel::openRecent(const QUrl& url, const TaskbarItem& item)
{
    if (item.url)
        m_services.launcher.launch(*item.url, { url });
    else
        m_services.launcher.open(url);
}

void TaskbarViewModel::openShortcut(const PinnedShortcut& shortcut, const TaskbarItem& item)
{
    if (const auto url = ShortcutTarget::url(shortcut.target))
        openRecent(*url, item);
}

void TaskbarViewModel::quit(const TaskbarItem& item)
{
    if (runningApp(item.bundleID))
        m_services.windowActivator.close(item.bundleID);
}

void TaskbarViewModel::showInFinder(const TaskbarItem& item)
{
    if (item.url)
        m_services.launcher.reveal(*item.url);
}

void TaskbarViewModel::manageShortcuts(const TaskbarItem& item)
{
    if (m_onManageShortcuts)
        m_onManageShortcuts(item.bundleID, item.name);
}
