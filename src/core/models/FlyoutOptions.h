#pragma once

// How one flyout behaves while it is open.
struct FlyoutOptions {
    // The panel takes keyboard focus when shown, closes on Escape and when it loses focus.
    bool takesKey = true;
    // A press on the anchor closes the flyout; otherwise the anchor's own action decides.
    bool dismissOnAnchorClick = false;

    bool operator==(const FlyoutOptions&) const = default;
};
