#pragma once

#include "core/ports/AppLauncher.h"
#include "core/ports/ApplicationSource.h"
#include "core/ports/BundleFileReading.h"
#include "core/ports/GlobalClickWatch.h"
#include "core/ports/IconLoading.h"
#include "core/ports/KeystrokeSender.h"
#include "core/ports/LauncherEntrySource.h"
#include "core/ports/PanelWindowing.h"
#include "core/ports/ProcessInspector.h"
#include "core/ports/WindowCapture.h"
#include "core/ports/WindowEnumerating.h"
#include "core/ports/WindowSystem.h"

#include <memory>

// The backends Pellux runs on, chosen once at start.
struct PlatformServices {
    std::shared_ptr<PanelWindowing> panelWindowing;
    std::shared_ptr<WindowSystem> windowSystem;
    std::shared_ptr<ProcessInspector> processInspector;
    std::shared_ptr<ApplicationSource> applicationSource;
    std::shared_ptr<LauncherEntrySource> launcherEntrySource;
    std::shared_ptr<const BundleFileReading> bundleFiles;
    std::shared_ptr<const IconLoading> iconLoader;
    std::shared_ptr<AppLauncher> appLauncher;
    std::shared_ptr<KeystrokeSender> keystrokeSender;
    std::shared_ptr<GlobalClickWatch> globalClickWatch;
    std::shared_ptr<WindowCapture> windowCapture;
    std::shared_ptr<const WindowEnumerating> windowEnumerating;
    QString iconThemeName;
    // The desktop asks for no animations.
    bool reduceMotion = false;

    // X11 when the application runs on the xcb platform, the null backends otherwise.
    static PlatformServices create();
};
