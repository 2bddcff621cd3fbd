#pragma once

#include <QObject>

class HoverAnimation;
class HoverTracker;
class QPainter;
class QRectF;
class QWidget;

// Grows a widget's drawing about its centre while the pointer is over it (easing over 0.1 s) and,
// for buttons, dims it while pressed. The widget calls apply() before it paints.
class HoverScale : public QObject {
    Q_OBJECT
public:
    enum class Press { Dimmed, Ignored };

    explicit HoverScale(QWidget* target, double hoverScale = 1.15, Press press = Press::Dimmed);

    double scale() const { return m_scale; }
    double opacity() const;
    // Scales the painter about the centre of `bounds` and sets its opacity.
    void apply(QPainter& painter, const QRectF& bounds) const;

private:
    void follow();

    HoverTracker* m_tracker;
    double m_hoverScale;
    Press m_press;
    double m_scale = 1.0;
    HoverAnimation* m_animation;
};
