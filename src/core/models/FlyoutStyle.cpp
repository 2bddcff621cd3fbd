#include "FlyoutStyle.h"

#include "core/services/PreferencesStore.h"

#include <algorithm>
#include <limits>

FlyoutStyle FlyoutStyle::fromPreferences(const PreferencesStore& preferences)
{
    const bool transparent = preferences.transparencyEnabled();
    FlyoutStyle style;
    style.tintHex = preferences.panelTintHex();
    style.isTransparent = transparent;
    style.opacity = transparent ? preferences.panelOpacity() : 1.0;
    style.blurRadius = transparent ? preferences.panelBlurRadius() : 0.0;
    style.theme = preferences.theme();
    style.isSquare = preferences.menuWindowStyle() == HighlightStyle::Windows;
    return style;
}

int FlyoutStyle::windowBlurRadius() const
{
    // NaN and negative radii fail this test too.
    if (!(blurRadius >= 1.0))
        return 0;
    return static_cast<int>(std::min(blurRadius, static_cast<double>(std::numeric_limits<int>::max())));
}
