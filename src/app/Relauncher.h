#pragma once

#include <QString>
#include <QStringList>

// Starts Pellux again once this process has quit. The new process is the same executable,
// started directly (no shell, so no path can be misread as a command), and waits a second itself.
namespace Relauncher {

inline constexpr char delayOption[] = "--relaunch-delay";

QStringList arguments();
bool relaunch(const QString& executable);

} // namespace Relauncher
