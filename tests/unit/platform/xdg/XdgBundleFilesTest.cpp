#include "platform/xdg/XdgBundleFiles.h"
#include "platform/xdg/IconThemeLookup.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString iconData = QStringLiteral(PELLUX_TEST_DATA "/icons");

TEST(XdgBundleFiles, ReadsModificationTimesInSecondsSince1970)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("app.desktop");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(
        file.setFileTime(QDateTime::fromMSecsSinceEpoch(1733912345500, Qt::UTC), QFileDevice::FileModificationTime));
    file.close();

    const XdgBundleFiles files(std::make_shared<IconThemeLookup>(QStringLiteral("hicolor")));
    EXPECT_EQ(files.modificationTime(path), 1733912345.5);
    EXPECT_EQ(files.modificationTime(dir.filePath("missing.desktop")), std::nullopt);
    EXPECT_EQ(files.modificationTime(QString()), std::nullopt);
}

TEST(XdgBundleFiles, ResolvesIconsAtTheCachedSize)
{
    const XdgBundleFiles files(std::make_shared<IconThemeLookup>(
        QStringLiteral("Fixture"), QStringList { iconData + "/usr" }, QStringList { iconData + "/pixmaps" }));
    // At 64 pixels the scalable folder serves the icon, not the 16 pixel one.
    EXPECT_EQ(files.iconFile("small-and-vector"), iconData + "/usr/Fixture/scalable/apps/small-and-vector.svg");
    EXPECT_EQ(files.iconFile("no-such-icon"), std::nullopt);
}

} // namespace
