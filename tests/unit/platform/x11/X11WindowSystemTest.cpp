#include "platform/x11/X11WindowSystem.h"
#include "XvfbServer.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <xcb/xcb_icccm.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <variant>

namespace {

using PropertyValue = std::variant<QByteArray, QList<quint32>>;

class X11WindowSystemTest : public XvfbTest {
protected:
    void SetUp() override
    {
        XvfbTest::SetUp();
        if (!c)
            return;
        root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    }

    void TearDown() override
    {
        system.reset();
        if (!c)
            return;
        for (xcb_window_t window : created)
            xcb_destroy_window(c, window);
        xcb_delete_property(c, root, atom("_NET_CLIENT_LIST"));
        roundTrip();
        // Events for a window system that is gone would reach the next test's.
        while (xcb_generic_event_t* event = xcb_poll_for_event(c))
            std::free(event);
    }

    xcb_atom_t atom(const char* name) const
    {
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, strlen(name), name), nullptr), &std::free);
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    // The sequence number of a request that waits for the server, so everything before it has been
    // answered and its events are queued.
    unsigned roundTrip() const
    {
        const xcb_get_input_focus_cookie_t cookie = xcb_get_input_focus(c);
        std::free(xcb_get_input_focus_reply(c, cookie, nullptr));
        return cookie.sequence;
    }

    void setProperty(xcb_window_t window, const char* property, const char* type, const PropertyValue& value) const
    {
        if (const auto* text = std::get_if<QByteArray>(&value))
            xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, atom(property), atom(type), 8, text->size(),
                                text->constData());
        else if (const auto* words = std::get_if<QList<quint32>>(&value))
            xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, atom(property), atom(type), 32, words->size(),
                                words->constData());
    }

    // An unmapped client window, listed for the window manager's part the test plays.
    xcb_window_t createClient()
    {
        const xcb_window_t window = xcb_generate_id(c);
        xcb_create_window(c, XCB_COPY_FROM_PARENT, window, root, 0, 0, 100, 100, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          XCB_COPY_FROM_PARENT, 0, nullptr);
        created.append(window);
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, root, atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW, 32,
                            created.size(), created.constData());
        return window;
    }

    void start()
    {
        system = std::make_unique<X11WindowSystem>(*XcbConnection::fromConnection(c));
        settle();
        ASSERT_EQ(system->clientWindows().size(), created.size());
    }

    // Hands the server's events to the window system as Qt's event loop would and lets its batch
    // run; the number of requests it sent meanwhile.
    int settle()
    {
        const unsigned before = roundTrip();
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            system->nativeEventFilter("xcb_generic_event_t", event, nullptr);
            std::free(event);
        }
        QTest::qWait(20);
        return int(roundTrip() - before) - 1;
    }

    xcb_window_t root = XCB_WINDOW_NONE;
    QList<xcb_window_t> created;
    std::unique_ptr<X11WindowSystem> system;
};

TEST_F(X11WindowSystemTest, OnlyChangesToWhatAWindowIsReadFromCostARead)
{
    struct Case {
        const char* name;
        const char* property;
        const char* type;
        PropertyValue value;
        bool readAgain;
        bool iconChanged;
    };
    const Case cases[] = {
        {"user time, on every key press", "_NET_WM_USER_TIME", "CARDINAL", QList<quint32>{12345}, false, false},
        {"opaque region", "_NET_WM_OPAQUE_REGION", "CARDINAL", QList<quint32>{0, 0, 10, 10}, false, false},
        {"icon name", "_NET_WM_ICON_NAME", "UTF8_STRING", QByteArray("short"), false, false},
        {"icon: announced, read only by who shows it", "_NET_WM_ICON", "CARDINAL",
         QList<quint32>{1, 1, 0xffff0000u}, false, true},
        {"title", "_NET_WM_NAME", "UTF8_STRING", QByteArray("renamed"), true, false},
        {"desktop", "_NET_WM_DESKTOP", "CARDINAL", QList<quint32>{3}, true, false},
        {"state", "_NET_WM_STATE", "ATOM", QList<quint32>{atom("_NET_WM_STATE_SKIP_TASKBAR")}, true, false},
    };
    QList<xcb_window_t> windows;
    for (size_t i = 0; i < std::size(cases); ++i)
        windows.append(createClient());
    start();
    QSignalSpy updated(system.get(), &WindowSystem::windowsUpdated);
    QSignalSpy iconChanged(system.get(), &WindowSystem::iconChanged);

    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& test = cases[i];
        SCOPED_TRACE(test.name);
        updated.clear();
        iconChanged.clear();
        setProperty(windows[i], test.property, test.type, test.value);
        const int requests = settle();
        if (test.readAgain) {
            EXPECT_GT(requests, 0);
            ASSERT_EQ(updated.count(), 1);
            EXPECT_EQ(updated.at(0).at(0).value<QList<WindowId>>(), QList<WindowId>{WindowId{windows[i]}});
        } else {
            EXPECT_EQ(requests, 0);
            EXPECT_EQ(updated.count(), 0);
        }
        ASSERT_EQ(iconChanged.count(), test.iconChanged ? 1 : 0);
        if (test.iconChanged) {
            EXPECT_EQ(iconChanged.at(0).at(0).value<WindowId>(), WindowId{windows[i]});
        }
    }
    EXPECT_EQ(system->window(WindowId{windows[4]})->title, "renamed");
    EXPECT_FALSE(system->window(WindowId{windows[5]})->onCurrentDesktop);
    EXPECT_TRUE(system->window(WindowId{windows[6]})->skipTaskbar);
}

TEST_F(X11WindowSystemTest, TheOldTitleIsDecodedByItsType)
{
    struct Case {
        const char* name;
        const char* type;
        QByteArray bytes;
        QString title;
    };
    const Case cases[] = {
        {"STRING is Latin-1", "STRING", "caf\xe9", QStringLiteral("café")},
        {"UTF8_STRING", "UTF8_STRING", "caf\xc3\xa9 \xe2\x86\x92", QStringLiteral("café →")},
        {"compound text without escapes is Latin-1", "COMPOUND_TEXT", "caf\xe9", QStringLiteral("café")},
        {"a UTF-8 segment of compound text", "COMPOUND_TEXT", "a \x1b%G\xe2\x86\x92\x1b%@ \xe9",
         QStringLiteral("a → é")},
        {"a set without a table, then Latin-1 again", "COMPOUND_TEXT", "a\x1b-F\xe1\x1b-A\xe9",
         QStringLiteral("a\uFFFDé")},
        {"direction changes carry no text", "COMPOUND_TEXT", "\x9b\x32]ab\x9b]", QStringLiteral("ab")},
    };
    QList<xcb_window_t> windows;
    for (const Case& test : cases) {
        windows.append(createClient());
        setProperty(windows.last(), "WM_NAME", test.type, test.bytes);
    }
    start();
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(system->window(WindowId{windows[i]})->title, cases[i].title) << cases[i].name;
}

TEST_F(X11WindowSystemTest, HintsAreReadAsFarAsTheyGo)
{
    constexpr quint32 urgency = XCB_ICCCM_WM_HINT_X_URGENCY;
    constexpr quint32 group = XCB_ICCCM_WM_HINT_WINDOW_GROUP;
    struct Case {
        const char* name;
        QList<quint32> words;
        bool urgent;
        quint32 groupLeader;
    };
    const Case cases[] = {
        {"ICCCM 1.0: eight words, no group", {urgency, 0, 0, 0, 0, 0, 0, 0}, true, 0},
        {"just the flags", {urgency}, true, 0},
        {"a group named but cut off", {urgency | group, 0, 0, 0, 0, 0, 0, 0}, true, 0},
        {"all nine words", {group, 0, 0, 0, 0, 0, 0, 0, 77}, false, 77},
        {"nothing flagged", {0, 0, 0, 0, 0, 0, 0, 0, 77}, false, 0},
    };
    QList<xcb_window_t> windows;
    for (const Case& test : cases) {
        windows.append(createClient());
        setProperty(windows.last(), "WM_HINTS", "WM_HINTS", test.words);
    }
    start();
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        const ClientWindow window = *system->window(WindowId{windows[i]});
        EXPECT_EQ(window.urgent, cases[i].urgent);
        EXPECT_EQ(window.groupLeader, WindowId{cases[i].groupLeader});
    }
}

} // namespace
