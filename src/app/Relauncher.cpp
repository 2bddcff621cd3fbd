#include "Relauncher.h"

#include <QProcess>

namespace Relauncher {

QStringList arguments()
{
    return {QString::fromLatin1(delayOption), QStringLiteral("1")};
}

bool relaunch(const QString& executable)
{
    return QProcess::startDetached(executable, arguments());
}

} // namespace Relauncher
