#pragma once

#include "core/ports/PanelWindowing.h"

// Where no window system is reachable (offscreen tests): nothing is reserved, blurred or docked.
class NullPanelWindowing final : public PanelWindowing {
    Q_OBJECT
public:
    using PanelWindowing::PanelWindowing;

    void makeDock(WId) override {}
    void makePopup(WId) override {}
    void setStrut(WId, const std::optional<StrutPartial>&) override {}
    void setBlur(WId, int) override {}
    QList<StrutPartial> otherDockStruts() const override { return {}; }
    QSize screenSize() const override { return {}; }
    bool isCompositing() const override { return false; }
};
