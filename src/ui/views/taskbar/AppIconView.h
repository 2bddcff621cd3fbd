#pragma once

#include "AppIconGeometry.h"
#include "BarEnvironment.h"
#include "core/features/taskbar/TaskbarItem.h"
#include "ui/views/previews/WindowPreviewConfig.h"

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QVariantAnimation>
#include <QWidget>

#include <functional>
#include <optional>

// The button of one application on the bar: its icon, name, hover and active highlights, running
// indicator and badge. A click activates it, or toggles the window previews when it has several
// windows; resting on it opens the previews or its name. A secondary click asks for its menu, a
// drag reorders.
class AppIconView : public QWidget {
    Q_OBJECT
public:
    // `done` may come again later when the picture changes (a window setting a new icon).
    using IconRequest = std::function<void(const TaskbarItem&, int pixelSize, QObject* context,
                                           std::function<void(const QImage&)> done)>;

    AppIconView(const TaskbarItem& item, double size, const BarEnvironment& env, IconRequest requestIcon,
                QWidget* parent = nullptr);

    TaskbarItem item() const { return m_item; }
    void setItem(const TaskbarItem& item);
    void setIconSize(double size);
    double iconSize() const { return m_size; }
    void setEnvironment(const BarEnvironment& env);
    // Drawn faded while it is being dragged to a new place.
    void setDimmed(bool dimmed);
    bool isHovered() const { return m_hovered; }
    AppIconGeometry currentGeometry() const;
    // None when the application shows no previews (not running, or previews off).
    void setPreviewConfig(std::optional<WindowPreviewConfig> config);
    const std::optional<WindowPreviewConfig>& previewConfig() const { return m_previewConfig; }
    bool isPreviewShown() const { return m_previewShown; }
    // The pointer entering the previews keeps them open; leaving them closes them after a while.
    void setPreviewHovered(bool inside);
    // The previews closed themselves (a click elsewhere).
    void previewsDismissed() { m_previewShown = false; }

    QSize sizeHint() const override;

    // How long the pointer rests before the name shows, and how long after leaving it goes.
    static constexpr int hoverDelayMs = 600;
    static constexpr int closeDelayMs = 300;

signals:
    void activated(const TaskbarItem& item);
    void menuRequested(const TaskbarItem& item, const QPoint& globalPosition);
    void dragStarted(const TaskbarItem& item);
    void dropped(const QString& draggedBundleID, const TaskbarItem& onto);
    void nameLabelWanted(bool shown);
    void previewsWanted(bool shown);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void loadIcon();
    void hoverElapsed();
    void setPreviewShown(bool shown);
    bool hasSeveralWindows() const;
    void applyFixedLength();
    void paintBackground(QPainter& painter, const AppIconGeometry& g) const;
    void paintIcon(QPainter& painter, const AppIconGeometry& g) const;
    void paintBadge(QPainter& painter, const AppIconGeometry& g) const;
    void paintIndicator(QPainter& painter, const AppIconGeometry& g) const;
    void paintBorder(QPainter& painter, const AppIconGeometry& g) const;

    TaskbarItem m_item;
    double m_size;
    BarEnvironment m_env;
    IconRequest m_requestIcon;
    QImage m_icon;
    bool m_dimmed = false;
    bool m_hovered = false;
    double m_hoverAmount = 0;
    QVariantAnimation m_hoverAnimation;
    QTimer m_hoverTimer;
    QTimer m_closeTimer;
    std::optional<WindowPreviewConfig> m_previewConfig;
    bool m_previewShown = false;
    QPoint m_pressPosition;
    bool m_pressed = false;
    quint64 m_iconGeneration = 0;
};
