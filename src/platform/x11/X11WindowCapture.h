#pragma once

#include "XcbConnection.h"
#include "core/ports/WindowCapture.h"

#include <QThread>

class X11CaptureWorker;

// Window thumbnails through XComposite and XRender, captured on a thread of its own; answers come
// back on this object's thread. Without a compositing manager the windows are redirected while
// they are captured, or for as long as `setRedirected(true)` asks.
class X11WindowCapture final : public WindowCapture {
    Q_OBJECT
public:
    explicit X11WindowCapture(XcbConnection connection, QObject* parent = nullptr);
    ~X11WindowCapture() override;

    void requestCapture(WindowId id, QSize pixelSize) override;
    bool isCompositing() const override;
    void setRedirected(bool redirected) override;

private:
    XcbConnection m_x;
    xcb_atom_t m_compositorSelection = XCB_ATOM_NONE;
    QThread m_thread;
    X11CaptureWorker* m_worker = nullptr;
};
