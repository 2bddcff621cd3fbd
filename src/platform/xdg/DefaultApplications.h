#pragma once

#include <QString>
#include <QStringList>

// The desktop's default application for a type of file, from the mimeapps.list files.
class DefaultApplications {
public:
    explicit DefaultApplications(QStringList listFiles);
    // $XDG_CONFIG_HOME, $XDG_CONFIG_DIRS, $XDG_DATA_HOME/applications, $XDG_DATA_DIRS/applications.
    static QStringList standardListFiles();

    // The desktop file id without ".desktop"; empty when no list names one.
    QString defaultFor(const QString& mimeType) const;

private:
    QStringList m_listFiles;
};
