#include "FlyoutStyle.h"

#include "BlurRadius.h"

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
    return blurRadiusForWindow(blurRadius);
}
