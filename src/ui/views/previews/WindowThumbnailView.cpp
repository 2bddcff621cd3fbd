#include "WindowThumbnailView.h"

#include "ui/views/common/HoverAnimation.h"
#include "ui/views/common/SymbolIcons.h"
#include "ui/windows/PanelPalette.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int padding = 8;
constexpr int spacing = 6;
constexpr int titleHeight = 16;
constexpr int markSpacing = 4;
constexpr int captionPixelSize = 11;
constexpr int placeholderSymbolSize = 40;

double mix(double from, double to, double amount)
{
    return from + (to - from) * amount;
}

QPainterPath rounded(const QRectF& rect, double radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QString markSymbol(WindowInfo::State state)
{
    switch (state) {
    case WindowInfo::State::Minimized:
        return QStringLiteral("minus.circle");
    case WindowInfo::State::Elsewhere:
        return QStringLiteral("rectangle.on.rectangle");
    case WindowInfo::State::Normal:
        break;
    }
    return {};
}

} // namespace

WindowThumbnailView::WindowThumbnailView(const WindowInfo& window, WindowPreviewConfig::Thumbnail thumbnail,
                                         bool square, QWidget* parent)
    : QWidget(parent), m_window(window), m_thumbnail(std::move(thumbnail)), m_square(square),
      m_animation(new HoverAnimation(this, [this](double amount) {
          m_hoverAmount = amount;
          update();
      }))
{
    setFixedSize(cardSize);
    setAttribute(Qt::WA_Hover);
    requestThumbnail();
}

void WindowThumbnailView::setWindow(const WindowInfo& window)
{
    if (window == m_window)
        return;
    m_window = window;
    requestThumbnail();
    update();
}

QString WindowThumbnailView::displayTitle() const
{
    return m_window.title.isEmpty() ? QStringLiteral("—") : m_window.title;
}

void WindowThumbnailView::refreshThumbnail()
{
    if (m_window.state == WindowInfo::State::Normal)
        requestThumbnail();
}

// A missing image keeps the last one: minimized and off-desktop windows cannot be captured.
void WindowThumbnailView::requestThumbnail()
{
    if (!m_thumbnail)
        return;
    m_thumbnail(m_window.windowID, this, [this](const QImage& image) {
        if (image.isNull() || image.cacheKey() == m_image.cacheKey())
            return;
        m_image = image;
        update();
    });
}

void WindowThumbnailView::setHovered(bool hovered)
{
    if (hovered == m_hovered)
        return;
    m_hovered = hovered;
    m_animation->animateTo(m_hoverAmount, hovered ? 1.0 : 0.0);
}

void WindowThumbnailView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    const QColor primary = palette().color(QPalette::WindowText);
    const QRectF card = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QPainterPath shape = rounded(card, m_square ? 0 : 8);
    painter.fillPath(shape, withAlpha(primary, mix(0.07, 0.14, m_hoverAmount)));
    painter.strokePath(shape, QPen(withAlpha(primary, mix(0.12, 0.25, m_hoverAmount)), 1));
    const QRectF area(padding, padding, thumbnailSize.width(), thumbnailSize.height());
    paintThumbnail(painter, area);
    paintTitle(painter, QRectF(padding, area.bottom() + spacing, thumbnailSize.width(), titleHeight));
}

void WindowThumbnailView::paintThumbnail(QPainter& painter, const QRectF& area) const
{
    const QPainterPath clip = rounded(area, m_square ? 0 : 4);
    const QColor primary = palette().color(QPalette::WindowText);
    if (m_image.isNull()) {
        painter.fillPath(clip, withAlpha(primary, 0.06));
        const QSize symbol(placeholderSymbolSize, placeholderSymbolSize);
        QRect target(QPoint(), symbol);
        target.moveCenter(area.center().toPoint());
        painter.drawPixmap(target, SymbolIcons::pixmap(QStringLiteral("macwindow"), symbol,
                                                       secondaryText(palette()), devicePixelRatioF()));
        return;
    }
    QSizeF fitted = QSizeF(m_image.size()).scaled(area.size(), Qt::KeepAspectRatio);
    QRectF target(QPointF(), fitted);
    target.moveCenter(area.center());
    painter.save();
    painter.setClipPath(clip);
    painter.drawImage(target, m_image);
    painter.restore();
}

void WindowThumbnailView::paintTitle(QPainter& painter, const QRectF& row) const
{
    QFont font = this->font();
    font.setPixelSize(captionPixelSize);
    const QFontMetricsF metrics(font);
    const QColor primary = palette().color(QPalette::WindowText);
    const QString symbol = markSymbol(m_window.state);
    const double markSize = symbol.isEmpty() ? 0 : metrics.height();
    const double markSpace = symbol.isEmpty() ? 0 : markSize + markSpacing;
    const QString text = metrics.elidedText(displayTitle(), Qt::ElideRight, row.width() - markSpace);
    const double width = markSpace + metrics.horizontalAdvance(text);
    double x = row.center().x() - width / 2;
    if (!symbol.isEmpty()) {
        const QSize size(qRound(markSize), qRound(markSize));
        const QPointF topLeft(x, row.center().y() - markSize / 2);
        painter.drawPixmap(topLeft, SymbolIcons::pixmap(symbol, size, secondaryText(palette()), devicePixelRatioF()));
        x += markSpace;
    }
    painter.setFont(font);
    painter.setPen(primary);
    painter.drawText(QRectF(x, row.top(), row.right() - x, row.height()), Qt::AlignLeft | Qt::AlignVCenter, text);
}

void WindowThumbnailView::enterEvent(QEnterEvent*)
{
    setHovered(true);
}

void WindowThumbnailView::leaveEvent(QEvent*)
{
    setHovered(false);
}

// Acting on release, as a button does, so the press may still be moved off to cancel.
void WindowThumbnailView::mousePressEvent(QMouseEvent* event)
{
    event->setAccepted(event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton);
}

void WindowThumbnailView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!rect().contains(event->position().toPoint()))
        return;
    if (event->button() == Qt::LeftButton)
        emit tapped(m_window);
    else if (event->button() == Qt::MiddleButton)
        emit commandRequested(WindowCommand::Close, m_window);
}

void WindowThumbnailView::contextMenuEvent(QContextMenuEvent* event)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool minimized = m_window.state == WindowInfo::State::Minimized;
    addCommand(*menu, minimized ? tr("Restore") : tr("Minimize"),
               minimized ? WindowCommand::Restore : WindowCommand::Minimize);
    addCommand(*menu, tr("Maximize"), WindowCommand::Maximize);
    addCommand(*menu, tr("Close"), WindowCommand::Close);
    menu->popup(event->globalPos());
    emit menuShown(menu);
}

void WindowThumbnailView::addCommand(QMenu& menu, const QString& text, WindowCommand command)
{
    connect(menu.addAction(text), &QAction::triggered, this,
            [this, command] { emit commandRequested(command, m_window); });
}
