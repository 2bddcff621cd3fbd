#pragma once

#include <QWidget>

// A bar's top-level window: frameless, above ordinary windows, never focused, fixed in size.
class PelluxWindow : public QWidget {
    Q_OBJECT
public:
    explicit PelluxWindow(bool translucent);

    // Size limits equal to the size, so nothing else can resize the bar.
    void lockSize(const QSize& size);
};
