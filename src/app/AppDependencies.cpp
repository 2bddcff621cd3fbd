#include "AppDependencies.h"

#include "core/services/PreferencesStore.h"
#include "platform/xdg/DefaultsDomainFile.h"

AppDependencies AppDependencies::create()
{
    AppDependencies d;
    d.userDefaults = std::make_shared<DefaultsDomainFile>(DefaultsDomainFile::standardPath());
    d.preferences = std::make_shared<PreferencesStore>(*d.userDefaults);
    d.platform = PlatformServices::create();
    return d;
}

void AppDependencies::start() {}

BarServices AppDependencies::barServices() const
{
    return {preferences.get(), platform.panelWindowing.get()};
}
