#include "WindowsService.h"

#include "core/features/windows/ClosedWindows.h"
#include "core/ports/WindowCapture.h"
#include "core/ports/WindowEnumerating.h"
#include "core/ports/WindowSystem.h"
#include "core/services/Background.h"
#include "core/services/RunningAppsService.h"

#include <QElapsedTimer>

#include <algorithm>

namespace {

WindowsService::Clock steadyClock()
{
    QElapsedTimer timer;
    timer.start();
    return [timer] { return timer.elapsed(); };
}

} // namespace

WindowsService::WindowsService(const WindowSystem& windows, const RunningAppsService& apps, WindowCapture& capture,
                               std::shared_ptr<const WindowEnumerating> enumeration, Clock clock, QObject* parent)
    : QObject(parent)
    , m_windows(windows)
    , m_apps(apps)
    , m_capture(capture)
    , m_enumeration(std::move(enumeration))
    , m_clock(clock ? std::move(clock) : steadyClock())
{
    connect(&m_capture, &WindowCapture::captured, this, &WindowsService::onCaptured);
    connect(&m_capture, &WindowCapture::contentsChanged, this, &WindowsService::onContentsChanged);
}

QList<WindowInfo> WindowsService::windowsOf(const QString& bundleID)
{
    return listed(bundleID, m_apps.windowsOf(bundleID));
}

QList<WindowInfo> WindowsService::windowsOfPid(qint32 pid)
{
    QList<WindowId> owned;
    for (WindowId id : m_windows.clientWindows()) {
        const auto window = m_windows.window(id);
        if (window && window->pid == pid && RunningAppsService::isTaskbarWindow(*window, 0))
            owned.append(id);
    }
    return listed(QStringLiteral("pid:%1").arg(pid), owned);
}

QList<WindowInfo> WindowsService::listed(const QString& scanKey, const QList<WindowId>& owned)
{
    QList<WindowInfo> windows;
    for (WindowId id : owned)
        if (const auto client = m_windows.window(id))
            if (const auto info = WindowInfo::fromClient(*client))
                windows.append(*info);
    std::sort(windows.begin(), windows.end(),
              [](const WindowInfo& a, const WindowInfo& b) { return a.windowID < b.windowID; });

    const qint64 now = m_clock();
    const QList<WindowId> all = m_windows.clientWindows();
    m_verdicts.keepOnly(QSet<WindowId>(all.begin(), all.end()));
    QSet<WindowId> onScreen;
    for (const WindowInfo& window : std::as_const(windows))
        if (window.state == WindowInfo::State::Normal)
            onScreen.insert(window.windowID);
    m_verdicts.forget(onScreen);

    const QSet<WindowId> candidates = ClosedWindows::candidates(windows);
    if (std::any_of(candidates.begin(), candidates.end(), [&](WindowId id) { return m_verdicts.needsCheck(id, now); }))
        scanForClosedWindows(scanKey, candidates, ClosedWindows::known(windows));
    return ClosedWindows::visible(windows, m_verdicts.closed());
}

// The answer lands at a later call; until then the candidates stay listed.
void WindowsService::scanForClosedWindows(const QString& scanKey, const QSet<WindowId>& candidates,
                                          const QSet<WindowId>& known)
{
    if (m_scanning.contains(scanKey))
        return;
    m_scanning.insert(scanKey);
    const QSet<WindowId> wanted = QSet<WindowId>(candidates).unite(known);
    runInBackground<std::optional<QSet<WindowId>>>(
        this, [enumeration = m_enumeration, wanted] { return enumeration->existingWindows(wanted); },
        [this, scanKey, candidates, known](const std::optional<QSet<WindowId>>& found) {
            m_scanning.remove(scanKey);
            const QSet<WindowId> closed = ClosedWindows::closed(candidates, known, found).value_or(QSet<WindowId>());
            m_verdicts.record(closed, QSet<WindowId>(candidates).subtract(closed), m_clock());
        });
}

void WindowsService::thumbnail(WindowId id, QObject* context, ThumbnailHandler done)
{
    const qint64 now = m_clock();
    if (const QImage fresh = m_cache.fresh(id, now); !fresh.isNull()) {
        deliverLater(context, std::move(done), fresh);
        return;
    }
    const bool inFlight = m_waiting.contains(id);
    const QImage lastKnown = m_cache.lastKnown(id);
    // The last image may have been evicted meanwhile: then only a capture shows the window.
    const bool unchanged = !inFlight && m_unchanged.contains(id) && !lastKnown.isNull();
    if (!inFlight && (unchanged || !m_throttle.tryStart(id, now))) {
        deliverLater(context, std::move(done), lastKnown);
        return;
    }
    m_waiting[id].append({context, std::move(done)});
    if (!inFlight)
        startCapture(id);
}

void WindowsService::setThumbnailsShown(bool shown)
{
    const bool wasShown = m_thumbnailViews > 0;
    m_thumbnailViews = std::max(0, m_thumbnailViews + (shown ? 1 : -1));
    const bool isShown = m_thumbnailViews > 0;
    if (isShown == wasShown)
        return;
    m_capture.setRedirected(isShown);
    if (!isShown) {
        m_capture.stopWatchingContents();
        m_unchanged.clear();
    }
}

// The watch goes first, so a change during the capture is reported and the image not trusted.
void WindowsService::startCapture(WindowId id)
{
    if (m_thumbnailViews > 0 && m_capture.watchContents(id))
        m_unchanged.insert(id);
    else
        m_unchanged.remove(id);
    m_capture.requestCapture(id, thumbnailSize * captureScale);
}

void WindowsService::onContentsChanged(WindowId id)
{
    m_unchanged.remove(id);
}

void WindowsService::onCaptured(WindowId id, const QImage& image)
{
    if (!m_waiting.contains(id))
        return;
    const QList<Waiter> waiters = m_waiting.take(id);
    QImage result = image;
    if (result.isNull()) {
        m_unchanged.remove(id);
        result = m_cache.lastKnown(id);
    } else {
        result.setDevicePixelRatio(captureScale);
        m_cache.store(id, result, m_clock());
    }
    for (const Waiter& waiter : waiters)
        if (waiter.context)
            waiter.done(result);
}

void WindowsService::deliverLater(QObject* context, ThumbnailHandler done, const QImage& image)
{
    QMetaObject::invokeMethod(context, [done = std::move(done), image] { done(image); }, Qt::QueuedConnection);
}
