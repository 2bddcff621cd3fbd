#pragma once

#include "core/ports/UserDefaults.h"

#include <QString>
#include <QVariantMap>

#include <sys/types.h>

// The settings domain kept in one JSON file. Every change replaces the file atomically (temporary
// file, flush to disk, rename), merged into what is on disk at that moment so that changes made by
// another process (`pellux defaults write`) survive. A file that cannot be read or parsed is renamed
// aside with a ".corrupt" suffix and the domain starts empty; when even that fails the file is
// left alone and nothing is written over it.
class DefaultsDomainFile final : public UserDefaults {
public:
    explicit DefaultsDomainFile(QString path);

    // $XDG_CONFIG_HOME/pellux/app.pellux.Pellux.json
    static QString standardPath();

    QVariant value(const QString& key) const override;
    QStringList keys() const override;
    bool setValue(const QString& key, const QVariant& value) override;
    bool remove(const QString& key) override;

    QString path() const { return m_path; }
    // Where a corrupt file was moved at load; empty when none was.
    QString setAsidePath() const { return m_setAsidePath; }
    bool isWritable() const { return m_writable; }

private:
    struct Stamp {
        ino_t inode = 0;
        off_t size = -1;
        qint64 modifiedNs = -1;
        bool operator==(const Stamp&) const = default;
    };

    void load();
    void reloadIfChangedOnDisk();
    std::optional<QVariantMap> readFile(bool& corrupt) const;
    void setAside();
    bool write();
    Stamp stampOnDisk() const;

    QString m_path;
    QString m_setAsidePath;
    QVariantMap m_values;
    Stamp m_stamp;
    bool m_writable = true;
};
