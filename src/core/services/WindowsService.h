#pragma once

#include "core/features/windows/CaptureThrottle.h"
#include "core/features/windows/ThumbnailCache.h"
#include "core/features/windows/WindowInfo.h"
#include "core/features/windows/WindowVerdicts.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QSize>

#include <functional>
#include <memory>

class RunningAppsService;
class WindowCapture;
class WindowEnumerating;
class WindowSystem;

// Which windows an application has and what each looks like, for the window previews. Off-screen
// windows are checked against the display server in the background; those found closed are left
// out until the window list drops them or they show on screen. Main thread only.
class WindowsService : public QObject {
    Q_OBJECT
public:
    // Milliseconds of a monotonic clock.
    using Clock = std::function<qint64()>;
    using ThumbnailHandler = std::function<void(const QImage&)>;

    static constexpr QSize thumbnailSize{260, 163};
    static constexpr int captureScale = 2;

    // `clock` defaults to the steady clock; tests pass their own.
    WindowsService(const WindowSystem& windows, const RunningAppsService& apps, WindowCapture& capture,
                   std::shared_ptr<const WindowEnumerating> enumeration, Clock clock = {}, QObject* parent = nullptr);

    // The application's windows, sorted by window id.
    QList<WindowInfo> windowsOf(const QString& bundleID);
    // The taskbar windows whose _NET_WM_PID is `pid`, sorted by window id.
    QList<WindowInfo> windowsOfPid(qint32 pid);

    // Hands `done` on `context` the window's thumbnail (260 x 163 at scale 2), always later, never
    // during this call: a fresh one, the last capture while the window has not changed since, a
    // new capture, else the last known image or a null image.
    void thumbnail(WindowId id, QObject* context, ThumbnailHandler done);
    // While thumbnails are on screen, captured windows may stay redirected for cheaper refreshes
    // and their changes are watched, so unchanged windows are not captured again. Each view of
    // thumbnails says true once when it appears and false once when it goes.
    void setThumbnailsShown(bool shown);

private:
    struct Waiter {
        QPointer<QObject> context;
        ThumbnailHandler done;
    };

    QList<WindowInfo> listed(const QString& scanKey, const QList<WindowId>& owned);
    void scanForClosedWindows(const QString& scanKey, const QSet<WindowId>& candidates, const QSet<WindowId>& known);
    void startCapture(WindowId id);
    void onContentsChanged(WindowId id);
    void onCaptured(WindowId id, const QImage& image);
    static void deliverLater(QObject* context, ThumbnailHandler done, const QImage& image);

    const WindowSystem& m_windows;
    const RunningAppsService& m_apps;
    WindowCapture& m_capture;
    std::shared_ptr<const WindowEnumerating> m_enumeration;
    Clock m_clock;
    WindowVerdicts m_verdicts;
    QSet<QString> m_scanning;
    ThumbnailCache m_cache;
    CaptureThrottle m_throttle;
    QHash<WindowId, QList<Waiter>> m_waiting;
    int m_thumbnailViews = 0;
    // Watched since before their last capture began, and no change seen since.
    QSet<WindowId> m_unchanged;
};
