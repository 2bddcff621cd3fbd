#pragma once

#include "core/ports/PanelWindowing.h"

#include <QHash>

// Records what bar windows asked of the window system; other panels' struts are scripted.
class FakePanelWindowing : public PanelWindowing {
    Q_OBJECT
public:
    using PanelWindowing::PanelWindowing;

    void makeDock(WId window) override { docks.append(window); }
    void makePopup(WId window) override { popups.append(window); }
    void setStrut(WId window, const std::optional<StrutPartial>& strut) override { struts[window] = strut; }
    void setBlur(WId window, int radius) override { blurs[window] = radius; }
    QList<StrutPartial> otherDockStruts() const override { return others; }
    QSize screenSize() const override { return root; }
    bool isCompositing() const override { return compositing; }

    QList<WId> docks;
    QList<WId> popups;
    QHash<WId, std::optional<StrutPartial>> struts;
    QHash<WId, int> blurs;
    QList<StrutPartial> others;
    QSize root;
    bool compositing = true;
};
