#pragma once

#include "ScreenBox.h"

#include "core/models/ClientWindow.h"

// The window asks to be full screen, or covers its whole monitor within 2 pixels.
bool isFullScreenWindow(const ClientWindow& window, const QList<ScreenBox>& boxes);
