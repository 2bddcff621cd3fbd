#include "core/features/windows/ClosedWindows.h"
#include "core/features/windows/WindowVerdicts.h"

#include <gtest/gtest.h>

namespace {

const WindowId one{1};
const WindowId two{2};
const WindowId three{3};

TEST(WindowVerdicts, AVerdictIsTrustedForFifteenSeconds)
{
    WindowVerdicts verdicts;
    EXPECT_TRUE(verdicts.needsCheck(one, 0)) << "never checked";
    verdicts.record({one}, {two}, 1'000);
    EXPECT_FALSE(verdicts.needsCheck(one, 1'000));
    EXPECT_FALSE(verdicts.needsCheck(two, 15'999));
    EXPECT_TRUE(verdicts.needsCheck(two, 16'000)) << "15 s old";
    EXPECT_TRUE(verdicts.needsCheck(one, 16'000));
}

TEST(WindowVerdicts, ANewerVerdictReplacesTheOlder)
{
    WindowVerdicts verdicts;
    verdicts.record({one, two}, {}, 0);
    verdicts.record({}, {one}, 10'000);
    EXPECT_EQ(verdicts.closed(), QSet<WindowId>{two});
    EXPECT_FALSE(verdicts.needsCheck(one, 20'000)) << "the open verdict restarted its lifetime";
}

TEST(WindowVerdicts, ForgetAndKeepOnlyDropVerdicts)
{
    WindowVerdicts verdicts;
    verdicts.record({one, two, three}, {}, 0);
    verdicts.forget({one});
    EXPECT_EQ(verdicts.closed(), (QSet<WindowId>{two, three}));
    verdicts.keepOnly({three, WindowId{9}});
    EXPECT_EQ(verdicts.closed(), QSet<WindowId>{three});
    EXPECT_TRUE(verdicts.needsCheck(two, 1));
}

struct ClosedCase {
    const char* name;
    QSet<WindowId> candidates;
    QSet<WindowId> known;
    std::optional<QSet<WindowId>> found;
    std::optional<QSet<WindowId>> closed;
};

TEST(ClosedWindows, OnlyAnEnumerationThatSawEveryKnownWindowJudges)
{
    const ClosedCase cases[] = {
        {"unfound candidate of a complete enumeration is closed", {one, two}, {three}, QSet{one, three}, QSet{two}},
        {"all candidates found: none closed", {one, two}, {three}, QSet{one, two, three}, QSet<WindowId>{}},
        {"a missed known window makes it inconclusive", {one, two}, {three}, QSet{one}, std::nullopt},
        {"no enumeration is inconclusive", {one}, {}, std::nullopt, std::nullopt},
        {"nothing known: every unfound candidate is closed", {one, two}, {}, QSet<WindowId>{}, QSet{one, two}},
    };
    for (const ClosedCase& c : cases)
        EXPECT_EQ(ClosedWindows::closed(c.candidates, c.known, c.found), c.closed) << c.name;
}

TEST(ClosedWindows, HidesOnlyElsewhereWindowsJudgedClosed)
{
    using State = WindowInfo::State;
    const QList<WindowInfo> windows{
        {one, "a", 1, {}, State::Normal},
        {two, "b", 1, {}, State::Elsewhere},
        {three, "c", 1, {}, State::Minimized},
        {WindowId{4}, "d", 1, {}, State::Elsewhere},
    };
    EXPECT_EQ(ClosedWindows::candidates(windows), (QSet<WindowId>{two, WindowId{4}}));
    EXPECT_EQ(ClosedWindows::known(windows), (QSet<WindowId>{one, three}));
    const QList<WindowInfo> expected{windows[0], windows[2], windows[3]};
    EXPECT_EQ(ClosedWindows::visible(windows, {one, two, three}), expected)
        << "a verdict on a window shown on screen or minimized does not hide it";
}

} // namespace
