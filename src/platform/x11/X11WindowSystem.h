#pragma once

#include "X11ClientReader.h"
#include "XcbConnection.h"
#include "core/ports/WindowSystem.h"

#include <QAbstractNativeEventFilter>
#include <QHash>
#include <QSet>
#include <QTimer>

// Other clients' windows through EWMH/ICCCM. Properties are cached per window and read again only
// when an event says they changed; all events of one event-loop turn are answered by one batch.
class X11WindowSystem final : public WindowSystem, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit X11WindowSystem(XcbConnection connection, QObject* parent = nullptr);
    ~X11WindowSystem() override;

    QList<WindowId> clientWindows() const override { return m_order; }
    std::optional<ClientWindow> window(WindowId id) const override;
    WindowId activeWindow() const override { return m_active; }
    QImage icon(WindowId id, int pixelSize) const override;

    void requestActivate(WindowId id) override;
    void requestMinimize(WindowId id) override;
    void requestClose(WindowId id) override;
    void requestToggleMaximize(WindowId id) override;
    void requestMoveResize(WindowId id, const QRect& frame) override;
    void requestShowingDesktop(bool showing) override;
    void requestSwitchDesktop(int desktop) override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void flush();
    void scheduleFlush();
    QList<WindowId> readClientList(QList<WindowId>& removed);
    quint32 readCurrentDesktop() const;
    quint32 timestamp() const;
    void handlePropertyNotify(const struct xcb_property_notify_event_t* event);
    void markDirty(xcb_window_t window);
    void markIconChanged(xcb_window_t window);

    XcbConnection m_x;
    X11ClientReader m_reader;
    QList<WindowId> m_order;
    QHash<WindowId, ClientWindow> m_windows;
    QHash<WindowId, quint32> m_desktopOf;
    QSet<WindowId> m_dirty;
    QSet<WindowId> m_iconsChanged;
    WindowId m_active;
    quint32 m_currentDesktop = 0;
    bool m_clientListDirty = true;
    bool m_activeDirty = true;
    bool m_desktopDirty = true;
    quint32 m_lastEventTime = XCB_CURRENT_TIME;
    QTimer m_flushTimer;
};
