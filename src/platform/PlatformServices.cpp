#include "PlatformServices.h"

#include "dbus/DBusLauncherEntrySource.h"
#include "null/NullGlobalClickWatch.h"
#include "null/NullKeystrokeSender.h"
#include "null/NullLauncherEntrySource.h"
#include "null/NullPanelWindowing.h"
#include "null/NullWindowCapture.h"
#include "null/NullWindowEnumerating.h"
#include "null/NullWindowSystem.h"
#include "proc/ProcProcessInspector.h"
#include "x11/X11GlobalClickWatch.h"
#include "x11/X11KeystrokeSender.h"
#include "x11/X11PanelWindowing.h"
#include "x11/X11WindowCapture.h"
#include "x11/X11WindowEnumerating.h"
#include "x11/X11WindowSystem.h"
#include "x11/XSettings.h"
#include "x11/XcbConnection.h"
#include "xdg/IconThemeLookup.h"
#include "xdg/IconThemeSetting.h"
#include "xdg/XdgAppLauncher.h"
#include "xdg/XdgApplicationSource.h"
#include "xdg/XdgBundleFiles.h"
#include "xdg/XdgIconLoader.h"

#include <QDBusConnection>

PlatformServices PlatformServices::create()
{
    PlatformServices services;
    QHash<QString, QVariant> desktopSettings;
    if (const auto x = XcbConnection::fromApplication()) {
        desktopSettings = XSettings::read(*x);
        services.panelWindowing = std::make_shared<X11PanelWindowing>(*x);
        services.windowSystem = std::make_shared<X11WindowSystem>(*x);
        services.keystrokeSender = std::make_shared<X11KeystrokeSender>(*x);
        services.globalClickWatch = std::make_shared<X11GlobalClickWatch>(*x);
        services.windowCapture = std::make_shared<X11WindowCapture>(*x);
        services.windowEnumerating = std::make_shared<X11WindowEnumerating>(*x);
    } else {
        services.panelWindowing = std::make_shared<NullPanelWindowing>();
        services.windowSystem = std::make_shared<NullWindowSystem>();
        services.keystrokeSender = std::make_shared<NullKeystrokeSender>();
        services.globalClickWatch = std::make_shared<NullGlobalClickWatch>();
        services.windowCapture = std::make_shared<NullWindowCapture>();
        services.windowEnumerating = std::make_shared<NullWindowEnumerating>();
    }
    services.processInspector = std::make_shared<ProcProcessInspector>();
    services.applicationSource = std::make_shared<XdgApplicationSource>(XdgApplicationSource::standardEnvironment());
    const QStringList iconFolders = IconThemeLookup::defaultBaseDirs();
    // A running settings daemon speaks for the desktop; without one, the user's GTK settings do.
    services.iconThemeName = desktopSettings.value(QStringLiteral("Net/IconThemeName")).toString();
    if (services.iconThemeName.isEmpty())
        services.iconThemeName = IconThemeSetting::read(IconThemeSetting::defaultSettingsFile(), iconFolders);
    services.reduceMotion = desktopSettings.value(QStringLiteral("Gtk/EnableAnimations"), 1).toInt() == 0;
    const auto iconTheme = std::make_shared<const IconThemeLookup>(services.iconThemeName, iconFolders);
    services.bundleFiles = std::make_shared<XdgBundleFiles>(iconTheme);
    services.iconLoader = std::make_shared<XdgIconLoader>();
    services.appLauncher = std::make_shared<XdgAppLauncher>();
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected())
        services.launcherEntrySource = std::make_shared<DBusLauncherEntrySource>(bus);
    else
        services.launcherEntrySource = std::make_shared<NullLauncherEntrySource>();
    return services;
}
