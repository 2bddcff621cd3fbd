#pragma once

#include "core/features/windows/WindowInfo.h"
#include "core/models/WindowCommand.h"

#include <QImage>
#include <QList>
#include <QString>

#include <functional>

class QObject;

// What the bar hands a button so it can show the previews of its application's windows.
struct WindowPreviewConfig {
    // Hands `done` on `context` the window's thumbnail, or a null image when there is none.
    using Thumbnail = std::function<void(WindowId id, QObject* context, std::function<void(const QImage&)> done)>;

    // Shown above the cards; no title when empty.
    QString appName;
    std::function<QList<WindowInfo>()> windows;
    // Whether resting on the button opens the previews rather than the name label.
    std::function<bool()> shouldShow;
    Thumbnail thumbnail;
    std::function<void(const WindowInfo&)> onSelect;
    std::function<void(WindowCommand, const WindowInfo&)> onCommand;
    // True when a view of thumbnails appears, false when it goes: once each per view.
    std::function<void(bool)> thumbnailsShown;
};
