#pragma once

#include "core/models/ClientWindow.h"

#include <QRect>
#include <QString>

#include <optional>

// One window of an application as the previews show it.
struct WindowInfo {
    enum class State { Normal, Minimized, Elsewhere };

    // Smaller windows are helpers (toolbars, pickers), never worth a preview.
    static constexpr int minimumSide = 100;

    WindowId windowID;
    QString title;
    qint32 ownerPID = 0;
    QRect frame;
    State state = State::Normal;

    // On screen = mapped, on this desktop and not hidden; hidden (_NET_WM_STATE_HIDDEN) is
    // minimized, anything else off screen (another desktop, unmapped) is elsewhere. Nothing for a
    // window too small, fully transparent, or off screen without a title.
    static std::optional<WindowInfo> fromClient(const ClientWindow& window);

    bool operator==(const WindowInfo&) const = default;
};
