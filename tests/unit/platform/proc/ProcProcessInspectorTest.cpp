#include "platform/proc/ProcProcessInspector.h"

#include <QDir>
#include <QByteArrayList>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A made-up /proc with one process in it.
class ProcProcessInspectorTest : public ::testing::Test {
protected:
    void write(const QString& relative, const QByteArray& bytes)
    {
        const QString path = root.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir root;
};

TEST_F(ProcProcessInspectorTest, ReadsWhatAProcessSaysAboutItself)
{
    write("42/cmdline", QByteArrayList{"/usr/bin/python3", "/opt/app/main.py", "--new", ""}.join('\0'));
    write("42/environ", QByteArrayList{"HOME=/root", "APPIMAGE=/home/u/Tool.AppImage",
                                       "BAMF_DESKTOP_FILE_HINT=/var/lib/snapd/desktop/applications/firefox_firefox.desktop",
                                       ""}
                            .join('\0'));
    write("42/root/.flatpak-info", "[Instance]\nname=wrong\n[Application]\nname=org.example.Flat\nruntime=x\n");
    ASSERT_TRUE(QFile::link("/usr/bin/python3.11 (deleted)", root.filePath("42/exe")));

    const ProcessIdentity identity = ProcProcessInspector(root.path()).identity(42);
    EXPECT_EQ(identity.commandLine, (QStringList{"/usr/bin/python3", "/opt/app/main.py", "--new"}));
    EXPECT_EQ(identity.appImagePath, "/home/u/Tool.AppImage");
    EXPECT_EQ(identity.snapDesktopHint, "/var/lib/snapd/desktop/applications/firefox_firefox.desktop");
    EXPECT_EQ(identity.flatpakAppId, "org.example.Flat");
    EXPECT_EQ(identity.executablePath, "/usr/bin/python3.11");
}

TEST_F(ProcProcessInspectorTest, UnknownOrVanishedProcessesSayNothing)
{
    const ProcProcessInspector inspector(root.path());
    EXPECT_EQ(inspector.identity(7), ProcessIdentity{});
    EXPECT_EQ(inspector.identity(0), ProcessIdentity{});
    EXPECT_EQ(inspector.identity(-3), ProcessIdentity{});
}

} // namespace
