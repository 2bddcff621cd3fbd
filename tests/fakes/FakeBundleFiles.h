#pragma once

#include "core/ports/BundleFileReading.h"

#include <QHash>
#include <QMutex>

// Modification times and icon files as arranged by the test; safe to ask from worker threads.
class FakeBundleFiles : public BundleFileReading {
public:
    std::optional<double> modificationTime(const QString& path) const override
    {
        const QMutexLocker lock(&m_mutex);
        const auto found = m_times.constFind(path);
        return found == m_times.cend() ? std::nullopt : std::optional(*found);
    }

    std::optional<QString> iconFile(const QString& iconName) const override
    {
        const QMutexLocker lock(&m_mutex);
        const auto found = m_iconFiles.constFind(iconName);
        return found == m_iconFiles.cend() ? std::nullopt : std::optional(*found);
    }

    void setModificationTime(const QString& path, double seconds)
    {
        const QMutexLocker lock(&m_mutex);
        m_times.insert(path, seconds);
    }

    void setIconFile(const QString& iconName, const QString& file)
    {
        const QMutexLocker lock(&m_mutex);
        m_iconFiles.insert(iconName, file);
    }

private:
    mutable QMutex m_mutex;
    QHash<QString, double> m_times;
    QHash<QString, QString> m_iconFiles;
};
