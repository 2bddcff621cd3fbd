#pragma once

#include <QObject>

// Mouse presses anywhere on the desktop, including those that go to other applications. A press
// on one of Pellux's own windows is reported too: callers tell those apart themselves.
class GlobalClickWatch : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Starts nest: the watch runs while there have been more start() than stop() calls, so
    // several flyouts can share it.
    virtual void start() = 0;
    virtual void stop() = 0;

signals:
    void pressed();
};
