#include "FullScreen.h"

namespace {

// Window managers and decorations leave a pixel or two of a "full-screen" window uncovered.
constexpr int tolerance = 2;

} // namespace

bool isFullScreenWindow(const ClientWindow& window, const QList<ScreenBox>& boxes)
{
    if (window.fullscreen)
        return true;
    // Maximized where nothing reserves an edge (a bar on an edge shared with another monitor),
    // a window covers its monitor without being full screen.
    if (window.maximized)
        return false;
    const auto box = boxContaining(window.frame, boxes);
    return box && box->frame.isValid() && window.frame.width() >= box->frame.width() - tolerance
        && window.frame.height() >= box->frame.height() - tolerance;
}
