#pragma once

#include "core/ports/ProcessInspector.h"

#include <QString>

// Reads /proc/PID: the executable, the command line, the sandbox a process runs in.
class ProcProcessInspector final : public ProcessInspector {
public:
    explicit ProcProcessInspector(QString procRoot = QStringLiteral("/proc"));

    ProcessIdentity identity(qint32 pid) const override;

private:
    QString m_procRoot;
};
