#pragma once

#include <QString>
#include <QStringList>

// What a running process says about the application it is, read from the system.
struct ProcessIdentity {
    QString flatpakAppId;    // [Application] name of its .flatpak-info
    QString snapDesktopHint; // BAMF_DESKTOP_FILE_HINT of its environment
    QString appImagePath;    // APPIMAGE of its environment
    QString executablePath;
    QStringList commandLine;

    bool operator==(const ProcessIdentity&) const = default;
};
