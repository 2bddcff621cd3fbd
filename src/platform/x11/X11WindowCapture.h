#pragma once

#include "XcbConnection.h"
#include "core/ports/WindowCapture.h"

#include <QAbstractNativeEventFilter>
#include <QHash>
#include <QThread>

#include <xcb/damage.h>

#include <optional>

class X11CaptureWorker;

// Window thumbnails through XComposite and XRender, captured on a thread of its own; answers come
// back on this object's thread. Without a compositing manager the windows are redirected while
// they are captured, or for as long as `setRedirected(true)` asks. Changes of contents are seen
// through XDamage, one report per watch.
class X11WindowCapture final : public WindowCapture, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit X11WindowCapture(XcbConnection connection, QObject* parent = nullptr);
    ~X11WindowCapture() override;

    void requestCapture(WindowId id, QSize pixelSize) override;
    bool isCompositing() const override;
    void setRedirected(bool redirected) override;
    bool watchContents(WindowId id) override;
    void stopWatchingContents() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    bool ensureDamage();

    XcbConnection m_x;
    // The extension's first event number, once it is known to be usable.
    std::optional<quint8> m_damageEvent;
    bool m_damageQueried = false;
    QHash<xcb_window_t, xcb_damage_damage_t> m_damages;
    xcb_atom_t m_compositorSelection = XCB_ATOM_NONE;
    QThread m_thread;
    X11CaptureWorker* m_worker = nullptr;
};
