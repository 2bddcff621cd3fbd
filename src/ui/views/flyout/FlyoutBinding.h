#pragma once

#include "FlyoutEnvironment.h"
#include "core/models/FlyoutOptions.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class FlyoutController;
class QWidget;

// Attaches a flyout to a widget of the bar: presenting it shows a fresh content from the factory,
// and the flyout closing itself (click elsewhere, Escape, focus loss) reports back as not presented.
// It lives as a child of the anchor, so the flyout closes when the anchor goes away.
class FlyoutBinding : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool presented READ isPresented WRITE setPresented NOTIFY presentedChanged)
public:
    using ContentFactory = std::function<std::unique_ptr<QWidget>()>;

    FlyoutBinding(QWidget* anchor, FlyoutEnvironment environment, FlyoutOptions options, ContentFactory content);
    ~FlyoutBinding() override;

    bool isPresented() const { return m_presented; }
    void setPresented(bool presented);
    // A new style reaches an open flyout at once; the position and area apply from the next show.
    void setEnvironment(const FlyoutEnvironment& environment);
    FlyoutController* controller() const { return m_controller.get(); }

signals:
    void presentedChanged(bool presented);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void sync();

    QPointer<QWidget> m_anchor;
    FlyoutEnvironment m_environment;
    FlyoutOptions m_options;
    ContentFactory m_content;
    std::unique_ptr<FlyoutController> m_controller;
    bool m_presented = false;
};
