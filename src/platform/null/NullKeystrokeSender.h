#pragma once

#include "core/ports/KeystrokeSender.h"

// Without a window system there is nothing to type into.
class NullKeystrokeSender final : public KeystrokeSender {
public:
    bool sendNewWindowShortcut() override { return false; }
};
