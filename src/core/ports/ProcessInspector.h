#pragma once

#include "core/models/ProcessIdentity.h"

// Reads what a process says about itself; an unknown or vanished process gives an empty identity.
class ProcessInspector {
public:
    virtual ~ProcessInspector() = default;
    virtual ProcessIdentity identity(qint32 pid) const = 0;
};
