#pragma once

#include "AppIconView.h"

#include <QAbstractButton>
#include <QImage>

// One application that did not fit on the bar, in the overflow list: its icon and name.
class OverflowRow : public QAbstractButton {
    Q_OBJECT
public:
    OverflowRow(const TaskbarItem& item, const AppIconView::IconRequest& requestIcon, QWidget* parent = nullptr);

    TaskbarItem item() const { return m_item; }
    QSize sizeHint() const override;

signals:
    void menuRequested(const TaskbarItem& item, const QPoint& globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    TaskbarItem m_item;
    QImage m_icon;
};
