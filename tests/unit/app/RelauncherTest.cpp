#include "app/Relauncher.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// The executable's path is handed over as it is: a quote or a semicolon in it is never a command.
TEST(Relauncher, StartsTheSameExecutableWithoutAShell)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("it's \"here\"; touch pwned"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString marker = dir.filePath("started");
    const QString executable = folder + "/pellux";
    QFile script(executable);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1'\n").arg(marker).toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    ASSERT_TRUE(Relauncher::relaunch(executable));
    QElapsedTimer timer;
    timer.start();
    while (!QFile::exists(marker) && timer.elapsed() < 5000)
        QThread::msleep(20);

    QFile started(marker);
    ASSERT_TRUE(started.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(started.readAll()).split('\n', Qt::SkipEmptyParts), Relauncher::arguments());
    EXPECT_FALSE(QFile::exists(QDir::current().filePath("pwned")));
    EXPECT_FALSE(QFile::exists(dir.filePath("pwned")));
}

} // namespace
