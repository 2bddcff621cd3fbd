#pragma once

#include "core/ports/WindowSystem.h"

#include <QHash>

// Scripted windows; changes are announced the way the real backend batches them. Requests are
// recorded and, with `appliesRequests`, applied as a window manager would.
class FakeWindowSystem : public WindowSystem {
    Q_OBJECT
public:
    using WindowSystem::WindowSystem;

    QList<WindowId> clientWindows() const override { return m_order; }
    std::optional<ClientWindow> window(WindowId id) const override
    {
        return m_windows.contains(id) ? std::optional(m_windows.value(id)) : std::nullopt;
    }
    WindowId activeWindow() const override { return m_active; }
    QImage icon(WindowId id, int) const override
    {
        iconReads.append(id);
        return icons.value(id);
    }

    void requestActivate(WindowId id) override
    {
        requests.append({"activate", id});
        if (appliesRequests && m_windows.contains(id)) {
            ClientWindow shown = m_windows.value(id);
            shown.minimized = false;
            shown.viewable = true;
            update(shown);
            activate(id);
        }
    }
    void requestMinimize(WindowId id) override
    {
        requests.append({"minimize", id});
        if (appliesRequests && m_windows.contains(id)) {
            ClientWindow hidden = m_windows.value(id);
            hidden.minimized = true;
            hidden.viewable = false;
            update(hidden);
            if (m_active == id)
                activate({});
        }
    }
    void requestClose(WindowId id) override { requests.append({"close", id}); }
    void requestToggleMaximize(WindowId id) override { requests.append({"maximize", id}); }
    void requestMoveResize(WindowId id, const QRect& frame) override
    {
        requests.append({"moveResize", id});
        moveResizes.append({id, frame});
        if (appliesRequests && m_windows.contains(id)) {
            ClientWindow moved = m_windows.value(id);
            moved.frame = frame;
            update(moved);
        }
    }
    void requestShowingDesktop(bool) override {}
    void requestSwitchDesktop(int) override {}

    void add(const ClientWindow& window)
    {
        m_order.append(window.id);
        m_windows.insert(window.id, window);
        emit windowsChanged({window.id}, {});
    }
    void remove(WindowId id)
    {
        m_order.removeAll(id);
        m_windows.remove(id);
        emit windowsChanged({}, {id});
    }
    void update(const ClientWindow& window)
    {
        m_windows.insert(window.id, window);
        emit windowsUpdated({window.id});
    }
    void activate(WindowId id)
    {
        m_active = id;
        emit activeWindowChanged(id);
    }
    void changeIcon(WindowId id, const QImage& image)
    {
        icons.insert(id, image);
        emit iconChanged(id);
    }

    QList<std::pair<QString, WindowId>> requests;
    QList<std::pair<WindowId, QRect>> moveResizes;
    // Minimize, activate and move-resize change the windows the way a window manager would.
    bool appliesRequests = false;
    QHash<WindowId, QImage> icons;
    mutable QList<WindowId> iconReads;

private:
    QList<WindowId> m_order;
    QHash<WindowId, ClientWindow> m_windows;
    WindowId m_active;
};
