#include "platform/xdg/IconThemeSetting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(IconThemeSetting, TakesTheGtkThemeWhenInstalledElseAdwaitaElseHicolor)
{
    const QString fixtureIcons = QStringLiteral(PELLUX_TEST_DATA "/icons/usr");
    QTemporaryDir adwaita;
    writeFile(adwaita.filePath("Adwaita/index.theme"), "[Icon Theme]\nDirectories=\n");

    struct Case {
        const char* name;
        QByteArray settings; // empty: no settings file
        bool adwaitaInstalled;
        const char* expected;
    };
    const Case cases[] = {
        { "installed theme", "[Settings]\ngtk-icon-theme-name=Fixture\n", true, "Fixture" },
        { "quoted name", "[Settings]\ngtk-icon-theme-name = \"Fixture\"\n", false, "Fixture" },
        { "theme not installed", "[Settings]\ngtk-icon-theme-name=Gone\n", true, "Adwaita" },
        { "no key", "[Settings]\ngtk-theme-name=Fixture\n", true, "Adwaita" },
        { "key in another group", "[Other]\ngtk-icon-theme-name=Fixture\n", false, "hicolor" },
        { "no settings file", "", true, "Adwaita" },
        { "nothing at all", "", false, "hicolor" },
    };
    for (const Case& c : cases) {
        QTemporaryDir config;
        const QString settingsFile = config.filePath("gtk-3.0/settings.ini");
        if (!c.settings.isEmpty())
            writeFile(settingsFile, c.settings);
        QStringList baseDirs { fixtureIcons };
        if (c.adwaitaInstalled)
            baseDirs.append(adwaita.path());
        EXPECT_EQ(IconThemeSetting::read(settingsFile, baseDirs), c.expected) << c.name;
    }
}

TEST(IconThemeSetting, SettingsFileFollowsXdgConfigHome)
{
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/config/home");
    const QString set = IconThemeSetting::defaultSettingsFile();
    qunsetenv("XDG_CONFIG_HOME");
    const QString unset = IconThemeSetting::defaultSettingsFile();
    saved.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", saved);

    EXPECT_EQ(set, "/config/home/gtk-3.0/settings.ini");
    EXPECT_EQ(unset, QDir::homePath() + "/.config/gtk-3.0/settings.ini");
}

} // namespace
