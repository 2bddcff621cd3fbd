#include "FlyoutController.h"

#include "FlyoutPanel.h"
#include "core/models/FlyoutPlacement.h"
#include "core/ports/GlobalClickWatch.h"
#include "core/ports/PanelWindowing.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPropertyAnimation>
#include <QScreen>
#include <QTimer>

namespace {

constexpr int entranceMs = 150;
constexpr int refitMs = 100;
constexpr int closeFadeMs = 100;

QPropertyAnimation* startAnimation(QObject* target, const QByteArray& property, const QVariant& from,
                                   const QVariant& to, int durationMs)
{
    auto* animation = new QPropertyAnimation(target, property, target);
    animation->setStartValue(from);
    animation->setEndValue(to);
    animation->setDuration(durationMs);
    animation->setEasingCurve(QEasingCurve::OutCubic);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
    return animation;
}

void stopAnimation(QPropertyAnimation* animation)
{
    if (animation)
        animation->stop();
}

} // namespace

FlyoutController::FlyoutController(QObject* parent) : QObject(parent) {}

FlyoutController::~FlyoutController()
{
    removeMonitors();
    discardPanel();
}

bool FlyoutController::show(std::unique_ptr<QWidget> content, QWidget* anchor, const FlyoutEnvironment& environment,
                            const FlyoutOptions& options)
{
    if (m_shown || !anchor || !anchor->isVisible())
        return false;
    ++m_generation;
    m_shown = true;
    m_anchor = anchor;
    m_environment = environment;
    m_options = options;
    makePanel(std::move(content), options.takesKey);
    applyStyle(environment.style);

    const QRect target = targetFrame().value_or(QRect());
    const QRect entrance =
        environment.reduceMotion ? target : FlyoutPlacement::entranceFrame(target, environment.position);
    m_panel->setGeometry(entrance);
    m_panel->setWindowOpacity(0.0);
    m_panel->show();
    m_panel->raise();
    if (options.takesKey)
        m_panel->activateWindow();
    animateGeometry(entrance, target, entranceMs);
    animateOpacity(0.0, 1.0, entranceMs);

    // Not before the next turn, so the press that opened the flyout is never taken for one outside.
    const quint64 showing = m_generation;
    QTimer::singleShot(0, this, [this, showing] {
        if (m_shown && m_generation == showing)
            installMonitors();
    });
    return true;
}

FlyoutPanel* FlyoutController::panel() const
{
    return m_panel;
}

void FlyoutController::update(const FlyoutStyle& style, std::unique_ptr<QWidget> content)
{
    if (!m_shown || !m_panel)
        return;
    if (content) {
        m_panel->setContent(content.release());
        contentLayoutChanged();
    }
    if (style != m_style)
        applyStyle(style);
}

void FlyoutController::close()
{
    if (!m_shown)
        return;
    m_shown = false;
    removeMonitors();
    const quint64 closing = ++m_generation;
    if (!m_panel)
        return;
    animateOpacity(m_panel->windowOpacity(), 0.0, closeFadeMs);
    // A show during the fade has its own panel and generation: the fade must not hide that one.
    connect(m_fade, &QAbstractAnimation::finished, this, [this, closing, panel = m_panel] {
        if (panel && m_generation == closing)
            panel->hide();
    });
}

void FlyoutController::dismiss()
{
    if (!m_shown)
        return;
    close();
    if (const auto onDismiss = m_onDismiss)
        onDismiss();
}

bool FlyoutController::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (watched->isWidgetType())
            handleLocalPress(static_cast<QWidget*>(watched), *static_cast<QMouseEvent*>(event));
        break;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && m_options.takesKey && m_panel
            && m_panel->isActiveWindow()) {
            dismiss();
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

void FlyoutController::makePanel(std::unique_ptr<QWidget> content, bool takesKey)
{
    discardPanel();
    PanelWindowing* windowing = m_environment.windowing;
    m_panel = new FlyoutPanel(takesKey, windowing && windowing->isCompositing());
    m_panel->setContent(content.release());
    connect(m_panel, &FlyoutPanel::contentLayoutRequested, this, &FlyoutController::contentLayoutChanged);
    connect(m_panel, &FlyoutPanel::deactivated, this, [this] {
        if (m_shown && m_options.takesKey)
            dismiss();
    });
    // The window type must be on the native window before it is first mapped.
    if (windowing)
        windowing->makePopup(m_panel->winId());
    m_contentSize = m_panel->contentSize();
}

void FlyoutController::discardPanel()
{
    if (!m_panel)
        return;
    m_panel->disconnect(this);
    m_panel->hide();
    // Later: the panel may be delivering the very event that led here.
    m_panel->deleteLater();
    m_panel.clear();
}

void FlyoutController::applyStyle(const FlyoutStyle& style)
{
    m_style = style;
    if (!m_panel)
        return;
    m_panel->applyStyle(style);
    applyBlur();
}

void FlyoutController::applyBlur()
{
    if (m_environment.windowing && m_panel)
        m_environment.windowing->setBlur(m_panel->winId(), m_style.windowBlurRadius());
}

std::optional<QRect> FlyoutController::targetFrame() const
{
    if (!m_anchor || !m_panel)
        return std::nullopt;
    const QRect anchor(m_anchor->mapToGlobal(QPoint(0, 0)), m_anchor->size());
    const QRect bar = m_anchor->window()->geometry();
    const QSize size = m_contentSize.isNull() ? m_panel->contentSize() : m_contentSize;
    return FlyoutPlacement::frame(anchor, bar, size.expandedTo(QSize(1, 1)), m_environment.position, screenArea());
}

QRect FlyoutController::screenArea() const
{
    if (m_environment.screenArea.isValid())
        return m_environment.screenArea;
    if (const QScreen* screen = m_anchor->screen())
        return screen->geometry();
    return m_anchor->window()->geometry();
}

void FlyoutController::contentLayoutChanged()
{
    if (!m_panel)
        return;
    const QSize size = m_panel->contentSize();
    if (size.isNull() || size == m_contentSize)
        return;
    m_contentSize = size;
    // Never from inside the layout pass that reported the change.
    QTimer::singleShot(0, this, [this] { refit(); });
}

void FlyoutController::refit()
{
    if (!m_shown || !m_panel)
        return;
    const auto target = targetFrame();
    if (target && *target != m_panel->geometry())
        animateGeometry(m_panel->geometry(), *target, refitMs);
}

void FlyoutController::installMonitors()
{
    removeMonitors();
    m_monitoring = true;
    qApp->installEventFilter(this);
    m_clickWatch = m_environment.clickWatch;
    if (m_clickWatch) {
        m_clickConnection = connect(m_clickWatch, &GlobalClickWatch::pressed, this, &FlyoutController::handleGlobalPress);
        m_clickWatch->start();
    }
}

void FlyoutController::removeMonitors()
{
    if (!m_monitoring)
        return;
    m_monitoring = false;
    qApp->removeEventFilter(this);
    disconnect(m_clickConnection);
    if (m_clickWatch)
        m_clickWatch->stop();
    m_clickWatch.clear();
}

void FlyoutController::handleLocalPress(QWidget* receiver, const QMouseEvent& event)
{
    if (!m_shown || !m_panel || isInsidePanel(receiver))
        return;
    if (!m_options.dismissOnAnchorClick && isInsideAnchor(receiver, event))
        return;
    dismiss();
}

void FlyoutController::handleGlobalPress()
{
    // Raw presses include those on Pellux's own windows, which Qt also delivers to the local
    // monitor; the window server says whose window is under the pointer.
    if (QApplication::topLevelAt(QCursor::pos()))
        return;
    dismiss();
}

bool FlyoutController::isInsidePanel(const QWidget* widget) const
{
    // Walks past window boundaries too, so menus opened from the content count as inside.
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w == m_panel)
            return true;
    return false;
}

bool FlyoutController::isInsideAnchor(const QWidget* receiver, const QMouseEvent& event) const
{
    return m_anchor && receiver->window() == m_anchor->window()
           && m_anchor->rect().contains(m_anchor->mapFromGlobal(event.globalPosition()).toPoint());
}

void FlyoutController::animateGeometry(const QRect& from, const QRect& to, int durationMs)
{
    stopAnimation(m_move);
    m_move = startAnimation(m_panel, "geometry", from, to, durationMs);
}

void FlyoutController::animateOpacity(double from, double to, int durationMs)
{
    stopAnimation(m_fade);
    m_fade = startAnimation(m_panel, "windowOpacity", from, to, durationMs);
}
