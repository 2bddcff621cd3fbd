#pragma once

#include "XcbConnection.h"
#include "core/ports/GlobalClickWatch.h"

#include <QAbstractNativeEventFilter>

// XInput2 raw button presses on the root window: every click of every master pointer, seen
// without grabbing or taking it from the window it goes to.
class X11GlobalClickWatch final : public GlobalClickWatch, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit X11GlobalClickWatch(XcbConnection connection, QObject* parent = nullptr);
    ~X11GlobalClickWatch() override;

    void start() override;
    void stop() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    bool selectRawPresses(bool on);

    XcbConnection m_x;
    // The XInput extension's major opcode; 0 when the server lacks it.
    quint8 m_opcode = 0;
    int m_users = 0;
};
