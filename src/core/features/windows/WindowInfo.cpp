#include "WindowInfo.h"

std::optional<WindowInfo> WindowInfo::fromClient(const ClientWindow& window)
{
    if (window.opacity <= 0.0 || window.frame.width() < minimumSide || window.frame.height() < minimumSide)
        return std::nullopt;
    const bool onScreen = window.viewable && window.onCurrentDesktop && !window.minimized;
    if (!onScreen && window.title.isEmpty())
        return std::nullopt;
    const State state = onScreen ? State::Normal : window.minimized ? State::Minimized : State::Elsewhere;
    return WindowInfo{window.id, window.title, window.pid, window.frame, state};
}
