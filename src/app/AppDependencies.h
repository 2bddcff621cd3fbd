#pragma once

#include "platform/PlatformServices.h"
#include "ui/windows/BarServices.h"

#include <memory>

class DefaultsDomainFile;
class PreferencesStore;

// Every long-lived service, built once; copies share the same services.
struct AppDependencies {
    std::shared_ptr<DefaultsDomainFile> userDefaults;
    std::shared_ptr<PreferencesStore> preferences;
    PlatformServices platform;

    // Builds the services in order, each later one taking earlier ones.
    static AppDependencies create();
    void start();

    BarServices barServices() const;
};
