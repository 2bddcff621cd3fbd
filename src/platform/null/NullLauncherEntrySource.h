#pragma once

#include "core/ports/LauncherEntrySource.h"

// Without a session bus no application can send badges.
class NullLauncherEntrySource final : public LauncherEntrySource {
    Q_OBJECT
public:
    using LauncherEntrySource::LauncherEntrySource;

    void start() override {}
    void stop() override {}
};
