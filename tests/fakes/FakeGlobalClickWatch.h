#pragma once

#include "core/ports/GlobalClickWatch.h"

// Counts the users of the watch; tests emit pressed() for a click in another application.
class FakeGlobalClickWatch : public GlobalClickWatch {
    Q_OBJECT
public:
    using GlobalClickWatch::GlobalClickWatch;

    void start() override { ++users; }
    void stop() override { --users; }
    bool isRunning() const { return users > 0; }

    int users = 0;
};
