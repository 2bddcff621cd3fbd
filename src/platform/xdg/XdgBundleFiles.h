#pragma once

#include "core/ports/BundleFileReading.h"

#include <QHash>
#include <QMutex>

#include <memory>

class IconThemeLookup;

// Modification times from the file system and icon files from the icon theme, at the size the
// icon cache renders. Theme lookups are remembered while the file they found still exists: a lookup
// walks dozens of folders, and every icon request needs one.
class XdgBundleFiles : public BundleFileReading {
public:
    explicit XdgBundleFiles(std::shared_ptr<const IconThemeLookup> lookup);

    std::optional<double> modificationTime(const QString& path) const override;
    std::optional<QString> iconFile(const QString& iconName) const override;

private:
    std::shared_ptr<const IconThemeLookup> m_lookup;
    mutable QMutex m_mutex;
    mutable QHash<QString, QString> m_found;
};
