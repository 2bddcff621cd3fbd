#pragma once

#include "core/ports/WindowCapture.h"

#include <QList>
#include <QSet>

// Records capture requests; the test answers them with `finish`, as the display server would later.
class FakeWindowCapture : public WindowCapture {
    Q_OBJECT
public:
    using WindowCapture::WindowCapture;

    void requestCapture(WindowId id, QSize pixelSize) override { requests.append({id, pixelSize}); }
    bool isCompositing() const override { return compositing; }
    void setRedirected(bool value) override { redirected = value; }
    bool watchContents(WindowId id) override
    {
        if (canWatch)
            watched.insert(id);
        return canWatch;
    }
    void stopWatchingContents() override { watched.clear(); }

    void finish(WindowId id, const QImage& image) { emit captured(id, image); }
    void change(WindowId id) { emit contentsChanged(id); }

    QList<std::pair<WindowId, QSize>> requests;
    bool compositing = false;
    bool redirected = false;
    bool canWatch = true;
    QSet<WindowId> watched;
};
