#include "AppDelegate.h"

#include "LogCategories.h"
#include "Relauncher.h"
#include "core/models/SettingEnums.h"
#include "core/services/AppDiscoveryService.h"
#include "core/services/DockBadgeService.h"
#include "core/services/PreferencesStore.h"
#include "core/services/RunningAppsService.h"
#include "core/features/taskbar/TaskbarViewModel.h"
#include "core/features/windowfitting/WindowFittingService.h"
#include "ui/views/taskbar/TaskbarView.h"
#include "ui/windows/PelluxWindowController.h"
#include "ui/windows/ScreenPixels.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScreen>

AppDelegate::AppDelegate(AppDependencies dependencies, QObject* parent)
    : QObject(parent), m_dependencies(std::move(dependencies))
{
    // Qt reports one monitor change as several screen signals; rebuild once for all of them.
    m_screenChangeSettle.setSingleShot(true);
    m_screenChangeSettle.setInterval(100);
    connect(&m_screenChangeSettle, &QTimer::timeout, this, &AppDelegate::screenParametersDidChange);
}

AppDelegate::~AppDelegate() = default;

void AppDelegate::applicationDidFinishLaunching()
{
    rebuildWindows();
    connect(m_dependencies.windowFitting.get(), &WindowFittingService::fullScreenMonitorsChanged, this,
            &AppDelegate::hideBarsOn);
    m_dependencies.start();

    connect(m_dependencies.preferences.get(), &PreferencesStore::displayModeChanged, this,
            [this](DisplayMode mode) {
                if (mode != m_dependencies.preferences->displayMode())
                    rebuildWindows(mode);
            });
    for (QScreen* screen : QGuiApplication::screens())
        watchScreen(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        watchScreen(screen);
        m_screenChangeSettle.start();
    });
    connect(qApp, &QGuiApplication::screenRemoved, &m_screenChangeSettle, qOverload<>(&QTimer::start));
    connect(qApp, &QGuiApplication::primaryScreenChanged, &m_screenChangeSettle, qOverload<>(&QTimer::start));
    connect(m_dependencies.platform.panelWindowing.get(), &PanelWindowing::reservedSpaceChanged, this, [this] {
        for (const auto& controller : m_windowControllers)
            controller->refreshFrame();
        updateFittingScreens();
    });
    // The bars move after the store has taken the new value.
    const auto barsMoved = [this] {
        QMetaObject::invokeMethod(this, &AppDelegate::updateFittingScreens, Qt::QueuedConnection);
    };
    connect(m_dependencies.preferences.get(), &PreferencesStore::positionChanged, this, barsMoved);
    connect(m_dependencies.preferences.get(), &PreferencesStore::barHeightChanged, this, barsMoved);

    qCInfo(lcLifecycle, "Pellux launched as accessory with %ld taskbar window(s)",
           static_cast<long>(m_windowControllers.size()));
}

void AppDelegate::applicationWillTerminate()
{
    if (m_relaunchAfterQuit)
        Relauncher::relaunch(QCoreApplication::applicationFilePath());
}

void AppDelegate::hideBarsOn(const QList<QRect>& monitors)
{
    m_fullScreenMonitors = monitors;
    for (const auto& controller : m_windowControllers)
        showOrHide(*controller);
}

void AppDelegate::showOrHide(PelluxWindowController& controller) const
{
    if (m_fullScreenMonitors.contains(controller.screenBox().frame))
        controller.orderOut();
    else
        controller.showWindow();
}

namespace {

QJsonObject itemState(const TaskbarItem& item)
{
    QJsonObject state{
        {QStringLiteral("id"), item.bundleID},
        {QStringLiteral("name"), item.name},
        {QStringLiteral("pinned"), item.isPinned},
        {QStringLiteral("running"), item.isRunning},
        {QStringLiteral("active"), item.isActive},
    };
    if (item.badge)
        state.insert(QStringLiteral("badge"), *item.badge);
    return state;
}

// The bar's items with each button's place on the screen, and the layout that placed them.
void addTaskbarState(QJsonObject& bar, const TaskbarViewModel& model, const TaskbarView& view)
{
    QJsonArray items;
    for (const AppIconView* button : view.appButtons()) {
        QJsonObject item = itemState(button->item());
        const QRect rect = button->currentGeometry().button.toRect();
        const QPoint topLeft = button->mapToGlobal(rect.topLeft());
        item.insert(QStringLiteral("rect"), QJsonObject{{QStringLiteral("x"), topLeft.x()},
                                                        {QStringLiteral("y"), topLeft.y()},
                                                        {QStringLiteral("width"), rect.width()},
                                                        {QStringLiteral("height"), rect.height()}});
        items.append(item);
    }
    QJsonArray overflow;
    for (const TaskbarItem& item : model.overflowItems())
        overflow.append(itemState(item));
    const LayoutOutput layout = model.layout();
    bar.insert(QStringLiteral("items"), items);
    bar.insert(QStringLiteral("overflow"), overflow);
    bar.insert(QStringLiteral("layout"), QJsonObject{{QStringLiteral("iconSize"), layout.iconSize},
                                                     {QStringLiteral("visible"), layout.visibleCount},
                                                     {QStringLiteral("overflow"), layout.overflowCount}});
}

} // namespace

QByteArray AppDelegate::stateJson() const
{
    QJsonArray bars;
    const QString position = SettingEnum::rawValue(m_dependencies.preferences->position());
    for (const auto& controller : m_windowControllers) {
        const QRect frame = controller->frame();
        QJsonObject bar{
            {QStringLiteral("screen"), controller->screen() ? controller->screen()->name() : QString()},
            {QStringLiteral("position"), position},
            {QStringLiteral("x"), frame.x()},
            {QStringLiteral("y"), frame.y()},
            {QStringLiteral("width"), frame.width()},
            {QStringLiteral("height"), frame.height()},
            {QStringLiteral("visible"), controller->isShown()},
        };
        if (controller->viewModel() && controller->view())
            addTaskbarState(bar, *controller->viewModel(), *controller->view());
        bars.append(bar);
    }
    QJsonArray installedIds;
    for (const InstalledApp& app : m_dependencies.discovery->apps())
        installedIds.append(app.bundleID);
    QJsonArray running;
    for (const RunningApp& app : m_dependencies.runningAppsService->runningApps()) {
        running.append(QJsonObject{
            {QStringLiteral("id"), app.bundleID},
            {QStringLiteral("name"), app.name},
            {QStringLiteral("pid"), app.processIdentifier},
            {QStringLiteral("active"), app.isActive},
        });
    }
    QJsonObject badges;
    const DockBadgeMap details = m_dependencies.dockBadgeService->badgeDetails();
    for (auto it = details.begin(); it != details.end(); ++it) {
        QJsonObject badge{{QStringLiteral("urgent"), it->urgent}};
        if (!it->badgeText().isEmpty())
            badge.insert(QStringLiteral("text"), it->badgeText());
        if (it->progressVisible && it->progress)
            badge.insert(QStringLiteral("progress"), *it->progress);
        badges.insert(it.key(), badge);
    }
    return QJsonDocument(QJsonObject{
                             {QStringLiteral("bars"), bars},
                             {QStringLiteral("installed"),
                              QJsonObject{{QStringLiteral("count"), installedIds.size()},
                                          {QStringLiteral("ids"), installedIds}}},
                             {QStringLiteral("running"), running},
                             {QStringLiteral("badges"), badges},
                         })
        .toJson(QJsonDocument::Compact);
}

void AppDelegate::rebuildWindows()
{
    rebuildWindows(m_dependencies.preferences->displayMode());
}

// The new display mode is handed in: the store still holds the old one while it notifies.
void AppDelegate::rebuildWindows(DisplayMode mode)
{
    for (const auto& controller : m_windowControllers)
        controller->close();
    std::vector<std::unique_ptr<PelluxWindowController>> controllers;
    for (QScreen* screen : targetScreens(mode))
        controllers.push_back(std::make_unique<PelluxWindowController>(screen, m_dependencies.barServices()));
    m_windowControllers = std::move(controllers);
    // Bars rebuilt while a full-screen window is in front wait for it to leave.
    for (const auto& controller : m_windowControllers)
        showOrHide(*controller);
    updateFittingScreens();
}

void AppDelegate::updateFittingScreens()
{
    QList<ScreenBox> boxes;
    for (QScreen* screen : QGuiApplication::screens()) {
        const auto controller = std::find_if(m_windowControllers.begin(), m_windowControllers.end(),
                                             [screen](const auto& c) { return c->screen() == screen; });
        if (controller != m_windowControllers.end()) {
            boxes.append((*controller)->screenBox());
        } else {
            const QRect native = ScreenPixels::toNative(screen->geometry(), screen);
            boxes.append({native, native, {}, m_dependencies.preferences->position()});
        }
    }
    m_dependencies.windowFitting->setScreens(boxes);
}

QList<QScreen*> AppDelegate::targetScreens(DisplayMode mode) const
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (mode == DisplayMode::All)
        return screens;
    for (QScreen* screen : screens)
        if (screen->geometry().topLeft() == QPoint(0, 0))
            return {screen};
    if (QScreen* primary = QGuiApplication::primaryScreen())
        return {primary};
    return {};
}

void AppDelegate::watchScreen(QScreen* screen)
{
    connect(screen, &QScreen::geometryChanged, &m_screenChangeSettle, qOverload<>(&QTimer::start));
}

void AppDelegate::screenParametersDidChange()
{
    qCInfo(lcLifecycle, "Screen parameters changed; rebuilding taskbar windows");
    rebuildWindows();
}
