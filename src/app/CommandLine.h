#pragma once

#include <QStringList>

#include <optional>

// The commands `pellux` answers without starting a bar. Returns the exit status of a command,
// or nothing when Pellux itself should start.
std::optional<int> runCommandLine(const QStringList& args);

// Seconds to wait before starting, when started by a relaunch.
int relaunchDelaySeconds(const QStringList& args);
