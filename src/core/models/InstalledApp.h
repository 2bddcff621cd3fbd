#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// An application installed on the machine, from its desktop entry.
struct InstalledApp {
    QString bundleID;                // the desktop file id without ".desktop"
    QString name;                    // the localised Name
    QString url;                     // path of the desktop file
    std::optional<QString> category; // the raw Categories text
    QString icon;                    // Icon: a theme icon name or an absolute path
    QString startupWMClass;
    QString tryExec;
    QStringList exec;                // Exec split into arguments, field codes left in place

    bool operator==(const InstalledApp&) const = default;
};
