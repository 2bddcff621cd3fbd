#pragma once

#include "LayoutOutput.h"
#include "TaskbarItem.h"
#include "core/models/InstalledApp.h"
#include "core/models/PinnedShortcut.h"
#include "core/models/RunningApp.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

class AppDiscoveryService;
class AppLauncher;
class DockBadgeService;
class KeystrokeSender;
class LayoutCalculating;
class PreferencesStore;
class RunningAppsService;
class WindowActivating;

// The model behind one bar: pinned, installed and running applications and their badges merged into
// the bar's items, how large their icons are and how many overflow, and what a click on one does.
class TaskbarViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(QList<TaskbarItem> items READ items NOTIFY itemsChanged)
    Q_PROPERTY(LayoutOutput layout READ layout NOTIFY layoutChanged)
    Q_PROPERTY(double availableWidth READ availableWidth WRITE setAvailableWidth NOTIFY availableWidthChanged)
public:
    // Everything outlives the model.
    struct Services {
        AppDiscoveryService& discovery;
        RunningAppsService& runningApps;
        DockBadgeService& badges;
        PreferencesStore& preferences;
        const LayoutCalculating& layoutCalculator;
        WindowActivating& windowActivator;
        AppLauncher& launcher;
        KeystrokeSender& keystrokes;
    };
    using ManageShortcuts = std::function<void(const QString& bundleID, const QString& appName)>;

    // `fileManagerID` is the bundle id of the desktop's file manager, listed only when pinned or
    // when the setting asks for it; empty hides nothing.
    TaskbarViewModel(const Services& services, const QString& fileManagerID, QObject* parent = nullptr);

    QList<TaskbarItem> items() const { return m_items; }
    LayoutOutput layout() const { return m_layout; }
    double availableWidth() const { return m_availableWidth; }
    // Set by the bar view; the length of the bar left for application icons.
    void setAvailableWidth(double width);

    QString fileManagerID() const { return m_fileManagerID; }
    QList<TaskbarItem> visibleItems() const;
    QList<TaskbarItem> overflowItems() const;

    // Pinned applications in pinned order, then the other running applications in running order;
    // each application once, the ids in `hiddenUnlessPinned` only when pinned.
    static QList<TaskbarItem> makeItems(const QStringList& pinned, const QList<InstalledApp>& installed,
        const QList<RunningApp>& running, const QMap<QString, QString>& badges,
        const QSet<QString>& hiddenUnlessPinned);

    // A click: minimizes the active application when a window of it is on screen, otherwise brings
    // it forward; launches one that is not running.
    void open(const TaskbarItem& item);
    void openNewWindow(const TaskbarItem& item);
    void pin(const QString& bundleID);
    void unpin(const QString& bundleID);
    void reorderPinned(const QString& bundleID, const QString& before);
    QList<PinnedShortcut> pinnedShortcuts(const TaskbarItem& item) const;
    void openRecent(const QUrl& url, const TaskbarItem& item);
    void openShortcut(const PinnedShortcut& shortcut, const TaskbarItem& item);
    void quit(const TaskbarItem& item);
    void showInFinder(const TaskbarItem& item);
    void manageShortcuts(const TaskbarItem& item);
    void setOnManageShortcuts(ManageShortcuts action) { m_onManageShortcuts = std::move(action); }

signals:
    void itemsChanged(const QList<TaskbarItem>& items);
    void layoutChanged(const LayoutOutput& layout);
    void availableWidthChanged(double width);

private:
    void subscribe();
    void rebuildItems(const QStringList& pinned, bool showFileManager);
    void rebuildItemsFromServices();
    void recomputeLayout(double barHeight, double iconScale);
    LayoutOutput calculateLayout(double barHeight, double iconScale) const;
    std::optional<RunningApp> runningApp(const QString& bundleID) const;
    void launch(const TaskbarItem& item);
    void sendNewWindowShortcutIfActive(const QString& bundleID);

    Services m_services;
    QString m_fileManagerID;
    QList<TaskbarItem> m_items;
    LayoutOutput m_layout;
    double m_availableWidth = 0.0;
    ManageShortcuts m_onManageShortcuts;
};
