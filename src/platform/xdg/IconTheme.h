#pragma once

#include "IconDirectory.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// An installed icon theme: its index.theme (read from the first theme folder that has one) and
// every theme folder of that name, since a theme's icons may be spread over several base folders.
class IconTheme {
public:
    // Nothing when no base folder holds an index.theme for the name, or the name is not a
    // plain folder name.
    static std::optional<IconTheme> load(const QString& name, const QStringList& baseDirs);
    static bool isValidName(const QString& name);

    QString name() const { return m_name; }
    QStringList inherits() const { return m_inherits; }
    QList<IconDirectory> directories() const { return m_directories; }
    // Existing folders named after the theme, in base-folder order.
    QStringList roots() const { return m_roots; }

private:
    QString m_name;
    QStringList m_inherits;
    QList<IconDirectory> m_directories;
    QStringList m_roots;
};
