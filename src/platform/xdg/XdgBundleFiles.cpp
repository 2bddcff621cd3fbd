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
    {
        QMutexLocker lock(&m_mutex);
        const auto it = m_found.constFind(iconName);
        if (it != m_found.cend() && QFileInfo::exists(it.value()))
            return it.value();
    }
    const auto found = m_lookup->findIcon(iconName, IconRenderer::defaultSize);
    QMutexLocker lock(&m_mutex);
    if (found)
        m_found.insert(iconName, *found);
    else
        m_found.remove(iconName);
    return found;
}
