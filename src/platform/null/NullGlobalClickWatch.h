#pragma once

#include "core/ports/GlobalClickWatch.h"

// Where no window system is reachable: presses in other applications are never seen.
class NullGlobalClickWatch final : public GlobalClickWatch {
    Q_OBJECT
public:
    using GlobalClickWatch::GlobalClickWatch;

    void start() override {}
    void stop() override {}
};
