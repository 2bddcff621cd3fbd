#pragma once

#include "AppIconView.h"
#include "ui/views/flyout/FlyoutEnvironment.h"

#include <QAbstractButton>
#include <QPointer>

class FlyoutBinding;

// The chevron after the last application button that lists the applications that did not fit.
class OverflowButton : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr int listWidth = 240;
    static constexpr int listMaxHeight = 420;

    OverflowButton(double size, const AppIconView::IconRequest& requestIcon, const FlyoutEnvironment& environment,
                   QWidget* parent = nullptr);

    void setItems(const QList<TaskbarItem>& items);
    void setIconSize(double size, bool vertical);
    void setEnvironment(const FlyoutEnvironment& environment);
    bool isListShown() const;
    // The rows of the open list, for tests and for the state report.
    QWidget* list() const { return m_list; }

    QSize sizeHint() const override;

signals:
    void itemOpened(const TaskbarItem& item);
    void menuRequested(const TaskbarItem& item, const QPoint& globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<QWidget> makeList();

    double m_size;
    AppIconView::IconRequest m_requestIcon;
    QList<TaskbarItem> m_items;
    FlyoutBinding* m_binding = nullptr;
    QPointer<QWidget> m_list;
};
