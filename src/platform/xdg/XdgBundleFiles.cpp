#include "XdgBundleFiles.h"

#include "IconRenderer.h"
#include "IconThemeLookup.h"

#include <QDateTime>
#include <QFileInfo>

XdgBundleFiles::XdgBundleFiles(std::shared_ptr<const IconThemeLookup> lookup)
    : m_lookup(std::move(lookup))
{
}

std::optional<double> XdgBundleFiles::modificationTime(const QString& path) const
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return std::nullopt;
    return double(info.lastModified().toMSecsSinceEpoch()) / 1000.0;
}

std::optional<QString> XdgBundleFiles::iconFile(const QString& iconName) const
{
    return m_lookup->findIcon(iconName, IconRenderer::defaultSize);
}
