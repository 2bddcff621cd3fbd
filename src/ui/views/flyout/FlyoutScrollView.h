#pragma once

#include <QScrollArea>

// A vertical scroller for flyout content: as tall as the content up to `maxHeight`, with a scroll
// bar only when the content is taller.
class FlyoutScrollView : public QScrollArea {
    Q_OBJECT
public:
    FlyoutScrollView(int maxHeight, QWidget* content, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QSize contentHint() const;

    int m_maxHeight;
};
