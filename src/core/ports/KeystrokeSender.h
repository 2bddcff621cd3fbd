#pragma once

// Types into whatever window has the keyboard focus, as if the user did.
class KeystrokeSender {
public:
    virtual ~KeystrokeSender() = default;

    // Ctrl+N, the usual "new window" shortcut.
    virtual bool sendNewWindowShortcut() = 0;
};
