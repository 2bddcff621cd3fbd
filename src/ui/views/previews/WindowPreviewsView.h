#pragma once

#include "WindowPreviewConfig.h"
#include "core/models/SettingEnums.h"

#include <QHash>
#include <QTimer>
#include <QWidget>

#include <functional>

class QBoxLayout;
class QScrollArea;
class WindowThumbnailView;

// The previews flyout's content: the application's name over a strip of window cards that shows
// up to three at once and scrolls for more. The list refreshes every second; a window missing
// from one refresh stays until it has been missed twice.
class WindowPreviewsView : public QWidget {
    Q_OBJECT
public:
    static constexpr int refreshIntervalMs = 1000;

    // `onHoverChanged` hears the pointer enter and leave the whole flyout.
    WindowPreviewsView(WindowPreviewConfig config, BarPosition position, bool square,
                       std::function<void(bool)> onHoverChanged, QWidget* parent = nullptr);
    ~WindowPreviewsView() override;

    // The strip's length for `windowCount` cards of `cardLength` each.
    static int stripLength(int windowCount, int cardLength);

    QList<WindowInfo> windows() const { return m_windows; }
    QList<WindowThumbnailView*> cards() const { return m_cards; }
    // A card's command: a closed window leaves at once rather than after the refreshes that
    // would otherwise miss it.
    void run(WindowCommand command, const WindowInfo& window);
    void refresh();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setWindows(const QList<WindowInfo>& windows);
    void syncBody();
    void syncCards();
    QWidget* makeStrip();
    QWidget* makeEmptyNote();
    WindowThumbnailView* makeCard(const WindowInfo& window);

    WindowPreviewConfig m_config;
    BarPosition m_position;
    bool m_square;
    std::function<void(bool)> m_onHoverChanged;
    QList<WindowInfo> m_windows;
    QHash<WindowId, int> m_misses;
    QBoxLayout* m_layout;
    QWidget* m_body = nullptr;
    QScrollArea* m_strip = nullptr;
    QBoxLayout* m_cardRow = nullptr;
    QList<WindowThumbnailView*> m_cards;
    QTimer m_refreshTick;
};
