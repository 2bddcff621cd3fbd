#include "core/services/AppMatcher.h"

#include <gtest/gtest.h>

namespace {

// A desktop as found on real systems, in the precedence order the entry scan would give.
const QList<AppCandidate> installedApps = {
    {"org.gnome.Nautilus", {}, {}, {"nautilus", "--new-window", "%U"}},
    {"org.gnome.Epiphany", {}, {}, {"epiphany", "%U"}},
    {"org.gnome.Epiphany.WebApp_3f2c", "org.gnome.Epiphany.WebApp_3f2c", {},
     {"epiphany", "--application-mode", "--profile=/home/ann/.local/share/org.gnome.Epiphany.WebApp_3f2c"}},
    {"org.kde.dolphin", {}, {}, {"dolphin", "%u"}},
    {"org.kde.kwrite", {}, {}, {"kwrite", "%U"}},
    {"org.gnome.Calendar", {}, {}, {"gnome-calendar"}},
    {"org.kde.merkuro.calendar", {}, {}, {"merkuro-calendar"}},
    {"google-chrome", "Google-chrome", {}, {"/usr/bin/google-chrome-stable", "%U"}},
    {"chrome-cinhimbnkkaeohfgghhklpknlkffjgod-Default", "crx_cinhimbnkkaeohfgghhklpknlkffjgod", {},
     {"/opt/google/chrome/google-chrome", "--profile-directory=Default", "--app-id=cinhimbnkkaeohfgghhklpknlkffjgod"}},
    {"code", "Code", {}, {"/usr/share/code/code", "--unity-launch", "%F"}},
    {"code-url-handler", "Code", {}, {"/usr/share/code/code", "--open-url", "--", "%U"}},
    {"discord", "discord", {}, {"/usr/share/discord/Discord"}},
    {"libreoffice-startcenter", "libreoffice-startcenter", {}, {"libreoffice", "%U"}},
    {"libreoffice-writer", "libreoffice-writer", {}, {"libreoffice", "--writer", "%U"}},
    {"libreoffice-calc", "libreoffice-calc", {}, {"libreoffice", "--calc", "%U"}},
    {"firefox", "firefox", {}, {"/usr/lib/firefox/firefox", "%u"}},
    {"org.mozilla.firefox", {}, {},
     {"/usr/bin/flatpak", "run", "--branch=stable", "--command=firefox", "org.mozilla.firefox", "@@u", "%u", "@@"}},
    {"com.spotify.Client", {}, {},
     {"/usr/bin/flatpak", "run", "--branch=stable", "--command=spotify", "com.spotify.Client", "@@u", "%U", "@@"}},
    {"firefox_firefox", {}, {}, {"env", "BAMF_DESKTOP_FILE_HINT=/var/lib/snapd/desktop/applications/firefox_firefox.desktop",
                                 "/snap/bin/firefox", "%U"}},
    {"md.obsidian.Obsidian", {}, {}, {"/usr/bin/flatpak", "run", "md.obsidian.Obsidian"}},
    {"appimagekit_4d1c-obsidian", {}, {}, {"/home/ann/Applications/Obsidian-1.4.16.AppImage", "%U"}},
    {"kde4-okular", {}, {}, {"okular", "%U"}},
    {"gimp", {}, {}, {"gimp-2.10", "%U"}},
    {"debian-xterm", {}, "xterm", {"xterm"}},
    {"htop", {}, "htop", {"htop"}},
    {"steam", {}, {}, {"/usr/games/steam", "%U"}},
    {"Portal 2", {}, {}, {"steam", "steam://rungameid/620"}},
    {"Hades", "steam_app_1145360", {}, {"steam", "steam://rungameid/1145360"}},
    {"tor-browser", {}, {}, {"/opt/tor-browser/start-tor-browser"}},
    {"hplip", {}, {}, {"hp-toolbox"}},
    {"python3.11", {}, {}, {"/usr/bin/python3.11"}},
    {"signal-desktop", {}, {}, {"electron25", "/usr/lib/signal-desktop/app.asar", "%U"}},
    {"element-desktop", {}, {}, {"electron25", "/usr/lib/element/app.asar", "%U"}},
};

struct Case {
    const char* name;
    WindowIdentity window;
    QString expected;
};

void expectMatches(const QList<AppCandidate>& candidates, std::initializer_list<Case> cases)
{
    const AppMatcher matcher(candidates);
    for (const Case& c : cases)
        EXPECT_EQ(matcher.match(c.window).toStdString(), c.expected.toStdString()) << c.name;
}

} // namespace

TEST(AppMatcher, WindowPropertiesNameTheEntry)
{
    expectMatches(installedApps, {
        {"GTK application id", {.wmInstance = "nautilus", .wmClass = "Org.gnome.Nautilus",
                                .gtkApplicationId = "org.gnome.Nautilus"}, "org.gnome.Nautilus"},
        {"GTK id of a web app beats the class that names the browser",
         {.wmInstance = "epiphany", .wmClass = "Epiphany", .gtkApplicationId = "org.gnome.Epiphany.WebApp_3f2c"},
         "org.gnome.Epiphany.WebApp_3f2c"},
        {"KDE desktop file beats WM_CLASS", {.wmInstance = "kate", .wmClass = "kate",
                                             .kdeDesktopFile = "org.kde.kwrite"}, "org.kde.kwrite"},
        {"KDE desktop file given with its suffix", {.wmInstance = "x", .wmClass = "X",
                                                    .kdeDesktopFile = "org.kde.dolphin.desktop"}, "org.kde.dolphin"},
        {"BAMF full path in a subfolder", {.wmInstance = "okular", .wmClass = "Okular",
                                           .bamfDesktopFile = "/usr/share/applications/kde4/okular.desktop"},
         "kde4-okular"},
        {"BAMF plain path", {.wmInstance = "gimp-2.10", .wmClass = "Gimp-2.10",
                             .bamfDesktopFile = "/usr/share/applications/gimp.desktop"}, "gimp"},
        {"a property naming nothing installed is passed over",
         {.wmInstance = "discord", .wmClass = "discord", .gtkApplicationId = "com.example.NotInstalled"}, "discord"},
    });
}

TEST(AppMatcher, SandboxIdentityBeatsWmClass)
{
    expectMatches(installedApps, {
        {"flatpak app id with the shared last part of a reverse-DNS id",
         {.wmInstance = "gnome-calendar", .wmClass = "Gnome-calendar", .flatpakAppId = "org.gnome.Calendar"},
         "org.gnome.Calendar"},
        {"flatpak app id", {.wmInstance = "spotify", .wmClass = "Spotify", .flatpakAppId = "com.spotify.Client"},
         "com.spotify.Client"},
        {"flatpak beats the class that names the distribution's package",
         {.wmInstance = "Navigator", .wmClass = "firefox", .flatpakAppId = "org.mozilla.firefox"},
         "org.mozilla.firefox"},
        {"snap hint", {.wmInstance = "Navigator", .wmClass = "firefox",
                       .snapDesktopHint = "/var/lib/snapd/desktop/applications/firefox_firefox.desktop"},
         "firefox_firefox"},
        {"the integrated AppImage, not the flatpak of the same app",
         {.wmInstance = "obsidian", .wmClass = "obsidian",
          .appImagePath = "/home/ann/Applications/Obsidian-1.4.16.AppImage"}, "appimagekit_4d1c-obsidian"},
        {"an AppImage with no entry falls through to WM_CLASS",
         {.wmInstance = "obsidian", .wmClass = "obsidian", .appImagePath = "/tmp/Other.AppImage"},
         "md.obsidian.Obsidian"},
    });
}

TEST(AppMatcher, StartupWmClassMatchesInstanceBeforeClassIgnoringCase)
{
    expectMatches(installedApps, {
        {"Chrome: class differs from the id only in case",
         {.wmInstance = "google-chrome", .wmClass = "Google-chrome", .executablePath = "/opt/google/chrome/chrome"},
         "google-chrome"},
        {"Chrome web app: instance names the app, class the browser",
         {.wmInstance = "crx_cinhimbnkkaeohfgghhklpknlkffjgod", .wmClass = "Google-chrome",
          .executablePath = "/opt/google/chrome/chrome"}, "chrome-cinhimbnkkaeohfgghhklpknlkffjgod-Default"},
        {"Electron class shared by two entries: the earlier one", {.wmInstance = "code", .wmClass = "Code"}, "code"},
        {"LibreOffice: instance is the suite, class the component",
         {.wmInstance = "libreoffice", .wmClass = "libreoffice-writer"}, "libreoffice-writer"},
        {"Steam game the user gave a StartupWMClass",
         {.wmInstance = "steam_app_1145360", .wmClass = "steam_app_1145360"}, "Hades"},
        {"StartupWMClass beats an id equal to the instance",
         {.wmInstance = "discord", .wmClass = "Code"}, "discord"},
    });
}

TEST(AppMatcher, DesktopIdMatchesInstanceThenClass)
{
    expectMatches(installedApps, {
        {"instance equals the id", {.wmInstance = "discord", .wmClass = "Discord"}, "discord"},
        {"instance before class", {.wmInstance = "steam", .wmClass = "gimp"}, "steam"},
        {"class when the instance names nothing", {.wmInstance = "gimp-2.10", .wmClass = "gimp"}, "gimp"},
        {"class lower-cased", {.wmInstance = "Mail", .wmClass = "Steam"}, "steam"},
        {"spaces become hyphens", {.wmInstance = "Navigator", .wmClass = "Tor Browser"}, "tor-browser"},
        {"last part of a reverse-DNS id", {.wmInstance = "nautilus", .wmClass = "Nautilus"}, "org.gnome.Nautilus"},
        {"flatpak Obsidian by the last part of its id", {.wmInstance = "obsidian", .wmClass = "obsidian"},
         "md.obsidian.Obsidian"},
        {"a last part two vendors share names neither", {.wmInstance = "calendar", .wmClass = "Calendar"},
         "wmclass:Calendar"},
        {"the window's own name beats the terminal program that drew it",
         {.wmInstance = "htop", .wmClass = "XTerm", .executablePath = "/usr/bin/xterm",
          .commandLine = {"xterm", "-name", "htop", "-e", "htop"}}, "htop"},
    });
}

TEST(AppMatcher, RunningProgramMatchesTryExecOrExec)
{
    expectMatches(installedApps, {
        {"terminal running another program stays the terminal",
         {.wmInstance = "xterm", .wmClass = "XTerm", .executablePath = "/usr/bin/xterm",
          .commandLine = {"xterm", "-e", "htop"}}, "debian-xterm"},
        {"Python script run by the interpreter",
         {.wmInstance = "hp-toolbox", .wmClass = "Hp-toolbox", .executablePath = "/usr/bin/python3.11",
          .commandLine = {"/usr/bin/python3", "-O", "/usr/bin/hp-toolbox"}}, "hplip"},
        {"bare interpreter never matches the interpreter's own entry",
         {.wmInstance = "plot", .wmClass = "Tk", .executablePath = "/usr/bin/python3.11",
          .commandLine = {"python3"}}, "wmclass:Tk"},
        {"shared Electron runtime: the app.asar path tells the apps apart",
         {.wmInstance = "electron", .wmClass = "Electron", .executablePath = "/usr/lib/electron25/electron",
          .commandLine = {"/usr/lib/electron25/electron", "/usr/lib/signal-desktop/app.asar"}}, "signal-desktop"},
        {"an app.asar file name alone is ambiguous",
         {.wmInstance = "electron", .wmClass = "Electron", .executablePath = "/usr/lib/electron25/electron",
          .commandLine = {"/usr/lib/electron25/electron", "/opt/other/app.asar"}}, "wmclass:Electron"},
        {"a program several entries run picks none of them",
         {.wmInstance = "soffice", .wmClass = "Soffice", .executablePath = "/usr/lib/libreoffice/program/soffice.bin",
          .commandLine = {"libreoffice", "--calc"}}, "wmclass:Soffice"},
        {"a full path still matches when game entries share the program's name",
         {.wmInstance = "x", .wmClass = "X", .executablePath = "/usr/games/steam"}, "steam"},
        {"snap entry run through env", {.wmInstance = "x", .wmClass = "X", .executablePath = "/snap/bin/firefox"},
         "firefox_firefox"},
    });
}

TEST(AppMatcher, RelatedWindowsShareTheirApplication)
{
    expectMatches(installedApps, {
        {"a dialog takes its parent's application over its own evidence",
         {.wmInstance = "discord", .wmClass = "discord", .gtkApplicationId = "org.gnome.Nautilus",
          .transientParentApp = "code"}, "code"},
        {"a game's dialog stays with the unmatched game, not Steam",
         {.wmInstance = "steam", .wmClass = "Steam", .transientParentApp = "wmclass:steam_app_620"},
         "wmclass:steam_app_620"},
        {"an empty parent application is ignored",
         {.wmInstance = "discord", .wmClass = "discord", .transientParentApp = ""}, "discord"},
        {"the group leader's application when nothing else matched",
         {.wmInstance = "gimp-splash", .wmClass = "Gimp-splash", .groupLeaderApp = "gimp"}, "gimp"},
        {"the window's own WM_CLASS beats its group leader",
         {.wmInstance = "discord", .wmClass = "discord", .groupLeaderApp = "gimp"}, "discord"},
        {"an unmatched group leader adds nothing",
         {.wmInstance = "toolbox", .wmClass = "Toolbox", .groupLeaderApp = "wmclass:Gimp"}, "wmclass:Toolbox"},
    });
}

TEST(AppMatcher, UnmatchedWindowsAreNamedByWmClass)
{
    expectMatches(installedApps, {
        {"class", {.wmInstance = "xeyes", .wmClass = "XEyes"}, "wmclass:XEyes"},
        {"instance when the class is empty", {.wmInstance = "xeyes"}, "wmclass:xeyes"},
        {"program file name when WM_CLASS is empty", {.executablePath = "/usr/bin/xev"}, "wmclass:xev"},
        {"script, not interpreter, when WM_CLASS is empty",
         {.executablePath = "/usr/bin/python3", .commandLine = {"python3", "/home/ann/bin/tool.py"}},
         "wmclass:tool.py"},
        {"nothing known at all", {}, "wmclass:"},
    });
}

TEST(AppMatcher, EmptyOrDuplicateCandidatesAreHarmless)
{
    expectMatches({{"", "Anything", {}, {"anything"}}, {"first", "Shared", {}, {"/usr/bin/tool"}},
                   {"first", "Other", {}, {"/usr/bin/other"}}},
                  {
                      {"an entry without an id is never matched", {.wmInstance = "anything", .wmClass = "Anything"},
                       "wmclass:Anything"},
                      {"a repeated id keeps its first entry", {.wmInstance = "x", .wmClass = "Other"}, "wmclass:Other"},
                      {"the first entry's facts still match", {.wmInstance = "x", .wmClass = "Shared"}, "first"},
                  });
    expectMatches({}, {{"no entries installed", {.wmInstance = "code", .wmClass = "Code"}, "wmclass:Code"}});
}
