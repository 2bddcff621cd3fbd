#pragma once

#include "SettingEnums.h"

#include <QString>

class PreferencesStore;

// The look every flyout of the bar shares, derived from the appearance settings.
struct FlyoutStyle {
    // RRGGBBAA, optionally after "#"; empty or unparsable means no tint.
    QString tintHex;
    // Whether the tint keeps its own alpha.
    bool isTransparent = true;
    // Alpha of the whole backdrop.
    double opacity = 1.0;
    double blurRadius = 0.0;
    // Decides light or dark when there is no tint.
    AppTheme theme = AppTheme::Auto;
    // Square corners and no shadow, for the "windows" menu style.
    bool isSquare = false;

    static FlyoutStyle fromPreferences(const PreferencesStore& preferences);

    // The blur radius the window system is given: a whole number, none when below 1.
    int windowBlurRadius() const;
    double cornerRadius() const { return isSquare ? 0.0 : 10.0; }

    bool operator==(const FlyoutStyle&) const = default;
};
