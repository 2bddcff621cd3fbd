// The warm icon request: the icon is already in the memory cache, so a request costs the theme
// lookup, the fingerprint (two file times and a SHA-256) and the hop to a worker and back.
#include "core/services/IconCacheService.h"
#include "platform/xdg/IconThemeLookup.h"
#include "platform/xdg/XdgBundleFiles.h"
#include "platform/xdg/XdgIconLoader.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <optional>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// A theme shaped like a real one: many size folders, the icon only in the inherited hicolor.
QString makeThemes(const QTemporaryDir& dir)
{
    const QString base = dir.filePath("icons");
    QByteArray index = "[Icon Theme]\nInherits=hicolor\nDirectories=";
    QByteArray groups;
    for (const int size : { 8, 16, 22, 24, 32, 36, 40, 42, 48, 64, 72, 96, 128, 192, 256, 512 }) {
        for (const char* context : { "apps", "actions", "places" }) {
            const QByteArray folder = QByteArray::number(size) + "x" + QByteArray::number(size) + "/" + context;
            index += folder + ",";
            groups += "[" + folder + "]\nSize=" + QByteArray::number(size) + "\nType=Fixed\n";
        }
    }
    writeFile(base + "/Bench/index.theme", index + "\n" + groups);
    writeFile(base + "/hicolor/index.theme", "[Icon Theme]\nDirectories=48x48/apps\n[48x48/apps]\nSize=48\n");
    QImage icon(48, 48, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    icon.save(&buffer, "PNG");
    writeFile(base + "/hicolor/48x48/apps/org.example.app.png", png);
    return base;
}

QImage requestAndWait(const IconCacheService& service, const QString& desktopFile, const QString& iconName)
{
    QObject context;
    std::optional<QImage> icon;
    service.requestIcon(QStringLiteral("org.example.app"), desktopFile, iconName, &context,
        [&icon](const QImage& image) { icon = image; });
    while (!icon)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return *icon;
}

void warmRequest(benchmark::State& state, bool themed)
{
    QTemporaryDir dir;
    const QString base = makeThemes(dir);
    const QString desktopFile = dir.filePath("org.example.app.desktop");
    writeFile(desktopFile, "[Desktop Entry]\nType=Application\nName=Example\n");
    const QString iconName
        = themed ? QStringLiteral("org.example.app") : base + "/hicolor/48x48/apps/org.example.app.png";
    const auto lookup
        = std::make_shared<IconThemeLookup>(QStringLiteral("Bench"), QStringList { base }, QStringList {});
    const IconCacheService service(
        std::make_shared<XdgBundleFiles>(lookup), std::make_shared<XdgIconLoader>(), dir.filePath("cache"));
    // A miss costs a full theme walk every time, so only a found icon measures the warm path.
    if (requestAndWait(service, desktopFile, iconName).isNull()) {
        state.SkipWithError("the icon was not found");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(requestAndWait(service, desktopFile, iconName));
}

void warmIconRequestAbsolutePath(benchmark::State& state)
{
    warmRequest(state, false);
}

void warmIconRequestThemeLookup(benchmark::State& state)
{
    warmRequest(state, true);
}

BENCHMARK(warmIconRequestAbsolutePath)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(warmIconRequestThemeLookup)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
