#pragma once

#include "FlyoutEnvironment.h"
#include "core/models/FlyoutOptions.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <functional>
#include <memory>
#include <optional>

class FlyoutPanel;
class GlobalClickWatch;
class QMouseEvent;
class QPropertyAnimation;

// Shows one flyout at a time against an anchor widget of a bar: places it, slides and fades it
// in, follows its content's size, and closes it on a click elsewhere, Escape or focus loss.
class FlyoutController : public QObject {
    Q_OBJECT
public:
    explicit FlyoutController(QObject* parent = nullptr);
    ~FlyoutController() override;

    // Builds a new panel around `content`. Refused (and the content dropped) while shown or while
    // the anchor is not on screen.
    bool show(std::unique_ptr<QWidget> content, QWidget* anchor, const FlyoutEnvironment& environment,
              const FlyoutOptions& options);
    // While shown: re-applies the style when it differs, and swaps in new content when given.
    void update(const FlyoutStyle& style, std::unique_ptr<QWidget> content = nullptr);
    void close();
    // A close the flyout decides itself; the owner hears of it through onDismiss.
    void dismiss();

    bool isShown() const { return m_shown; }
    void setOnDismiss(std::function<void()> onDismiss) { m_onDismiss = std::move(onDismiss); }
    // The current panel: the shown one, or the last one while it fades out or stays hidden.
    FlyoutPanel* panel() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void makePanel(std::unique_ptr<QWidget> content, bool takesKey);
    void discardPanel();
    void applyStyle(const FlyoutStyle& style);
    void applyBlur();
    std::optional<QRect> targetFrame() const;
    QRect screenArea() const;
    void contentLayoutChanged();
    void refit();
    void installMonitors();
    void removeMonitors();
    void handleLocalPress(QWidget* receiver, const QMouseEvent& event);
    void handleGlobalPress();
    bool isInsidePanel(const QWidget* widget) const;
    bool isInsideAnchor(const QWidget* receiver, const QMouseEvent& event) const;
    void animateGeometry(const QRect& from, const QRect& to, int durationMs);
    void animateOpacity(double from, double to, int durationMs);

    QPointer<FlyoutPanel> m_panel;
    QPointer<QWidget> m_anchor;
    FlyoutEnvironment m_environment;
    FlyoutOptions m_options;
    FlyoutStyle m_style;
    // The last non-zero size the content asked for.
    QSize m_contentSize;
    std::function<void()> m_onDismiss;
    quint64 m_generation = 0;
    bool m_shown = false;
    bool m_monitoring = false;
    QPointer<GlobalClickWatch> m_clickWatch;
    QMetaObject::Connection m_clickConnection;
    QPointer<QPropertyAnimation> m_move;
    QPointer<QPropertyAnimation> m_fade;
};
