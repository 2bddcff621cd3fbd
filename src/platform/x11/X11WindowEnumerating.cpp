#include "X11WindowEnumerating.h"

#include <QList>

#include <cstdlib>

std::optional<QSet<WindowId>> X11WindowEnumerating::existingWindows(const QSet<WindowId>& wanted) const
{
    xcb_connection_t* c = m_x.connection();
    if (xcb_connection_has_error(c))
        return std::nullopt;
    QList<std::pair<WindowId, xcb_get_window_attributes_cookie_t>> cookies;
    for (WindowId id : wanted)
        cookies.append({id, xcb_get_window_attributes(c, id.value)});
    QSet<WindowId> existing;
    for (const auto& [id, cookie] : std::as_const(cookies)) {
        xcb_generic_error_t* error = nullptr;
        auto* reply = xcb_get_window_attributes_reply(c, cookie, &error);
        if (reply)
            existing.insert(id);
        std::free(reply);
        std::free(error);
    }
    return existing;
}
