#pragma once

#include "IconTheme.h"

#include <QHash>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// Finds the file of a named icon as the freedesktop Icon Theme Specification describes: the
// current theme and the themes it inherits, then hicolor, then the pixmap folders. Parsed theme
// indexes are kept for the lifetime of the object. Safe for use from several threads.
class IconThemeLookup {
public:
    explicit IconThemeLookup(
        QString themeName, QStringList baseDirs = defaultBaseDirs(), QStringList pixmapDirs = defaultPixmapDirs());

    // ~/.icons, $XDG_DATA_HOME/icons, each $XDG_DATA_DIRS/icons.
    static QStringList defaultBaseDirs();
    static QStringList defaultPixmapDirs();

    QString themeName() const;
    void setThemeName(const QString& name);
    QStringList baseDirs() const { return m_baseDirs; }
    bool hasTheme(const QString& name) const;

    // `name` is an Icon= value: an absolute path is used as it is (when the file exists), a
    // name may carry a .png, .svg or .xpm extension. Nothing when no file is found.
    std::optional<QString> findIcon(const QString& name, int size, int scale = 1) const;

private:
    std::shared_ptr<const IconTheme> theme(const QString& name) const;
    // The current theme, depth-first through its Inherits without repeats, then hicolor.
    QList<std::shared_ptr<const IconTheme>> themeChain() const;
    void appendWithParents(
        const QString& name, QList<std::shared_ptr<const IconTheme>>& chain, QStringList& visited) const;
    std::optional<QString> findInTheme(const IconTheme& theme, const QString& name, int size, int scale) const;
    std::optional<QString> findInPixmaps(const QString& name) const;

    const QStringList m_baseDirs;
    const QStringList m_pixmapDirs;
    mutable QMutex m_mutex;
    QString m_themeName;
    // Null for a name with no installed theme, so that is not looked for again either.
    mutable QHash<QString, std::shared_ptr<const IconTheme>> m_themes;
};
