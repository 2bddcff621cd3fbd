#include "core/services/AppDiscoveryService.h"

#include "core/ports/ApplicationSource.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>

namespace {

// Every scan finds an application of another name, so every scan is announced.
class CountingSource : public ApplicationSource {
public:
    explicit CountingSource(QStringList folders)
        : m_folders(std::move(folders))
    {
    }

    QList<InstalledApp> scan() const override
    {
        InstalledApp app;
        app.bundleID = QStringLiteral("app");
        app.name = QString::number(++m_scans);
        return { app };
    }
    QStringList searchFolders() const override { return m_folders; }

private:
    const QStringList m_folders;
    mutable std::atomic<int> m_scans = 0;
};

// Finds the same applications every time.
class FixedSource : public ApplicationSource {
public:
    explicit FixedSource(QList<InstalledApp> apps)
        : m_apps(std::move(apps))
    {
    }

    QList<InstalledApp> scan() const override { return m_apps; }
    QStringList searchFolders() const override { return {}; }

private:
    const QList<InstalledApp> m_apps;
};

bool writeFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
}

} // namespace

TEST(AppDiscoveryService, WaitsForAMissingFolderWithoutRescanningOnEveryChangeAroundIt)
{
    const QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString home = root.filePath(QStringLiteral("home"));
    const QString system = root.filePath(QStringLiteral("system/applications"));
    ASSERT_TRUE(QDir().mkpath(home));
    ASSERT_TRUE(QDir().mkpath(system));
    const QString share = home + QStringLiteral("/.local/share");
    AppDiscoveryService discovery(
        std::make_shared<CountingSource>(QStringList { share + QStringLiteral("/applications"), system }));
    QSignalSpy first(&discovery, &AppDiscoveryService::appsChanged);
    discovery.start();
    ASSERT_TRUE(first.wait(5000));

    struct Step {
        const char* name;
        std::function<bool()> change;
        bool rescans;
    };
    const Step steps[] = {
        { "a file in the parent that stands in", [&] { return writeFile(home + "/.bash_history"); }, false },
        { "an unrelated folder in that parent", [&] { return QDir().mkdir(home + "/Documents"); }, false },
        { "a folder on the way appears", [&] { return QDir().mkdir(home + "/.local"); }, true },
        { "a folder on the way appears in the new parent", [&] { return QDir().mkdir(share); }, true },
        { "a file in the new parent", [&] { return writeFile(share + "/recently-used.xbel"); }, false },
        { "the missing folder appears", [&] { return QDir().mkdir(share + "/applications"); }, true },
        { "an entry in the folder that appeared", [&] { return writeFile(share + "/applications/editor.desktop"); },
            true },
        { "an entry in a folder that was there", [&] { return writeFile(system + "/browser.desktop"); }, true },
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        QSignalSpy scanned(&discovery, &AppDiscoveryService::appsChanged);
        ASSERT_TRUE(step.change());
        // Twice the half second in which changes are gathered into one scan.
        EXPECT_EQ(scanned.wait(step.rescans ? 5000 : 1000), step.rescans);
    }
}

TEST(AppDiscoveryService, AnnouncesTheFirstScanEvenEmptyAndLaterOnlyChanges)
{
    InstalledApp app;
    app.bundleID = QStringLiteral("app");
    for (const QList<InstalledApp>& found : { QList<InstalledApp> {}, QList<InstalledApp> { app } }) {
        SCOPED_TRACE(found.size());
        AppDiscoveryService discovery(std::make_shared<FixedSource>(found));
        QSignalSpy announced(&discovery, &AppDiscoveryService::appsChanged);
        discovery.start();
        ASSERT_TRUE(announced.wait(5000)) << "others wait for the first scan";
        discovery.rescan();
        EXPECT_FALSE(announced.wait(300)) << "the same list again is no news";
        EXPECT_EQ(announced.size(), 1);
    }
}
