#pragma once

#include "XcbConnection.h"
#include "core/ports/KeystrokeSender.h"

// Synthetic key presses through the XTEST extension, as from a real keyboard.
class X11KeystrokeSender final : public KeystrokeSender {
public:
    explicit X11KeystrokeSender(XcbConnection connection);

    bool sendNewWindowShortcut() override;

private:
    XcbConnection m_x;
};
