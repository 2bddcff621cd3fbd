#pragma once

// Read access to the panel settings every panel needs, with the values transparency decides.
class PreferencesStoring {
public:
    virtual ~PreferencesStoring() = default;

    virtual bool transparencyEnabled() const = 0;
    virtual double panelOpacity() const = 0;
    virtual double panelBlurRadius() const = 0;

    double effectivePanelOpacity() const { return transparencyEnabled() ? panelOpacity() : 1.0; }
    double effectivePanelBlurRadius() const { return transparencyEnabled() ? panelBlurRadius() : 0.0; }
};
