#include "AppIconView.h"

#include "ui/views/common/SymbolIcons.h"
#include "ui/windows/PanelPalette.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

constexpr double cornerRadius = 6;
constexpr int labelPixelSize = 8;

QPainterPath buttonShape(const QRectF& rect, HighlightStyle style)
{
    QPainterPath path;
    if (style == HighlightStyle::Mac)
        path.addRoundedRect(rect, cornerRadius, cornerRadius);
    else
        path.addRect(rect);
    return path;
}

} // namespace

AppIconView::AppIconView(const TaskbarItem& item, double size, const BarEnvironment& env, IconRequest requestIcon,
                         QWidget* parent)
    : QWidget(parent), m_item(item), m_size(size), m_env(env), m_requestIcon(std::move(requestIcon))
{
    setAttribute(Qt::WA_Hover);
    setAcceptDrops(true);
    setMouseTracking(true);
    m_hoverAnimation.setDuration(100);
    m_hoverAnimation.setEasingCurve(QEasingCurve::OutCubic);
    connect(&m_hoverAnimation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_hoverAmount = value.toDouble();
        update();
    });
    m_hoverTimer.setSingleShot(true);
    // Coarse timers may fire 5 % (30 ms) early or late.
    m_hoverTimer.setTimerType(Qt::PreciseTimer);
    m_hoverTimer.setInterval(hoverDelayMs);
    connect(&m_hoverTimer, &QTimer::timeout, this, &AppIconView::hoverElapsed);
    m_closeTimer.setSingleShot(true);
    m_closeTimer.setInterval(closeDelayMs);
    connect(&m_closeTimer, &QTimer::timeout, this, [this] { setPreviewShown(false); });
    applyFixedLength();
    loadIcon();
}

void AppIconView::setItem(const TaskbarItem& item)
{
    if (item == m_item)
        return;
    const bool iconMayChange = item.url != m_item.url || item.isRunning != m_item.isRunning;
    m_item = item;
    setToolTip(QString());
    if (iconMayChange)
        loadIcon();
    update();
}

void AppIconView::setIconSize(double size)
{
    if (qFuzzyCompare(size, m_size))
        return;
    m_size = size;
    applyFixedLength();
    loadIcon();
    update();
}

void AppIconView::setEnvironment(const BarEnvironment& env)
{
    if (env == m_env)
        return;
    m_env = env;
    applyFixedLength();
    update();
}

void AppIconView::setDimmed(bool dimmed)
{
    if (dimmed != m_dimmed) {
        m_dimmed = dimmed;
        update();
    }
}

void AppIconView::setPreviewConfig(std::optional<WindowPreviewConfig> config)
{
    m_previewConfig = std::move(config);
    if (!m_previewConfig) {
        m_closeTimer.stop();
        setPreviewShown(false);
    }
}

void AppIconView::setPreviewHovered(bool inside)
{
    if (inside)
        m_closeTimer.stop();
    else
        m_closeTimer.start();
}

void AppIconView::hoverElapsed()
{
    if (m_previewConfig && m_previewConfig->shouldShow && m_previewConfig->shouldShow())
        setPreviewShown(true);
    else
        emit nameLabelWanted(true);
}

void AppIconView::setPreviewShown(bool shown)
{
    if (shown == m_previewShown)
        return;
    m_previewShown = shown;
    if (shown)
        emit nameLabelWanted(false);
    emit previewsWanted(shown);
}

bool AppIconView::hasSeveralWindows() const
{
    return m_previewConfig && m_previewConfig->windows && m_previewConfig->windows().size() > 1;
}

AppIconGeometry AppIconView::currentGeometry() const
{
    return AppIconGeometry::compute(size(), m_size, m_env, {m_item.isRunning, m_item.isActive});
}

QSize AppIconView::sizeHint() const
{
    const int length = static_cast<int>(std::ceil(m_size));
    return {length, length};
}

void AppIconView::applyFixedLength()
{
    const int length = static_cast<int>(std::ceil(m_size));
    if (m_env.isVertical()) {
        setMinimumWidth(0);
        setMaximumWidth(QWIDGETSIZE_MAX);
        setFixedHeight(length);
    } else {
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
        setFixedWidth(length);
    }
    setSizePolicy(m_env.isVertical() ? QSizePolicy::Expanding : QSizePolicy::Fixed,
                  m_env.isVertical() ? QSizePolicy::Fixed : QSizePolicy::Expanding);
}

// A newer request replaces an older one still under way, so a late answer cannot bring back an
// old picture.
void AppIconView::loadIcon()
{
    if (!m_requestIcon)
        return;
    const quint64 generation = ++m_iconGeneration;
    const int pixels = static_cast<int>(std::ceil(m_size * devicePixelRatioF()));
    m_requestIcon(m_item, pixels, this, [this, generation](const QImage& icon) {
        if (generation != m_iconGeneration || icon.isNull())
            return;
        m_icon = icon;
        update();
    });
}

void AppIconView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    if (m_dimmed)
        painter.setOpacity(0.4);
    const AppIconGeometry g = currentGeometry();
    paintBackground(painter, g);
    paintIcon(painter, g);
    paintIndicator(painter, g);
    paintBorder(painter, g);
}

void AppIconView::paintBackground(QPainter& painter, const AppIconGeometry& g) const
{
    QColor fill;
    if (m_item.isActive && m_env.activeIndicator == ActiveIndicatorStyle::Background)
        fill = withAlpha(palette().color(QPalette::Highlight), 0.22);
    else if (m_hoverAmount > 0)
        fill = withAlpha(Qt::white, 0.08 * m_hoverAmount);
    if (fill.isValid())
        painter.fillPath(buttonShape(g.button, m_env.highlightStyle), fill);
}

void AppIconView::paintIcon(QPainter& painter, const AppIconGeometry& g) const
{
    if (!m_icon.isNull()) {
        painter.drawImage(g.icon, m_icon);
    } else {
        const QColor secondary = secondaryText(palette());
        painter.drawPixmap(g.icon.toRect(), SymbolIcons::pixmap(QStringLiteral("app.dashed"), g.icon.size().toSize(),
                                                                secondary, devicePixelRatioF()));
    }
    if (!g.label.isEmpty()) {
        QFont font = this->font();
        font.setPixelSize(labelPixelSize);
        painter.setFont(font);
        painter.setPen(palette().color(QPalette::WindowText));
        const QString text = QFontMetrics(font).elidedText(m_item.name, Qt::ElideRight, int(g.label.width()));
        painter.drawText(g.label, Qt::AlignHCenter | Qt::AlignTop, text);
    }
    if (m_item.badge && !m_item.badge->isEmpty())
        paintBadge(painter, g);
}

void AppIconView::paintBadge(QPainter& painter, const AppIconGeometry& g) const
{
    QFont font = this->font();
    font.setPixelSize(std::max(1, int(std::lround(g.badgeFontSize))));
    font.setWeight(QFont::DemiBold);
    const QFontMetricsF metrics(font);
    const QSizeF text(metrics.horizontalAdvance(*m_item.badge), metrics.height());
    const QSizeF capsule(std::max(text.width() + 6, text.height() + 1), text.height() + 1);
    const QPointF topRight = g.icon.topRight() + QPointF(g.badgeOffset.x(), -g.badgeOffset.y());
    const QRectF rect(topRight.x() - capsule.width(), topRight.y(), capsule.width(), capsule.height());
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xff, 0x3b, 0x30));
    painter.drawRoundedRect(rect, capsule.height() / 2, capsule.height() / 2);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(rect, Qt::AlignCenter, *m_item.badge);
}

void AppIconView::paintIndicator(QPainter& painter, const AppIconGeometry& g) const
{
    if (g.indicator.isEmpty())
        return;
    const QColor accent = palette().color(QPalette::Highlight);
    const QColor secondary = withAlpha(palette().color(QPalette::WindowText), 0.5 * 0.7);
    painter.setPen(Qt::NoPen);
    if (AppIconGeometry::indicatorFor(m_env, {m_item.isRunning, m_item.isActive}) == AppIconGeometry::Indicator::Dot) {
        painter.setBrush(secondary);
        painter.drawEllipse(g.indicator);
        return;
    }
    painter.setBrush(m_item.isActive ? accent : secondary);
    painter.drawRoundedRect(g.indicator, 1, 1);
}

void AppIconView::paintBorder(QPainter& painter, const AppIconGeometry& g) const
{
    if (!m_item.isActive || m_env.activeIndicator != ActiveIndicatorStyle::Border)
        return;
    constexpr double lineWidth = 1.5;
    painter.setPen(QPen(palette().color(QPalette::Highlight), lineWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(buttonShape(g.button.adjusted(lineWidth / 2, lineWidth / 2, -lineWidth / 2, -lineWidth / 2),
                                 m_env.highlightStyle));
}

void AppIconView::enterEvent(QEnterEvent*)
{
    m_hovered = true;
    m_hoverAnimation.stop();
    m_hoverAnimation.setStartValue(m_hoverAmount);
    m_hoverAnimation.setEndValue(1.0);
    m_hoverAnimation.start();
    m_closeTimer.stop();
    // Asking early lets the background checks for closed windows finish before the previews open.
    if (m_previewConfig && m_previewConfig->windows)
        m_previewConfig->windows();
    m_hoverTimer.start();
}

void AppIconView::leaveEvent(QEvent*)
{
    m_hovered = false;
    m_hoverAnimation.stop();
    m_hoverAnimation.setStartValue(m_hoverAmount);
    m_hoverAnimation.setEndValue(0.0);
    m_hoverAnimation.start();
    m_hoverTimer.stop();
    emit nameLabelWanted(false);
    if (m_previewConfig)
        m_closeTimer.start();
}

void AppIconView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        m_pressPosition = event->position().toPoint();
    }
}

void AppIconView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressed || (event->position().toPoint() - m_pressPosition).manhattanLength() < QApplication::startDragDistance())
        return;
    m_pressed = false;
    m_hoverTimer.stop();
    emit nameLabelWanted(false);
    emit dragStarted(m_item);
    auto* drag = new QDrag(this);
    auto* mime = new QMimeData;
    mime->setText(m_item.bundleID);
    drag->setMimeData(mime);
    const QRect iconRect = currentGeometry().icon.toRect();
    drag->setPixmap(grab(iconRect));
    drag->setHotSpot(m_pressPosition - iconRect.topLeft());
    drag->exec(Qt::MoveAction);
}

void AppIconView::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (!click)
        return;
    m_hoverTimer.stop();
    emit nameLabelWanted(false);
    if (!hasSeveralWindows()) {
        setPreviewShown(false);
        emit activated(m_item);
        return;
    }
    m_closeTimer.stop();
    setPreviewShown(!m_previewShown);
}

void AppIconView::contextMenuEvent(QContextMenuEvent* event)
{
    m_hoverTimer.stop();
    emit nameLabelWanted(false);
    emit menuRequested(m_item, event->globalPos());
}

void AppIconView::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasText() && event->source())
        event->acceptProposedAction();
}

void AppIconView::dropEvent(QDropEvent* event)
{
    emit dropped(event->mimeData()->text(), m_item);
    event->acceptProposedAction();
}
