#include "PelluxWindowController.h"

#include "BarBackdrop.h"
#include "PanelPalette.h"
#include "PelluxWindow.h"
#include "ScreenPixels.h"
#include "core/models/BarFrame.h"
#include "core/models/BlurRadius.h"
#include "core/models/PanelAppearance.h"
#include "core/ports/PanelWindowing.h"
#include "core/services/Observe.h"
#include "core/features/showdesktop/ShowDesktopService.h"
#include "core/features/taskbar/LayoutCalculator.h"
#include "core/features/taskbar/TaskbarIcons.h"
#include "core/features/taskbar/TaskbarViewModel.h"
#include "core/services/PreferencesStore.h"
#include "core/services/WindowActivationService.h"
#include "core/services/WindowsService.h"
#include "ui/views/flyout/FlyoutEnvironment.h"
#include "ui/views/taskbar/TaskbarView.h"

#include <QGridLayout>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

void addPreviewActions(TaskbarView::Actions& actions, const BarServices& services)
{
    WindowsService* windows = services.windows;
    WindowActivationService* commands = services.windowCommands;
    if (!windows || !commands)
        return;
    actions.windowsOf = [windows](const QString& bundleID) { return windows->windowsOf(bundleID); };
    actions.thumbnail = [windows](WindowId id, QObject* context, std::function<void(const QImage&)> done) {
        windows->thumbnail(id, context, std::move(done));
    };
    actions.selectWindow = [commands](const WindowInfo& window) { commands->select(window); };
    actions.windowCommand = [commands](WindowCommand command, const WindowInfo& window) {
        commands->perform(command, window);
    };
    actions.thumbnailsShown = [windows](bool shown) { windows->setThumbnailsShown(shown); };
}

} // namespace

PelluxWindowController::PelluxWindowController(QScreen* screen, const BarServices& services, QObject* parent)
    : QObject(parent), m_screen(screen), m_services(services)
{
    PreferencesStore* prefs = m_services.preferences;
    m_layoutCalculator = std::make_unique<LayoutCalculator>();
    if (m_services.discovery) {
        m_viewModel = std::make_unique<TaskbarViewModel>(
            TaskbarViewModel::Services{*m_services.discovery, *m_services.runningApps, *m_services.badges, *prefs,
                                       *m_layoutCalculator, *m_services.windowActivator, *m_services.launcher,
                                       *m_services.keystrokes},
            m_services.fileManagerID);
    }
    const QRect frame = computeFrame(prefs->barHeight(), prefs->position());
    m_window = std::make_unique<PelluxWindow>(m_services.windowing->isCompositing());
    m_window->setScreen(screen);
    m_window->setGeometry(frame);
    m_window->lockSize(frame.size());
    // The dock properties must be on the native window before it is first mapped.
    m_services.windowing->makeDock(m_window->winId());
    applyStrut(frame, prefs->position());
    configureContent();
    observePreferences();
}

// The window and its view go before the model they show.
PelluxWindowController::~PelluxWindowController()
{
    m_window.reset();
}

TaskbarView* PelluxWindowController::view() const
{
    return m_view;
}

void PelluxWindowController::showWindow()
{
    if (m_window)
        m_window->show();
}

void PelluxWindowController::orderOut()
{
    if (m_window)
        m_window->hide();
}

void PelluxWindowController::close()
{
    if (m_window)
        m_window->close();
}

QRect PelluxWindowController::frame() const
{
    return m_window ? m_window->geometry() : QRect();
}

ScreenBox PelluxWindowController::screenBox() const
{
    if (!m_screen)
        return {};
    return {ScreenPixels::toNative(m_screen->geometry(), m_screen),
            ScreenPixels::toNative(m_visibleFrame, m_screen), ScreenPixels::toNative(frame(), m_screen),
            m_services.preferences->position()};
}

bool PelluxWindowController::isShown() const
{
    return m_window && m_window->isVisible();
}

void PelluxWindowController::reposition(double height, BarPosition position)
{
    if (!m_window || !m_screen)
        return;
    const QRect frame = computeFrame(height, position);
    m_window->setMinimumSize(0, 0);
    m_window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    m_window->setGeometry(frame);
    m_window->lockSize(frame.size());
    applyStrut(frame, position);
    applyBlur();
}

void PelluxWindowController::refreshFrame()
{
    const PreferencesStore* prefs = m_services.preferences;
    if (m_screen && computeFrame(prefs->barHeight(), prefs->position()) != frame())
        reposition(prefs->barHeight(), prefs->position());
}

void PelluxWindowController::applyBlur(std::optional<double> radius)
{
    if (!m_window)
        return;
    const PreferencesStore* prefs = m_services.preferences;
    const double value = radius.value_or(prefs->transparencyEnabled() ? prefs->panelBlurRadius() : 0.0);
    m_services.windowing->setBlur(m_window->winId(), blurRadiusForWindow(value));
}

void PelluxWindowController::updateTint(const QString& hex, std::optional<bool> transparent)
{
    if (m_backdrop)
        m_backdrop->setTint(hex, transparent.value_or(m_services.preferences->transparencyEnabled()));
}

// Reading other panels' struts asks the window system about every window, so the result is kept
// for everything else that needs the free area until the next placement.
QRect PelluxWindowController::computeFrame(double height, BarPosition position)
{
    m_visibleFrame = visibleFrameOfScreen();
    return ::frameForBar(m_screen->geometry(), m_visibleFrame, position, height);
}

QRect PelluxWindowController::visibleFrameOfScreen() const
{
    const QSize root = m_services.windowing->screenSize();
    if (root.isEmpty())
        return m_screen->geometry();
    const QRect native = ScreenPixels::toNative(m_screen->geometry(), m_screen);
    const QRect visible = ::visibleFrame(native, root, m_services.windowing->otherDockStruts());
    return ScreenPixels::fromNative(visible, m_screen);
}

void PelluxWindowController::applyStrut(const QRect& frame, BarPosition position)
{
    const QSize root = m_services.windowing->screenSize();
    if (root.isEmpty())
        return;
    const auto strut = strutForBar(ScreenPixels::toNative(frame, m_screen), position,
                                   ScreenPixels::toNative(m_screen->geometry(), m_screen), root,
                                   ScreenPixels::nativeScreenGeometries());
    m_services.windowing->setStrut(m_window->winId(), strut);
}

void PelluxWindowController::configureContent()
{
    const PreferencesStore* prefs = m_services.preferences;
    auto* layout = new QGridLayout(m_window.get());
    layout->setContentsMargins(0, 0, 0, 0);
    m_backdrop = new BarBackdrop(m_services.windowing->isCompositing());
    m_backdrop->setOpacity(prefs->effectivePanelOpacity());
    layout->addWidget(m_backdrop, 0, 0);
    if (m_viewModel) {
        TaskbarView::Actions actions;
        if (const TaskbarIcons* icons = m_services.icons) {
            actions.requestIcon = [icons](const TaskbarItem& item, int pixels, QObject* context,
                                          std::function<void(const QImage&)> done) {
                icons->requestIcon(item, pixels, context, std::move(done));
            };
        }
        actions.flyoutEnvironment = [this] { return flyoutEnvironment(); };
        if (ShowDesktopService* showDesktop = m_services.showDesktop)
            actions.showDesktop = [showDesktop] { showDesktop->toggle(); };
        addPreviewActions(actions, m_services);
        m_view = new TaskbarView(*m_viewModel, *m_services.preferences, std::move(actions));
        layout->addWidget(m_view, 0, 0);
    }
    updateTint(prefs->panelTintHex());
    applyContentAppearance(prefs->panelTintHex(), prefs->theme());
    QTimer::singleShot(0, this, [this] { applyBlur(); });
}

void PelluxWindowController::observePreferences()
{
    PreferencesStore* prefs = m_services.preferences;
    // The store notifies before it stores, so each reaction reads only the other settings back.
    connect(prefs, &PreferencesStore::barHeightChanged, this,
            [this, prefs](double height) { reposition(height, prefs->position()); });
    connect(prefs, &PreferencesStore::positionChanged, this,
            [this, prefs](BarPosition position) { reposition(prefs->barHeight(), position); });
    observe(prefs, &PreferencesStore::panelTintHex, &PreferencesStore::panelTintHexChanged, this,
            [this, prefs](const QString& hex) {
                updateTint(hex);
                applyContentAppearance(hex, prefs->theme());
            });
    observe(prefs, &PreferencesStore::theme, &PreferencesStore::themeChanged, this,
            [this, prefs](AppTheme theme) { applyContentAppearance(prefs->panelTintHex(), theme); });
    observe(prefs, &PreferencesStore::panelOpacity, &PreferencesStore::panelOpacityChanged, this,
            [this, prefs](double opacity) { setBackdropOpacity(prefs->transparencyEnabled() ? opacity : 1.0); });
    observe(prefs, &PreferencesStore::panelBlurRadius, &PreferencesStore::panelBlurRadiusChanged, this,
            [this, prefs](double radius) { applyBlur(prefs->transparencyEnabled() ? radius : 0.0); });
    observe(prefs, &PreferencesStore::transparencyEnabled, &PreferencesStore::transparencyEnabledChanged, this,
            [this, prefs](bool transparent) {
                setBackdropOpacity(transparent ? prefs->panelOpacity() : 1.0);
                applyBlur(transparent ? prefs->panelBlurRadius() : 0.0);
                updateTint(prefs->panelTintHex(), transparent);
            });
}

void PelluxWindowController::applyContentAppearance(const QString& tintHex, AppTheme theme)
{
    if (m_window)
        m_window->setPalette(panelPalette(PanelAppearance::resolve(tintHex, theme)));
}

FlyoutEnvironment PelluxWindowController::flyoutEnvironment() const
{
    FlyoutEnvironment environment;
    environment.windowing = m_services.windowing;
    environment.clickWatch = m_services.clickWatch;
    environment.position = m_services.preferences->position();
    environment.style = FlyoutStyle::fromPreferences(*m_services.preferences);
    if (m_screen)
        environment.screenArea = m_visibleFrame;
    environment.reduceMotion = m_services.reduceMotion;
    return environment;
}

void PelluxWindowController::setBackdropOpacity(double opacity)
{
    if (m_backdrop)
        m_backdrop->setOpacity(opacity);
}
