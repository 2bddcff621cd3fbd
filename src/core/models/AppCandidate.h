#pragma once

#include <QString>
#include <QStringList>

// What the window matcher needs of one installed desktop entry.
struct AppCandidate {
    QString desktopId;      // the desktop file id without ".desktop"
    QString startupWmClass; // StartupWMClass
    QString tryExec;        // TryExec
    QStringList exec;       // Exec split into arguments, field codes left in place

    bool operator==(const AppCandidate&) const = default;
};
