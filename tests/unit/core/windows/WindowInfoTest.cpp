#include "core/features/windows/WindowInfo.h"

#include <gtest/gtest.h>

namespace {

using State = WindowInfo::State;

struct Facts {
    int width = 400;
    int height = 300;
    bool viewable = true;
    bool onCurrentDesktop = true;
    bool minimized = false;
    QString title = QStringLiteral("Notes");
    double opacity = 1.0;
};

struct Case {
    const char* name;
    Facts facts;
    std::optional<State> state; // nothing: left out
};

const Case cases[] = {
    {"mapped on this desktop is on screen", {}, State::Normal},
    {"hidden is minimized", {.viewable = false, .minimized = true}, State::Minimized},
    {"hidden but still mapped is minimized", {.minimized = true}, State::Minimized},
    {"minimized on another desktop is minimized", {.viewable = false, .onCurrentDesktop = false, .minimized = true},
     State::Minimized},
    {"on another desktop is elsewhere", {.viewable = false, .onCurrentDesktop = false}, State::Elsewhere},
    {"unmapped but not hidden is elsewhere", {.viewable = false}, State::Elsewhere},
    {"100 x 100 is listed", {.width = 100, .height = 100}, State::Normal},
    {"99 wide is left out", {.width = 99, .height = 300}, std::nullopt},
    {"99 high is left out", {.width = 400, .height = 99}, std::nullopt},
    {"fully transparent is left out", {.opacity = 0.0}, std::nullopt},
    {"untitled on screen is listed", {.title = QString()}, State::Normal},
    {"untitled minimized is left out", {.viewable = false, .minimized = true, .title = QString()}, std::nullopt},
    {"untitled elsewhere is left out", {.viewable = false, .onCurrentDesktop = false, .title = QString()}, std::nullopt},
};

class WindowInfoStates : public ::testing::TestWithParam<Case> {};

TEST_P(WindowInfoStates, FollowsTheWindowFacts)
{
    const Facts& f = GetParam().facts;
    ClientWindow window;
    window.id = WindowId{7};
    window.pid = 42;
    window.title = f.title;
    window.frame = QRect(30, 40, f.width, f.height);
    window.viewable = f.viewable;
    window.onCurrentDesktop = f.onCurrentDesktop;
    window.minimized = f.minimized;
    window.opacity = f.opacity;

    const auto info = WindowInfo::fromClient(window);
    ASSERT_EQ(info.has_value(), GetParam().state.has_value());
    if (!info)
        return;
    EXPECT_EQ(info->state, *GetParam().state);
    EXPECT_EQ(*info, (WindowInfo{WindowId{7}, f.title, 42, window.frame, *GetParam().state}));
}

INSTANTIATE_TEST_SUITE_P(Cases, WindowInfoStates, ::testing::ValuesIn(cases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

} // namespace
