#pragma once

#include "core/features/windows/ActivationHistory.h"

#include "core/models/ClientWindow.h"

#include <QList>
#include <QObject>

class WindowSystem;

// The show-desktop toggle: the first use minimizes every visible window of the ordinary
// applications and remembers exactly those; the second brings back the ones still minimized.
// Windows the user had minimized, and Pellux's own windows, are never touched. The window
// manager's own showing-desktop mode is not used: it cannot tell which windows to bring back.
class ShowDesktopService : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isDesktopShown READ isDesktopShown NOTIFY isDesktopShownChanged)
public:
    ShowDesktopService(WindowSystem& windows, qint32 ownPid, QObject* parent = nullptr);

    bool isDesktopShown() const { return m_desktopShown; }

    void toggle();
    void showDesktop();
    void restore();

signals:
    void isDesktopShownChanged(bool shown);

private:
    bool isVisibleAppWindow(const ClientWindow& window) const;
    void forgetClosed(const QList<WindowId>& removed);
    void setDesktopShown(bool shown);

    WindowSystem& m_windows;
    qint32 m_ownPid;
    ActivationHistory m_history;
    QList<WindowId> m_minimizedWindows;
    bool m_desktopShown = false;
};
