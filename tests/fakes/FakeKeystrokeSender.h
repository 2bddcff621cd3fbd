#pragma once

#include "core/ports/KeystrokeSender.h"

// Counts the keystrokes it was asked to type.
class FakeKeystrokeSender : public KeystrokeSender {
public:
    bool sendNewWindowShortcut() override
    {
        ++newWindowShortcuts;
        return true;
    }

    int newWindowShortcuts = 0;
};
