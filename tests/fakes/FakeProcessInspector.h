#pragma once

#include "core/ports/ProcessInspector.h"

#include <QHash>

// Process identities by pid, as arranged by the test; counts how often it was asked.
class FakeProcessInspector : public ProcessInspector {
public:
    ProcessIdentity identity(qint32 pid) const override
    {
        ++lookups;
        return identities.value(pid);
    }

    QHash<qint32, ProcessIdentity> identities;
    mutable int lookups = 0;
};
