#pragma once

#include "core/models/StrutPartial.h"

#include <QList>
#include <QObject>
#include <QSize>
#include <QtGui/qwindowdefs.h>

#include <optional>

// What a bar window needs from the window system beyond what Qt offers: being a dock, reserving
// its edge, blur behind it, and the space other panels reserve. All lengths are device pixels of
// the whole screen.
class PanelWindowing : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // For a native window that is not shown yet: a dock on every desktop, above ordinary windows,
    // in no task list or pager.
    virtual void makeDock(WId window) = 0;
    // For a native window that is not shown yet: a pop-up menu above ordinary windows, in no task
    // list or pager.
    virtual void makePopup(WId window) = 0;
    // None removes the reservation.
    virtual void setStrut(WId window, const std::optional<StrutPartial>& strut) = 0;
    // 0 removes the blur.
    virtual void setBlur(WId window, int radius) = 0;
    // The struts of every dock that is not this process's own.
    virtual QList<StrutPartial> otherDockStruts() const = 0;
    virtual QSize screenSize() const = 0;
    // Whether a compositing manager runs, so translucent windows are really translucent.
    virtual bool isCompositing() const = 0;

signals:
    // Another panel came, went or changed the space it reserves.
    void reservedSpaceChanged();
};
