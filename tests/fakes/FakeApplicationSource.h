#pragma once

#include "core/ports/ApplicationSource.h"

// A fixed list of installed applications, arranged before a scan starts (scans run on a worker
// thread); no folders to watch.
class FakeApplicationSource : public ApplicationSource {
public:
    explicit FakeApplicationSource(QList<InstalledApp> apps = {})
        : apps(std::move(apps))
    {
    }

    QList<InstalledApp> scan() const override { return apps; }
    QStringList searchFolders() const override { return {}; }

    QList<InstalledApp> apps;
};
