#pragma once

#include "core/ports/WindowSystem.h"

// Where no window system is reachable: no windows, and every request is dropped.
class NullWindowSystem final : public WindowSystem {
    Q_OBJECT
public:
    using WindowSystem::WindowSystem;

    QList<WindowId> clientWindows() const override { return {}; }
    std::optional<ClientWindow> window(WindowId) const override { return std::nullopt; }
    WindowId activeWindow() const override { return {}; }
    QImage icon(WindowId, int) const override { return {}; }
    void requestActivate(WindowId) override {}
    void requestMinimize(WindowId) override {}
    void requestClose(WindowId) override {}
    void requestToggleMaximize(WindowId) override {}
    void requestMoveResize(WindowId, const QRect&) override {}
    void requestShowingDesktop(bool) override {}
    void requestSwitchDesktop(int) override {}
};
