#pragma once

class PreferencesStore;
class PanelWindowing;

// What one bar window is given by the application; everything outlives the bar.
struct BarServices {
    PreferencesStore* preferences = nullptr;
    PanelWindowing* windowing = nullptr;
};
