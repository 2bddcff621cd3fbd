#include "PlatformServices.h"

#include "dbus/DBusLauncherEntrySource.h"
#include "null/NullLauncherEntrySource.h"
#include "null/NullPanelWindowing.h"
#include "null/NullWindowSystem.h"
#include "proc/ProcProcessInspector.h"
#include "x11/X11PanelWindowing.h"
#include "x11/X11WindowSystem.h"
#include "x11/XcbConnection.h"
#include "xdg/XdgApplicationSource.h"

#include <QDBusConnection>

PlatformServices PlatformServices::create()
{
    PlatformServices services;
    if (const auto x = XcbConnection::fromApplication()) {
        services.panelWindowing = std::make_shared<X11PanelWindowing>(*x);
        services.windowSystem = std::make_shared<X11WindowSystem>(*x);
    } else {
        services.panelWindowing = std::make_shared<NullPanelWindowing>();
        services.windowSystem = std::make_shared<NullWindowSystem>();
    }
    services.processInspector = std::make_shared<ProcProcessInspector>();
    services.applicationSource = std::make_shared<XdgApplicationSource>(XdgApplicationSource::standardEnvironment());
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected())
        services.launcherEntrySource = std::make_shared<DBusLauncherEntrySource>(bus);
    else
        services.launcherEntrySource = std::make_shared<NullLauncherEntrySource>();
    return services;
}
