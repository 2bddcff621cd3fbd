#include "core/services/IconCacheService.h"
#include "core/services/IconCacheDirectory.h"
#include "core/services/IconFingerprint.h"
#include "core/services/IconMemoryCache.h"
#include "fakes/FakeBundleFiles.h"
#include "fakes/FakeIconLoader.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const QString desktopFile = QStringLiteral("/apps/org.example.app.desktop");
const QString iconFile = QStringLiteral("/icons/org.example.app.svg");
const QString bundleID = QStringLiteral("org.example.app");

QByteArray pngOf(QColor color, QSize size = { 64, 64 })
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Spins the event loop until `done` holds or five seconds pass.
template <typename Condition> bool waitUntil(Condition done)
{
    const QDeadlineTimer deadline(5000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

TEST(IconFingerprint, FormatsSecondsAsShortestDecimalWithAPoint)
{
    const struct {
        double seconds;
        const char* text;
    } cases[] = {
        { 0, "0.0" },
        { 12, "12.0" },
        { 12.5, "12.5" },
        { 0.1, "0.1" },
        { 1733912345, "1733912345.0" },
        { 1733912345.123, "1733912345.123" },
        { 1e-7, "0.0000001" },
        { 1e21, "1000000000000000000000.0" },
        { -1.5, "-1.5" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(IconFingerprint::formatSeconds(c.seconds), c.text) << c.text;
}

TEST(IconFingerprint, HashesPathAndLatestModificationOfDesktopAndIconFile)
{
    // Digests computed independently: SHA-256 of "/apps/org.example.app.desktop\n<icon file>\n\n<T>",
    // first 16 digits.
    const QString zero = QStringLiteral("b62b50d4715f1f16");
    const QString hundredWithoutIcon = QStringLiteral("62fc0fe495d2dc90");
    const QString hundred = QStringLiteral("89695363a56440f7");
    const QString twoHundredAndAHalf = QStringLiteral("973bb6b3c25a398a");
    const double none = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* name;
        double desktopTime; // NaN: the file has no modification time
        double iconTime;
        bool iconResolved;
        QString fingerprint;
    } cases[] = {
        { "icon newer than desktop file", 100, 200.5, true, twoHundredAndAHalf },
        { "desktop file newer than icon", 200.5, 100, true, twoHundredAndAHalf },
        { "no icon file", 100, 200.5, false, hundredWithoutIcon },
        { "icon file without a time", 100, none, true, hundred },
        { "desktop file missing", none, 200.5, true, twoHundredAndAHalf },
        { "no times at all", none, none, true, zero },
    };
    for (const auto& c : cases) {
        FakeBundleFiles files;
        if (!std::isnan(c.desktopTime))
            files.setModificationTime(desktopFile, c.desktopTime);
        if (!std::isnan(c.iconTime))
            files.setModificationTime(iconFile, c.iconTime);
        const std::optional<QString> icon = c.iconResolved ? std::optional(iconFile) : std::nullopt;
        EXPECT_EQ(IconFingerprint::of(desktopFile, icon, files), c.fingerprint) << c.name;
    }
}

TEST(IconFingerprint, UsesTheCleanAbsolutePath)
{
    EXPECT_EQ(IconFingerprint::text(QStringLiteral("/apps/../apps//org.example.app.desktop"), {}, 1733912345),
        "/apps/org.example.app.desktop\n\n\n1733912345.0");
    EXPECT_EQ(IconFingerprint::text(QStringLiteral("org.example.app.desktop"), QStringLiteral("/i/a.png"), 0),
        QDir::currentPath() + "/org.example.app.desktop\n/i/a.png\n\n0.0");
}

TEST(IconCacheDirectory, RecognisesOnlyFingerprintedFilesOfTheBundle)
{
    const struct {
        const char* name;
        bool isCacheFile;
    } cases[] = {
        { "org.example.app-0123456789abcdef.png", true },
        { "org.example.app-0123456789ABCDEF.png", false },
        { "org.example.app-0123456789abcdeg.png", false },
        { "org.example.app-0123456789abcde.png", false },
        { "org.example.app-0123456789abcdef0.png", false },
        { "org.example.app-0123456789abcdef.jpg", false },
        { "org.example.app.png", false },
        { "org.example.app.extra-0123456789abcdef.png", false },
        { "org.example.app-extra-0123456789abcdef.png", false },
        { "org.example.ap-0123456789abcdef.png", false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(IconCacheDirectory::isCacheFile(QString::fromUtf8(c.name), bundleID), c.isCacheFile) << c.name;
    EXPECT_EQ(IconCacheDirectory::fileName(IconCacheDirectory::key(bundleID, "0123456789abcdef")),
        "org.example.app-0123456789abcdef.png");
}

TEST(IconMemoryCache, KeepsAtMost256Icons)
{
    IconMemoryCache cache;
    const QImage image(1, 1, QImage::Format_ARGB32);
    for (int i = 0; i < 300; ++i)
        cache.insert(QString::number(i), image);
    int kept = 0;
    for (int i = 0; i < 300; ++i)
        kept += cache.find(QString::number(i)).has_value();
    EXPECT_EQ(kept, 256);
    EXPECT_TRUE(cache.find(QStringLiteral("299")).has_value()) << "the newest icon stays";
}

class IconCacheServiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_files->setModificationTime(desktopFile, 1733912345);
        m_files->setIconFile(QStringLiteral("org.example.app"), iconFile);
        m_loader->setPng(iconFile, pngOf(Qt::red));
    }

    std::unique_ptr<IconCacheService> makeService(const QString& directory)
    {
        return std::make_unique<IconCacheService>(m_files, m_loader, directory);
    }

    std::unique_ptr<IconCacheService> makeService() { return makeService(m_dir.path()); }

    // The icon the service hands back, waiting for it.
    QImage request(const IconCacheService& service, const QString& id = bundleID,
        const QString& iconName = QStringLiteral("org.example.app"))
    {
        QObject context;
        std::optional<QImage> result;
        service.requestIcon(id, desktopFile, iconName, &context, [&result](const QImage& image) { result = image; });
        EXPECT_TRUE(waitUntil([&result] { return result.has_value(); })) << "no answer";
        return result.value_or(QImage());
    }

    QStringList cacheFiles() const { return QDir(m_dir.path()).entryList(QDir::Files, QDir::Name); }

    QString currentFileName() const
    {
        return IconCacheDirectory::fileName(
            IconCacheDirectory::key(bundleID, IconFingerprint::of(desktopFile, iconFile, *m_files)));
    }

    void createFile(const QString& name) const
    {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir m_dir;
    std::shared_ptr<FakeBundleFiles> m_files = std::make_shared<FakeBundleFiles>();
    std::shared_ptr<FakeIconLoader> m_loader = std::make_shared<FakeIconLoader>();
};

TEST_F(IconCacheServiceTest, RendersOnceThenServesFromMemoryAndFromDisk)
{
    const auto service = makeService();
    const QImage first = request(*service);
    ASSERT_EQ(first.size(), QSize(64, 64));
    EXPECT_EQ(first.pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(cacheFiles(), QStringList { currentFileName() });
    EXPECT_EQ(QImage(m_dir.filePath(currentFileName())).size(), QSize(64, 64));

    EXPECT_EQ(request(*service), first);
    EXPECT_EQ(m_loader->loads(), 1) << "a warm request does not render";

    const auto restarted = makeService();
    EXPECT_EQ(request(*restarted).pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(m_loader->loads(), 1) << "the file survives a restart";
}

TEST_F(IconCacheServiceTest, TouchedDesktopFileRendersAgainAndDeletesOnlyThatBundlesOldFiles)
{
    const QStringList otherBundles { "org.example.app.extra-0123456789abcdef.png",
        "org.example.application-0123456789abcdef.png", "notes.txt" };
    for (const QString& name : otherBundles)
        createFile(name);
    const auto service = makeService();
    request(*service);
    const QString oldFile = currentFileName();
    createFile(QStringLiteral("org.example.app.png")); // named before fingerprints existed

    m_files->setModificationTime(desktopFile, 1733999999);
    m_loader->setPng(iconFile, pngOf(Qt::blue));
    EXPECT_EQ(request(*service).pixelColor(10, 10), QColor(Qt::blue));

    EXPECT_NE(currentFileName(), oldFile);
    QStringList expected = otherBundles + QStringList { currentFileName() };
    expected.sort();
    EXPECT_EQ(cacheFiles(), expected);
}

TEST_F(IconCacheServiceTest, UpdatedIconFileChangesTheKey)
{
    const auto service = makeService();
    request(*service);
    m_files->setModificationTime(iconFile, 1733999999);
    request(*service);
    EXPECT_EQ(m_loader->loads(), 2);
    EXPECT_EQ(cacheFiles(), QStringList { currentFileName() });
}

TEST_F(IconCacheServiceTest, FailuresGiveAnEmptyImageAndCacheNothing)
{
    m_files->setIconFile(QStringLiteral("broken"), QStringLiteral("/icons/broken.png"));
    m_loader->setPng(QStringLiteral("/icons/broken.png"), "not a png");
    m_files->setIconFile(QStringLiteral("unrenderable"), QStringLiteral("/icons/unrenderable.png"));
    const struct {
        const char* name;
        QString bundleID;
        QString iconName;
        int renders;
    } cases[] = {
        { "icon name not found", bundleID, QStringLiteral("missing"), 0 },
        { "loader gives nothing", bundleID, QStringLiteral("unrenderable"), 1 },
        { "bytes are no image", bundleID, QStringLiteral("broken"), 1 },
        { "empty bundle id", QString(), QStringLiteral("org.example.app"), 0 },
        { "bundle id with a slash", QStringLiteral("../escape"), QStringLiteral("org.example.app"), 0 },
    };
    const auto service = makeService();
    for (const auto& c : cases) {
        const int loadsBefore = m_loader->loads();
        EXPECT_TRUE(request(*service, c.bundleID, c.iconName).isNull()) << c.name;
        EXPECT_TRUE(request(*service, c.bundleID, c.iconName).isNull()) << c.name;
        EXPECT_EQ(m_loader->loads() - loadsBefore, 2 * c.renders) << c.name << ": the second request tries again";
        EXPECT_EQ(cacheFiles(), QStringList()) << c.name;
    }
}

TEST_F(IconCacheServiceTest, LogsAFailedWriteAndStillHandsBackTheIcon)
{
    // A file where the folder should be: the folder cannot be created, so no write succeeds.
    createFile(QStringLiteral("blocked"));
    const auto service = makeService(m_dir.filePath(QStringLiteral("blocked/icons")));

    static QStringList messages;
    messages.clear();
    const QtMessageHandler previous
        = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
              if (type == QtCriticalMsg && QLatin1String(context.category) == u"app.pellux.Pellux.icons")
                  messages.append(message);
          });
    const QImage image = request(*service);
    qInstallMessageHandler(previous);

    EXPECT_EQ(image.size(), QSize(64, 64));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Failed to write icon cache for " + currentFileName() + ": "))
        << messages[0].toStdString();
    EXPECT_GT(messages[0].size(), QString("Failed to write icon cache for " + currentFileName() + ": ").size())
        << "the reason is named";
}

TEST_F(IconCacheServiceTest, NeverBlocksTheCallerAndNeverCallsADeadContext)
{
    const auto service = makeService();
    m_loader->hold();
    auto context = std::make_unique<QObject>();
    bool called = false;
    service->requestIcon(bundleID, desktopFile, QStringLiteral("org.example.app"), context.get(),
        [&called](const QImage&) { called = true; });
    EXPECT_TRUE(waitUntil([this] { return m_loader->loads() == 1; })) << "the render started on a worker";
    EXPECT_FALSE(called) << "the request returned while the render was still running";

    context.reset();
    m_loader->release();
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    EXPECT_FALSE(called);
}

TEST_F(IconCacheServiceTest, RequestsInFlightOutliveTheService)
{
    auto service = makeService();
    m_loader->hold();
    QObject context;
    std::optional<QImage> result;
    service->requestIcon(bundleID, desktopFile, QStringLiteral("org.example.app"), &context,
        [&result](const QImage& image) { result = image; });
    ASSERT_TRUE(waitUntil([this] { return m_loader->loads() == 1; }));
    service.reset();
    m_loader->release();
    ASSERT_TRUE(waitUntil([&result] { return result.has_value(); }));
    EXPECT_EQ(result->size(), QSize(64, 64));
}

TEST_F(IconCacheServiceTest, RemovesFilesOfOlderNamingsAtStart)
{
    const QStringList kept { "notes.txt", "org.example.app-0123456789abcdef.png", "wmclass:Term-fedcba9876543210.png" };
    const QStringList removed { "org.example.app.png", "org.example.app-ABCDEF0123456789.png", "nodash.png",
        "org.example.app-0123.png" };
    for (const QString& name : kept + removed)
        createFile(name);
    makeService();
    QStringList expected = kept;
    expected.sort();
    EXPECT_EQ(cacheFiles(), expected);
}

TEST_F(IconCacheServiceTest, DefaultDirectoryIsUnderXdgCacheHome)
{
    const QByteArray saved = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", m_dir.path().toUtf8());
    const IconCacheService service(m_files, m_loader);
    saved.isNull() ? qunsetenv("XDG_CACHE_HOME") : qputenv("XDG_CACHE_HOME", saved);

    EXPECT_EQ(service.cacheDirectory(), m_dir.filePath(QStringLiteral("pellux/icons")));
    EXPECT_TRUE(QDir(service.cacheDirectory()).exists());
}

} // namespace
