#pragma once

#include "core/ports/LauncherEntrySource.h"

// Scripted launcher-entry updates; tells whether it is running.
class FakeLauncherEntrySource : public LauncherEntrySource {
    Q_OBJECT
public:
    using LauncherEntrySource::LauncherEntrySource;

    void start() override { running = true; }
    void stop() override { running = false; }

    void send(const QString& sender, const QString& appUri, const QVariantMap& properties)
    {
        emit updated(sender, appUri, properties);
    }
    void leave(const QString& sender) { emit senderGone(sender); }

    bool running = false;
};
