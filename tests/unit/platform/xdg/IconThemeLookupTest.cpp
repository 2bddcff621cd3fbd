#include "platform/xdg/IconThemeLookup.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

const QString iconData = QStringLiteral(PELLUX_TEST_DATA "/icons");

// The user's folder comes first, as $XDG_DATA_HOME does; hicolor there has no index.theme.
IconThemeLookup fixtureLookup(const QString& theme = QStringLiteral("Fixture"))
{
    return IconThemeLookup(theme, { iconData + "/home", iconData + "/usr" }, { iconData + "/pixmaps" });
}

// The found file relative to the fixture folder, "-" when nothing was found.
std::string found(const IconThemeLookup& lookup, const QString& name, int size)
{
    const std::optional<QString> file = lookup.findIcon(name, size);
    return file ? QDir(iconData).relativeFilePath(*file).toStdString() : "-";
}

struct Case {
    const char* name;
    const char* icon;
    int size;
    const char* expected;
};

TEST(IconThemeLookup, FindsIconsInThemeOrderAndBySize)
{
    const Case cases[] = {
        { "exact fixed size", "sized", 32, "usr/Fixture/32x32/apps/sized.png" },
        { "within the threshold", "sized", 47, "usr/Fixture/48x48/apps/sized.png" },
        { "closest above", "sized", 64, "usr/Fixture/48x48/apps/sized.png" },
        { "closest below", "sized", 16, "usr/Fixture/32x32/apps/sized.png" },
        { "equal distance keeps the earlier folder", "sized", 40, "usr/Fixture/32x32/apps/sized.png" },
        { "a small icon rather than none", "only-small", 64, "usr/Fixture/16x16/apps/only-small.png" },
        { "scalable folder serves a size the fixed one lacks", "small-and-vector", 64,
            "usr/Fixture/scalable/apps/small-and-vector.svg" },
        { "fixed folder listed first wins on its size", "small-and-vector", 16,
            "usr/Fixture/16x16/apps/small-and-vector.png" },
        { "svg only", "vector", 64, "usr/Fixture/scalable/apps/vector.svg" },
        { "png before svg in one folder", "both-formats", 48, "usr/Fixture/48x48/apps/both-formats.png" },
        { "user folder before system folder", "user-override", 48, "home/Fixture/48x48/apps/user-override.png" },
        { "theme before the theme it inherits", "shadowed", 48, "usr/Fixture/48x48/apps/shadowed.png" },
        { "inherited theme before hicolor", "inherited", 48, "usr/FixtureBase/48x48/apps/inherited.png" },
        { "hicolor before pixmaps", "hicolor-only", 48, "usr/hicolor/48x48/apps/hicolor-only.png" },
        { "hicolor folder without its own index", "home-hicolor", 48, "home/hicolor/48x48/apps/home-hicolor.png" },
        { "pixmaps last", "pixmap-only", 48, "pixmaps/pixmap-only.png" },
        { "xpm in pixmaps", "legacy", 48, "pixmaps/legacy.xpm" },
        { "extension in the name", "legacy.xpm", 48, "pixmaps/legacy.xpm" },
        { "extension in a theme icon name", "sized.png", 32, "usr/Fixture/32x32/apps/sized.png" },
        { "missing icon", "no-such-icon", 48, "-" },
        { "empty name", "", 48, "-" },
        { "relative path", "apps/sized", 48, "-" },
        { "size zero", "sized", 0, "-" },
    };
    const IconThemeLookup lookup = fixtureLookup();
    for (const Case& c : cases)
        EXPECT_EQ(found(lookup, QString::fromUtf8(c.icon), c.size), c.expected) << c.name;
}

TEST(IconThemeLookup, UsesAbsolutePathsDirectly)
{
    const IconThemeLookup lookup = fixtureLookup();
    const QString file = iconData + "/usr/Fixture/32x32/apps/sized.png";
    EXPECT_EQ(lookup.findIcon(file, 64), file);
    EXPECT_EQ(lookup.findIcon(iconData + "/usr/Fixture/32x32/apps/missing.png", 64), std::nullopt);
    EXPECT_EQ(lookup.findIcon(iconData + "/usr/Fixture", 64), std::nullopt) << "a folder is no icon";
}

TEST(IconThemeLookup, FollowsTheChosenThemeAndSurvivesInheritanceCycles)
{
    const Case cases[] = {
        // FixtureBase inherits Fixture, which inherits FixtureBase again.
        { "FixtureBase", "shadowed", 48, "usr/FixtureBase/48x48/apps/shadowed.png" },
        { "FixtureBase", "only-small", 16, "usr/Fixture/16x16/apps/only-small.png" },
        { "NotInstalled", "hicolor-only", 48, "usr/hicolor/48x48/apps/hicolor-only.png" },
        { "NotInstalled", "shadowed", 48, "-" },
        { "../usr/Fixture", "shadowed", 48, "-" },
        { "", "pixmap-only", 48, "pixmaps/pixmap-only.png" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(found(fixtureLookup(QString::fromUtf8(c.name)), QString::fromUtf8(c.icon), c.size), c.expected)
            << c.name << " " << c.icon;
}

TEST(IconThemeLookup, ChangingTheThemeChangesTheResult)
{
    IconThemeLookup lookup = fixtureLookup(QStringLiteral("NotInstalled"));
    EXPECT_EQ(found(lookup, "shadowed", 48), "-");
    lookup.setThemeName(QStringLiteral("FixtureBase"));
    EXPECT_EQ(found(lookup, "shadowed", 48), "usr/FixtureBase/48x48/apps/shadowed.png");
}

TEST(IconThemeLookup, KnowsWhichThemesAreInstalled)
{
    const IconThemeLookup lookup = fixtureLookup();
    EXPECT_TRUE(lookup.hasTheme(QStringLiteral("Fixture")));
    EXPECT_TRUE(lookup.hasTheme(QStringLiteral("hicolor")));
    EXPECT_FALSE(lookup.hasTheme(QStringLiteral("NotInstalled")));
    EXPECT_FALSE(lookup.hasTheme(QStringLiteral("..")));
}

TEST(IconThemeLookup, AnswersTheSameFromSeveralThreads)
{
    const IconThemeLookup lookup = fixtureLookup();
    std::vector<std::string> results(8);
    std::vector<std::thread> threads;
    for (std::string& result : results)
        threads.emplace_back([&lookup, &result] { result = found(lookup, "inherited", 48); });
    for (std::thread& thread : threads)
        thread.join();
    for (const std::string& result : results)
        EXPECT_EQ(result, "usr/FixtureBase/48x48/apps/inherited.png");
}

TEST(IconThemeLookup, DefaultFoldersFollowTheXdgVariables)
{
    const QByteArray savedHome = qgetenv("XDG_DATA_HOME");
    const QByteArray savedDirs = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_HOME", "/data/home");
    qputenv("XDG_DATA_DIRS", "/one::/two");
    const QStringList set = IconThemeLookup::defaultBaseDirs();
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_DATA_DIRS");
    const QStringList unset = IconThemeLookup::defaultBaseDirs();
    savedHome.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", savedHome);
    savedDirs.isNull() ? qunsetenv("XDG_DATA_DIRS") : qputenv("XDG_DATA_DIRS", savedDirs);

    const QString home = QDir::homePath();
    EXPECT_EQ(set, QStringList({ home + "/.icons", "/data/home/icons", "/one/icons", "/two/icons" }));
    EXPECT_EQ(unset,
        QStringList({ home + "/.icons", home + "/.local/share/icons", "/usr/local/share/icons", "/usr/share/icons" }));
}

// Sets an environment variable until the returned guard goes.
auto setForNow(const char* name, const QByteArray& value)
{
    const bool wasSet = qEnvironmentVariableIsSet(name);
    const QByteArray saved = qgetenv(name);
    qputenv(name, value);
    return qScopeGuard([=] { wasSet ? qputenv(name, saved) : qunsetenv(name); });
}

TEST(IconThemeLookup, DefaultFoldersLetTheHomeIconsFolderWin)
{
    const QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString homeIcons = QStringLiteral("home/.icons");
    const QString dataHomeIcons = QStringLiteral("data-home/icons");
    const QString dataDirIcons = QStringLiteral("data-dir/icons");
    struct Placed {
        const char* icon;
        QStringList baseDirs;
        QString expected;
    };
    const Placed icons[] = {
        { "everywhere", { dataDirIcons, dataHomeIcons, homeIcons }, homeIcons },
        { "home-and-system", { dataDirIcons, homeIcons }, homeIcons },
        { "data-home-and-system", { dataDirIcons, dataHomeIcons }, dataHomeIcons },
        { "system-only", { dataDirIcons }, dataDirIcons },
    };
    for (const QString& base : { homeIcons, dataHomeIcons, dataDirIcons }) {
        const QString theme = root.filePath(base + "/Mine");
        ASSERT_TRUE(QDir().mkpath(theme + "/48x48/apps"));
        QFile index(theme + "/index.theme");
        ASSERT_TRUE(index.open(QIODevice::WriteOnly));
        index.write("[Icon Theme]\nName=Mine\nDirectories=48x48/apps\n\n[48x48/apps]\nSize=48\nType=Fixed\n");
    }
    for (const Placed& placed : icons) {
        for (const QString& base : placed.baseDirs) {
            QFile icon(root.filePath(base + "/Mine/48x48/apps/" + placed.icon + ".png"));
            ASSERT_TRUE(icon.open(QIODevice::WriteOnly));
        }
    }

    QStringList baseDirs;
    {
        const auto home = setForNow("HOME", root.filePath("home").toUtf8());
        const auto dataHome = setForNow("XDG_DATA_HOME", root.filePath("data-home").toUtf8());
        const auto dataDirs = setForNow("XDG_DATA_DIRS", root.filePath("data-dir").toUtf8());
        baseDirs = IconThemeLookup::defaultBaseDirs();
    }
    const IconThemeLookup lookup(QStringLiteral("Mine"), baseDirs, {});
    for (const Placed& placed : icons) {
        SCOPED_TRACE(placed.icon);
        EXPECT_EQ(lookup.findIcon(QString::fromUtf8(placed.icon), 48),
            root.filePath(placed.expected + "/Mine/48x48/apps/" + placed.icon + ".png"));
    }
}

} // namespace
