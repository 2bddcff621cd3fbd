// A scan of 2,000 generated desktop entries, as a machine with many applications has.
#include "platform/xdg/XdgApplicationSource.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void writeEntries(const QString& folder, int count)
{
    for (int i = 0; i < count; ++i) {
        QFile file(QStringLiteral("%1/org.example.App%2.desktop").arg(folder).arg(i));
        file.open(QIODevice::WriteOnly);
        file.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=Application %1\nName[de]=Anwendung %1\n"
                                  "GenericName=Tool\nComment=Does things number %1\nExec=app%1 --new-window %U\n"
                                  "Icon=org.example.App%1\nCategories=Utility;Development;\nMimeType=text/plain;\n"
                                  "StartupWMClass=App%1\nActions=new;\n\n[Desktop Action new]\nName=New Window\n"
                                  "Exec=app%1 --new\n")
                       .arg(i)
                       .toUtf8());
    }
}

void scanTwoThousandEntries(benchmark::State& state)
{
    QTemporaryDir dir;
    writeEntries(dir.path(), 2000);
    const XdgApplicationSource source({{dir.path()}, {QStringLiteral("openbox")}, {QStringLiteral("/usr/bin")}});
    for (auto _ : state)
        benchmark::DoNotOptimize(source.scan());
}
BENCHMARK(scanTwoThousandEntries)->Unit(benchmark::kMillisecond);

} // namespace
