#pragma once

#include <QObject>

class QWidget;

// Whether the pointer is over a widget and whether the left button is held down on it.
class HoverTracker : public QObject {
    Q_OBJECT
public:
    explicit HoverTracker(QWidget* target);

    bool isHovered() const { return m_hovered; }
    bool isPressed() const { return m_pressed; }

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void set(bool hovered, bool pressed);

    bool m_hovered = false;
    bool m_pressed = false;
};
