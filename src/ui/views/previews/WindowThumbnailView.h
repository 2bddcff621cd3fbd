#pragma once

#include "WindowPreviewConfig.h"

#include <QImage>
#include <QWidget>

class HoverAnimation;
class QMenu;

// One window's card in the previews: its thumbnail, a mark for minimized and off-desktop windows
// and its title. A click selects the window, a middle click closes it, the context menu offers
// the window commands.
class WindowThumbnailView : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize cardSize{276, 201};
    static constexpr QSize thumbnailSize{260, 163};

    WindowThumbnailView(const WindowInfo& window, WindowPreviewConfig::Thumbnail thumbnail, bool square,
                        QWidget* parent = nullptr);

    WindowInfo window() const { return m_window; }
    // A changed window asks for its thumbnail again; the old image stays until a new one arrives.
    void setWindow(const WindowInfo& window);
    // Asks for a newer picture of a window on screen; the others cannot be captured.
    void refreshThumbnail();
    bool hasImage() const { return !m_image.isNull(); }
    // The text under the thumbnail.
    QString displayTitle() const;

    QSize sizeHint() const override { return cardSize; }

signals:
    void tapped(const WindowInfo& window);
    void commandRequested(WindowCommand command, const WindowInfo& window);
    void menuShown(QMenu* menu);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void requestThumbnail();
    void setHovered(bool hovered);
    void addCommand(QMenu& menu, const QString& text, WindowCommand command);
    void paintThumbnail(QPainter& painter, const QRectF& area) const;
    void paintTitle(QPainter& painter, const QRectF& row) const;

    WindowInfo m_window;
    WindowPreviewConfig::Thumbnail m_thumbnail;
    bool m_square;
    QImage m_image;
    bool m_hovered = false;
    double m_hoverAmount = 0;
    HoverAnimation* m_animation;
};
