#pragma once

#include "core/ports/PanelWindowing.h"

#include <memory>

// The window-system backends Pellux runs on, chosen once at start.
struct PlatformServices {
    std::shared_ptr<PanelWindowing> panelWindowing;

    // X11 when the application runs on the xcb platform, the null backends otherwise.
    static PlatformServices create();
};
