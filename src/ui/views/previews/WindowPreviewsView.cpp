#include "WindowPreviewsView.h"

#include "WindowThumbnailView.h"
#include "core/features/windows/PreviewWindows.h"
#include "ui/views/common/SeeThroughScrollArea.h"
#include "ui/windows/PanelPalette.h"

#include <QBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int cardGap = 10;
constexpr int stripPadding = 10;
constexpr int maxVisibleCards = 3;
constexpr int headlinePixelSize = 13;
constexpr int standardPadding = 16;
constexpr int emptyNoteWidth = 220;

// Later, since the widget may be the card whose click is closing its window.
void discard(QWidget* widget)
{
    if (!widget)
        return;
    widget->hide();
    widget->setParent(nullptr);
    widget->deleteLater();
}

QLabel* makeHeadline(const QString& name)
{
    auto* label = new QLabel(name);
    QFont font = label->font();
    font.setPixelSize(headlinePixelSize);
    font.setWeight(QFont::DemiBold);
    label->setFont(font);
    label->setContentsMargins(18, 10, 18, 0);
    return label;
}

} // namespace

WindowPreviewsView::WindowPreviewsView(WindowPreviewConfig config, BarPosition position, bool square,
                                       std::function<void(bool)> onHoverChanged, QWidget* parent)
    : QWidget(parent), m_config(std::move(config)), m_position(position), m_square(square),
      m_onHoverChanged(std::move(onHoverChanged)), m_layout(new QBoxLayout(QBoxLayout::TopToBottom, this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->setSizeConstraint(QLayout::SetFixedSize);
    if (!m_config.appName.isEmpty())
        m_layout->addWidget(makeHeadline(m_config.appName), 0, Qt::AlignLeft);
    // Tied to this view's life, so previews that go with their button are never left counted.
    if (m_config.thumbnailsShown)
        m_config.thumbnailsShown(true);
    if (m_config.windows)
        m_windows = m_config.windows();
    syncBody();
    m_refreshTick.setInterval(refreshIntervalMs);
    connect(&m_refreshTick, &QTimer::timeout, this, &WindowPreviewsView::refresh);
    m_refreshTick.start();
}

WindowPreviewsView::~WindowPreviewsView()
{
    if (m_config.thumbnailsShown)
        m_config.thumbnailsShown(false);
}

int WindowPreviewsView::stripLength(int windowCount, int cardLength)
{
    const int shown = std::clamp(windowCount, 1, maxVisibleCards);
    return shown * cardLength + (shown - 1) * cardGap + 2 * stripPadding;
}

void WindowPreviewsView::run(WindowCommand command, const WindowInfo& window)
{
    if (command == WindowCommand::Close) {
        QList<WindowInfo> remaining = m_windows;
        remaining.removeIf([&window](const WindowInfo& w) { return w.windowID == window.windowID; });
        m_misses.remove(window.windowID);
        setWindows(remaining);
    }
    if (m_config.onCommand)
        m_config.onCommand(command, window);
}

void WindowPreviewsView::refresh()
{
    if (!m_config.windows)
        return;
    const PreviewWindows::Result result = PreviewWindows::reconcile(m_windows, m_config.windows(), m_misses);
    m_misses = result.misses;
    setWindows(result.windows);
    for (WindowThumbnailView* card : std::as_const(m_cards))
        card->refreshThumbnail();
}

void WindowPreviewsView::enterEvent(QEnterEvent*)
{
    if (m_onHoverChanged)
        m_onHoverChanged(true);
}

void WindowPreviewsView::leaveEvent(QEvent*)
{
    if (m_onHoverChanged)
        m_onHoverChanged(false);
}

void WindowPreviewsView::setWindows(const QList<WindowInfo>& windows)
{
    if (windows == m_windows)
        return;
    m_windows = windows;
    syncBody();
}

// The strip and the empty note replace each other only when the list empties or fills.
void WindowPreviewsView::syncBody()
{
    const bool wantsStrip = !m_windows.isEmpty();
    if (!m_body || wantsStrip != (m_strip != nullptr)) {
        discard(m_body);
        m_strip = nullptr;
        m_cardRow = nullptr;
        m_cards.clear();
        m_body = wantsStrip ? makeStrip() : makeEmptyNote();
        m_layout->addWidget(m_body, 0, Qt::AlignLeft);
    }
    if (m_strip)
        syncCards();
}

// Cards are kept per window, so a card that stays keeps its image.
void WindowPreviewsView::syncCards()
{
    QHash<WindowId, WindowThumbnailView*> previous;
    for (WindowThumbnailView* card : std::as_const(m_cards)) {
        previous.insert(card->window().windowID, card);
        m_cardRow->removeWidget(card);
    }
    m_cards.clear();
    for (const WindowInfo& window : std::as_const(m_windows)) {
        WindowThumbnailView* card = previous.take(window.windowID);
        if (card)
            card->setWindow(window);
        else
            card = makeCard(window);
        m_cardRow->addWidget(card);
        m_cards.append(card);
    }
    for (WindowThumbnailView* gone : std::as_const(previous))
        discard(gone);
    const QSize card = WindowThumbnailView::cardSize;
    const int count = int(m_windows.size());
    if (isVertical(m_position))
        m_strip->setFixedSize(card.width() + 2 * stripPadding, stripLength(count, card.height()));
    else
        m_strip->setFixedSize(stripLength(count, card.width()), card.height() + 2 * stripPadding);
}

QWidget* WindowPreviewsView::makeStrip()
{
    m_strip = new QScrollArea;
    m_strip->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_strip->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_strip->setWidgetResizable(true);
    auto* content = new QWidget;
    const bool vertical = isVertical(m_position);
    m_cardRow = new QBoxLayout(vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, content);
    m_cardRow->setContentsMargins(stripPadding, stripPadding, stripPadding, stripPadding);
    m_cardRow->setSpacing(cardGap);
    m_cardRow->setAlignment(Qt::AlignCenter);
    setSeeThroughContent(*m_strip, content);
    return m_strip;
}

QWidget* WindowPreviewsView::makeEmptyNote()
{
    auto* note = new QLabel(tr("No open windows"));
    QPalette palette = note->palette();
    palette.setColor(QPalette::WindowText, secondaryText(palette));
    note->setPalette(palette);
    note->setContentsMargins(standardPadding, standardPadding, standardPadding, standardPadding);
    note->setFixedWidth(emptyNoteWidth);
    return note;
}

WindowThumbnailView* WindowPreviewsView::makeCard(const WindowInfo& window)
{
    auto* card = new WindowThumbnailView(window, m_config.thumbnail, m_square);
    connect(card, &WindowThumbnailView::tapped, this, [this](const WindowInfo& tapped) {
        if (m_config.onSelect)
            m_config.onSelect(tapped);
    });
    connect(card, &WindowThumbnailView::commandRequested, this, &WindowPreviewsView::run);
    return card;
}
