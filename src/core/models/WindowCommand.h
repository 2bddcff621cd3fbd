#pragma once

// What the previews offer to do with one window.
enum class WindowCommand { Minimize, Restore, Maximize, Close };
