#pragma once

#include "AppIconView.h"
#include "BarEnvironment.h"
#include "ui/views/flyout/FlyoutEnvironment.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

class OverflowButton;
class PreferencesStore;
class QBoxLayout;
class ShowDesktopStrip;
class StartButton;
class TaskbarViewModel;

// Everything along one bar: the Start button where the settings put it, a button per visible
// application, room to spare, the tray and the show-desktop strip. It tells the model how much
// length the application buttons may use.
class TaskbarView : public QWidget {
    Q_OBJECT
public:
    struct Actions {
        std::function<void()> startButtonTapped;
        std::function<void()> showDesktop;
        AppIconView::IconRequest requestIcon;
        std::function<FlyoutEnvironment()> flyoutEnvironment;
        // The window previews; none without `windowsOf`.
        std::function<QList<WindowInfo>(const QString& bundleID)> windowsOf;
        WindowPreviewConfig::Thumbnail thumbnail;
        std::function<void(const WindowInfo&)> selectWindow;
        std::function<void(WindowCommand, const WindowInfo&)> windowCommand;
        std::function<void(bool)> thumbnailsShown;
    };

    TaskbarView(TaskbarViewModel& model, PreferencesStore& preferences, Actions actions, QWidget* parent = nullptr);

    // The buttons in bar order, for those who report what the bar shows.
    QList<AppIconView*> appButtons() const;
    // Present while some applications do not fit.
    OverflowButton* overflowButton() const;
    // The length of the Start button and the tray together.
    int reservedLength() const;
    // What the model is told is left for application buttons, given the bar's length.
    static double availableLength(double barLength, int reserved, bool hasLabel, bool showDesktopStrip);
    // The desktop file id a dropped entry is pinned under.
    static QString desktopFileId(const QString& path);
    // What a button shows in its previews; none when previews are off or the item does not run.
    std::optional<WindowPreviewConfig> previewConfig(const TaskbarItem& item) const;

signals:
    void menuShown(QWidget* menu);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void rebuild();
    void rebuildButtons();
    void updateLength();
    void showMenu(const TaskbarItem& item, const QPoint& globalPosition);
    void handleReorderDrop(const QString& dragged, const TaskbarItem& onto);
    AppIconView* makeButton(const TaskbarItem& item);
    void showNameLabel(AppIconView* button, bool shown);
    void showPreviews(AppIconView* button, bool shown);
    void updatePreviewConfigs();
    void updateOverflowButton(int index);
    FlyoutEnvironment flyoutEnvironment() const;
    BarEnvironment environment() const;
    StartButton* makeStartButton(const QMargins& insets);

    TaskbarViewModel& m_model;
    PreferencesStore& m_preferences;
    Actions m_actions;
    QBoxLayout* m_outer = nullptr;
    QBoxLayout* m_row = nullptr;
    QPointer<StartButton> m_startButton;
    QPointer<QWidget> m_tray;
    QPointer<ShowDesktopStrip> m_strip;
    QPointer<OverflowButton> m_overflow;
    int m_firstButtonIndex = 0;
    QHash<QString, AppIconView*> m_buttons;
    QList<AppIconView*> m_order;
    std::optional<QString> m_draggingItem;
};
