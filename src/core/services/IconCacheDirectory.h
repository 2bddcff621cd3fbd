#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringView>

// The folder of rendered icons that survives restarts: one "<bundle id>-<fingerprint>.png" per
// application. Safe for use from several threads; two writers of one file leave identical bytes.
class IconCacheDirectory {
public:
    // Creates the folder; a failure is ignored, and every write then logs it.
    explicit IconCacheDirectory(QString path);

    // $XDG_CACHE_HOME/pellux/icons, else ~/.cache/pellux/icons, else under the temporary folder.
    static QString defaultPath();
    // False for ids that cannot name a file in the folder (empty, or containing '/').
    static bool isUsableBundleID(const QString& bundleID);
    static QString key(const QString& bundleID, const QString& fingerprint);
    static QString fileName(const QString& key);
    // "<bundleID>-<16 lower-case hexadecimal digits>.png".
    static bool isCacheFile(const QString& name, const QString& bundleID);

    QString path() const { return m_path; }
    // A null image when the file is missing or does not decode.
    QImage read(const QString& key) const;
    // Logs "Failed to write icon cache for ..." when the file cannot be written.
    void write(const QString& key, const QByteArray& png) const;
    // Deletes the bundle's other fingerprinted files and its file from before fingerprints.
    void removeStaleFiles(const QString& bundleID, const QString& keepName) const;
    // Deletes every PNG whose name does not end in "-" and a fingerprint.
    void removeLegacyFiles() const;

private:
    static bool isFingerprint(QStringView text);
    QStringList fileNames() const;
    void remove(const QString& name) const;

    QString m_path;
};
