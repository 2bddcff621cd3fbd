#pragma once

#include <QAbstractButton>

// The thin strip at the far end of the bar that shows the desktop.
class ShowDesktopStrip : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr int length = 10;

    explicit ShowDesktopStrip(bool vertical, QWidget* parent = nullptr);
    void setVertical(bool vertical);

    QSize sizeHint() const override { return {length, length}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool m_vertical;
    bool m_hovered = false;
};
