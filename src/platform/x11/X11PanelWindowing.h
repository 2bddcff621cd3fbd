#pragma once

#include "XcbConnection.h"
#include "core/ports/PanelWindowing.h"

#include <QAbstractNativeEventFilter>
#include <QTimer>

// Bar windows as EWMH docks and flyouts as pop-up menus: window type, all desktops, struts, KDE/picom blur, and a watch on the
// root window for other panels changing the space they reserve.
class X11PanelWindowing final : public PanelWindowing, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit X11PanelWindowing(XcbConnection connection, QObject* parent = nullptr);
    ~X11PanelWindowing() override;

    void makeDock(WId window) override;
    void makePopup(WId window) override;
    void setStrut(WId window, const std::optional<StrutPartial>& strut) override;
    void setBlur(WId window, int radius) override;
    QList<StrutPartial> otherDockStruts() const override;
    QSize screenSize() const override;
    bool isCompositing() const override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    // Qt merges its own _NET_WM_STATE atoms into the ones written here when it maps the window.
    void markAsPanel(xcb_window_t window, const char* windowType);
    bool isOwnWindow(xcb_window_t window) const;

    XcbConnection m_x;
    QTimer m_reservedSpaceSettle;
};
