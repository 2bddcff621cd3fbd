#include "PlatformServices.h"

#include "null/NullPanelWindowing.h"
#include "x11/X11PanelWindowing.h"
#include "x11/XcbConnection.h"

PlatformServices PlatformServices::create()
{
    PlatformServices services;
    if (const auto x = XcbConnection::fromApplication())
        services.panelWindowing = std::make_shared<X11PanelWindowing>(*x);
    else
        services.panelWindowing = std::make_shared<NullPanelWindowing>();
    return services;
}
