#pragma once

#include "BarServices.h"
#include "core/features/windowfitting/ScreenBox.h"
#include "core/models/SettingEnums.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QScreen>

#include <memory>
#include <optional>

struct FlyoutEnvironment;
class BarBackdrop;
class LayoutCalculator;
class PelluxWindow;
class TaskbarView;
class TaskbarViewModel;

// Owns the bar window of one monitor: places it at the chosen edge, reserves that edge, and
// follows the size and appearance settings while it lives.
class PelluxWindowController : public QObject {
    Q_OBJECT
public:
    PelluxWindowController(QScreen* screen, const BarServices& services, QObject* parent = nullptr);
    ~PelluxWindowController() override;

    void showWindow();
    void orderOut();
    void close();

    QScreen* screen() const { return m_screen; }
    PelluxWindow* window() const { return m_window.get(); }
    TaskbarViewModel* viewModel() const { return m_viewModel.get(); }
    TaskbarView* view() const;
    QRect frame() const;
    // The monitor, its free area and the bar, in the window system's pixels.
    ScreenBox screenBox() const;
    bool isShown() const;

    void reposition(double height, BarPosition position);
    // Places the bar again when the space other panels reserve has changed.
    void refreshFrame();
    void applyBlur(std::optional<double> radius = std::nullopt);
    void updateTint(const QString& hex, std::optional<bool> transparent = std::nullopt);

private:
    QRect computeFrame(double height, BarPosition position);
    QRect visibleFrameOfScreen() const;
    void applyStrut(const QRect& frame, BarPosition position);
    void configureContent();
    void observePreferences();
    void applyContentAppearance(const QString& tintHex, AppTheme theme);
    void setBackdropOpacity(double opacity);
    FlyoutEnvironment flyoutEnvironment() const;

    QPointer<QScreen> m_screen;
    BarServices m_services;
    std::unique_ptr<LayoutCalculator> m_layoutCalculator;
    std::unique_ptr<TaskbarViewModel> m_viewModel;
    std::unique_ptr<PelluxWindow> m_window;
    QPointer<BarBackdrop> m_backdrop;
    QPointer<TaskbarView> m_view;
    QRect m_visibleFrame;
};
