#pragma once

#include "core/models/InstalledApp.h"

#include <QList>
#include <QStringList>

// Where installed applications come from.
class ApplicationSource {
public:
    virtual ~ApplicationSource() = default;

    // Blocking; runs on a worker thread, so implementations keep no mutable state.
    virtual QList<InstalledApp> scan() const = 0;
    // The folders whose changes call for a new scan, outermost first; some may not exist yet.
    virtual QStringList searchFolders() const = 0;
};
