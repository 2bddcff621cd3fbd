#include "X11KeystrokeSender.h"

#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include <memory>

namespace {

constexpr xcb_keysym_t controlLeft = 0xffe3; // XK_Control_L
constexpr xcb_keysym_t letterN = 0x006e;     // XK_n

struct KeySymbolsDeleter {
    void operator()(xcb_key_symbols_t* symbols) const { xcb_key_symbols_free(symbols); }
};

} // namespace

X11KeystrokeSender::X11KeystrokeSender(XcbConnection connection) : m_x(connection) {}

bool X11KeystrokeSender::sendNewWindowShortcut()
{
    // The keycodes come from the current keymap, so the shortcut survives any keyboard layout.
    std::unique_ptr<xcb_key_symbols_t, KeySymbolsDeleter> symbols(xcb_key_symbols_alloc(m_x.connection()));
    if (!symbols)
        return false;
    std::unique_ptr<xcb_keycode_t, decltype(&std::free)> control(xcb_key_symbols_get_keycode(symbols.get(), controlLeft),
                                                                 &std::free);
    std::unique_ptr<xcb_keycode_t, decltype(&std::free)> n(xcb_key_symbols_get_keycode(symbols.get(), letterN),
                                                           &std::free);
    if (!control || !n || *control == XCB_NO_SYMBOL || *n == XCB_NO_SYMBOL)
        return false;
    xcb_connection_t* c = m_x.connection();
    const xcb_window_t root = m_x.root();
    xcb_test_fake_input(c, XCB_KEY_PRESS, *control, XCB_CURRENT_TIME, root, 0, 0, 0);
    xcb_test_fake_input(c, XCB_KEY_PRESS, *n, XCB_CURRENT_TIME, root, 0, 0, 0);
    xcb_test_fake_input(c, XCB_KEY_RELEASE, *n, XCB_CURRENT_TIME, root, 0, 0, 0);
    xcb_test_fake_input(c, XCB_KEY_RELEASE, *control, XCB_CURRENT_TIME, root, 0, 0, 0);
    m_x.flush();
    return true;
}
