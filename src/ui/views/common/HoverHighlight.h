#pragma once

#include <QWidget>

class HoverAnimation;
class HoverTracker;
class QPainter;

// The rounded wash behind a row or button of the bar, the tray or a flyout: the text colour at
// 8 % while the pointer is over the target and 14 % while it is pressed, easing over 0.1 s. It
// lives as the lowest child of its target and follows the target's size.
class HoverHighlight : public QWidget {
    Q_OBJECT
public:
    enum class Press { Shown, Ignored };

    explicit HoverHighlight(QWidget* target, Press press = Press::Shown);

    // Square corners for the "windows" menu style.
    void setSquare(bool square);
    bool isSquare() const { return m_square; }
    double fillOpacity() const { return m_opacity; }

    static double targetOpacity(bool hovered, bool pressed);
    // For widgets that paint their own background and cannot have a child beneath their content.
    static void paint(QPainter& painter, const QRectF& rect, const QColor& text, double opacity, bool square);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void follow();

    HoverTracker* m_tracker;
    Press m_press;
    bool m_square = false;
    double m_opacity = 0.0;
    HoverAnimation* m_animation;
};
