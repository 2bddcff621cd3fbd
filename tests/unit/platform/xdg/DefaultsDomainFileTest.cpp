#include "platform/xdg/DefaultsDomainFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class DefaultsDomainFileTest : public ::testing::Test {
protected:
    QString path() const { return dir.filePath("pellux/app.pellux.Pellux.json"); }

    void writeRaw(const QByteArray& bytes) const
    {
        QDir().mkpath(dir.filePath("pellux"));
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray readRaw(const QString& p) const
    {
        QFile file(p);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

TEST_F(DefaultsDomainFileTest, EveryValueKindSurvivesARestart)
{
    const QVariantMap values{
        {"bool", true},
        {"number", 56.5},
        {"string", "left"},
        {"list", QVariantList{"a", "b"}},
        {"dictionary", QVariantMap{{"inner", 1.0}, {"$data", "not a tag"}}},
        {"data", QByteArray("\x00\xff{json}", 8)},
        {"tag lookalike", QVariantMap{{"$data", "x"}}},
    };
    {
        DefaultsDomainFile file(path());
        for (auto it = values.begin(); it != values.end(); ++it)
            ASSERT_TRUE(file.setValue(it.key(), it.value()));
    }
    const DefaultsDomainFile reloaded(path());
    for (auto it = values.begin(); it != values.end(); ++it) {
        SCOPED_TRACE(qPrintable(it.key()));
        EXPECT_EQ(reloaded.value(it.key()), it.value());
        EXPECT_EQ(reloaded.value(it.key()).typeId(), it.value().typeId());
    }
    EXPECT_FALSE(reloaded.value("absent").isValid());
}

TEST_F(DefaultsDomainFileTest, MissingFileIsAnEmptyDomainAndIsCreatedOnFirstWrite)
{
    DefaultsDomainFile file(path());
    EXPECT_TRUE(file.keys().isEmpty());
    EXPECT_FALSE(QFile::exists(path()));
    ASSERT_TRUE(file.setValue("pellux.position", "top"));
    EXPECT_TRUE(QJsonDocument::fromJson(readRaw(path())).isObject());
}

TEST_F(DefaultsDomainFileTest, CorruptFileIsKeptAsideNeverOverwritten)
{
    const QByteArray corrupt = "{\"pellux.barHeight\": 56,";
    for (const QByteArray& content : {corrupt, QByteArray("[1, 2]")}) {
        SCOPED_TRACE(content.constData());
        writeRaw(content);
        DefaultsDomainFile file(path());
        EXPECT_TRUE(file.keys().isEmpty());
        ASSERT_FALSE(file.setAsidePath().isEmpty());
        EXPECT_EQ(readRaw(file.setAsidePath()), content);
        ASSERT_TRUE(file.setValue("pellux.position", "left"));
        EXPECT_EQ(readRaw(file.setAsidePath()), content);
    }
    // The second corrupt file did not replace the first one kept aside.
    EXPECT_EQ(readRaw(path() + ".corrupt"), corrupt);
    EXPECT_EQ(readRaw(path() + ".corrupt-2"), "[1, 2]");
}

// A folder where the file should be cannot be read, not even by root.
TEST_F(DefaultsDomainFileTest, UnreadableFileIsKeptAside)
{
    ASSERT_TRUE(QDir().mkpath(path()));
    DefaultsDomainFile file(path());
    EXPECT_TRUE(file.keys().isEmpty());
    EXPECT_EQ(file.setAsidePath(), path() + ".corrupt");
    EXPECT_TRUE(QFileInfo(file.setAsidePath()).isDir());
    EXPECT_TRUE(file.setValue("pellux.position", "left"));
}

TEST_F(DefaultsDomainFileTest, FileThatCannotBeMovedAsideIsNeverWrittenOver)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may rename in a read-only folder";
    writeRaw("garbage");
    ::chmod(QFile::encodeName(dir.filePath("pellux")).constData(), 0555);
    DefaultsDomainFile file(path());
    EXPECT_FALSE(file.isWritable());
    EXPECT_FALSE(file.setValue("pellux.position", "left"));
    EXPECT_EQ(file.value("pellux.position"), QVariant()) << "nothing half-applied";
    ::chmod(QFile::encodeName(dir.filePath("pellux")).constData(), 0755);
    EXPECT_EQ(readRaw(path()), "garbage");
}

TEST_F(DefaultsDomainFileTest, ValuesOfUnknownShapeAreSkippedNotFatal)
{
    writeRaw(R"({"pellux.position": "left", "nothing": null, "bad data": {"$data": "***"}})");
    const DefaultsDomainFile file(path());
    EXPECT_TRUE(file.setAsidePath().isEmpty());
    EXPECT_EQ(file.keys(), QStringList{"pellux.position"});
}

TEST_F(DefaultsDomainFileTest, ChangesFromAnotherWriterAreKept)
{
    DefaultsDomainFile running(path());
    ASSERT_TRUE(running.setValue("pellux.position", "left"));
    {
        DefaultsDomainFile command(path());
        ASSERT_TRUE(command.setValue("pellux.barHeight", 60.0));
    }
    ASSERT_TRUE(running.setValue("pellux.theme", "dark"));
    const DefaultsDomainFile reloaded(path());
    EXPECT_EQ(reloaded.value("pellux.barHeight"), QVariant(60.0));
    EXPECT_EQ(reloaded.value("pellux.position"), QVariant("left"));
    EXPECT_EQ(reloaded.value("pellux.theme"), QVariant("dark"));
}

// A writer killed at any moment leaves either the old or the new file, never a broken one.
TEST_F(DefaultsDomainFileTest, KillDuringWritesNeverLosesStoredSettings)
{
    {
        DefaultsDomainFile file(path());
        ASSERT_TRUE(file.setValue("pellux.pinnedBundleIDs", QVariantList{"firefox-esr", "xterm"}));
    }
    const QVariantList bulky(2000, QVariant(QStringLiteral("some-rather-long-application-id.desktop")));
    for (int round = 0; round < 12; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            DefaultsDomainFile file(path());
            for (int i = 0;; ++i)
                file.setValue(QStringLiteral("bulk.%1").arg(i % 3), bulky);
        }
        ::usleep(2000 + round * 1500);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);

        const DefaultsDomainFile after(path());
        ASSERT_TRUE(after.setAsidePath().isEmpty()) << "round " << round;
        EXPECT_EQ(after.value("pellux.pinnedBundleIDs"), (QVariantList{"firefox-esr", "xterm"}));
    }
}

} // namespace
