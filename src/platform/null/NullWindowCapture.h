#pragma once

#include "core/ports/WindowCapture.h"

#include <QMetaObject>

// Where windows cannot be captured: every request is answered, later, with a null image.
class NullWindowCapture final : public WindowCapture {
    Q_OBJECT
public:
    using WindowCapture::WindowCapture;

    void requestCapture(WindowId id, QSize) override
    {
        QMetaObject::invokeMethod(this, [this, id] { emit captured(id, QImage()); }, Qt::QueuedConnection);
    }
    bool isCompositing() const override { return false; }
    void setRedirected(bool) override {}
    bool watchContents(WindowId) override { return false; }
    void stopWatchingContents() override {}
};
