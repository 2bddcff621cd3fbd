#pragma once

#include "core/models/ClientWindow.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QRect>

#include <optional>

// Other applications' top-level windows: what they are, and requests the window manager may refuse.
// Changes arrive as signals, a burst of X events as one batch.
class WindowSystem : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // In the order the windows were first managed.
    virtual QList<WindowId> clientWindows() const = 0;
    virtual std::optional<ClientWindow> window(WindowId id) const = 0;
    virtual WindowId activeWindow() const = 0;
    // The window's own icon nearest to `pixelSize`; null when it has none.
    virtual QImage icon(WindowId id, int pixelSize) const = 0;

    virtual void requestActivate(WindowId id) = 0;
    virtual void requestMinimize(WindowId id) = 0;
    virtual void requestClose(WindowId id) = 0;
    virtual void requestToggleMaximize(WindowId id) = 0;
    // The outer frame's new place and size.
    virtual void requestMoveResize(WindowId id, const QRect& frame) = 0;
    virtual void requestShowingDesktop(bool showing) = 0;
    virtual void requestSwitchDesktop(int desktop) = 0;

signals:
    void windowsChanged(const QList<WindowId>& added, const QList<WindowId>& removed);
    void windowsUpdated(const QList<WindowId>& changed);
    void activeWindowChanged(WindowId active);
    // The window's own icon changed; icon() answers with the new one.
    void iconChanged(WindowId window);
};
