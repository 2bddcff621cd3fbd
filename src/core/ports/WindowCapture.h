#pragma once

#include "core/models/WindowId.h"

#include <QImage>
#include <QObject>
#include <QSize>

// Pictures of single windows, scaled on the display server. Answers come as `captured` on the
// thread that owns this object.
class WindowCapture : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The window's contents scaled to fit `pixelSize`, centred on a transparent image of exactly
    // that size; answered by `captured` with a null image when it cannot be captured (minimized,
    // on another desktop, gone).
    virtual void requestCapture(WindowId id, QSize pixelSize) = 0;
    // Whether a compositing manager keeps every window's contents off screen.
    virtual bool isCompositing() const = 0;
    // While true, windows captured without a compositing manager stay redirected, so the next
    // capture is cheap; false gives them back to the screen.
    virtual void setRedirected(bool redirected) = 0;
    // Reports the next change of the window's contents once, through `contentsChanged`; each call
    // asks for one more report. False when changes cannot be seen: then every capture may be stale.
    virtual bool watchContents(WindowId id) = 0;
    virtual void stopWatchingContents() = 0;

signals:
    void captured(WindowId id, const QImage& image);
    void contentsChanged(WindowId id);
};
