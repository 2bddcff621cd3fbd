#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What a window and its process say about which application they belong to, as the platform
// read it. Empty strings stand for absent properties; every field has a default so that a
// caller names only the facts it has.
struct WindowIdentity {
    QString wmInstance = {};          // WM_CLASS, first part
    QString wmClass = {};             // WM_CLASS, second part
    QString kdeDesktopFile = {};      // _KDE_NET_WM_DESKTOP_FILE
    QString bamfDesktopFile = {};     // _BAMF_DESKTOP_FILE, often a full path
    QString gtkApplicationId = {};    // _GTK_APPLICATION_ID
    QString flatpakAppId = {};        // [Application] name of the process's .flatpak-info
    QString snapDesktopHint = {};     // BAMF_DESKTOP_FILE_HINT of the process, a full path
    QString appImagePath = {};        // APPIMAGE of the process: the .AppImage file that was run
    QString executablePath = {};      // the process's executable
    QStringList commandLine = {};     // the process's arguments, program first
    std::optional<QString> transientParentApp = {}; // the application already matched to WM_TRANSIENT_FOR
    std::optional<QString> groupLeaderApp = {};     // the application already matched to the WM_HINTS group leader

    bool operator==(const WindowIdentity&) const = default;
};
