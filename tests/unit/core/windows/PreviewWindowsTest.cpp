#include "core/features/windows/PreviewWindows.h"

#include <gtest/gtest.h>

namespace {

WindowInfo window(quint32 id)
{
    return {WindowId{id}, QStringLiteral("w%1").arg(id), 10, QRect(0, 0, 200, 200), WindowInfo::State::Normal};
}

QList<WindowInfo> windows(std::initializer_list<quint32> ids)
{
    QList<WindowInfo> result;
    for (quint32 id : ids)
        result.append(window(id));
    return result;
}

struct Step {
    QList<WindowInfo> fresh;
    QList<WindowInfo> shown;
    QHash<WindowId, int> misses;
};

// Each step reconciles its fresh list with the previous step's result.
void play(const char* name, const QList<WindowInfo>& start, const QList<Step>& steps)
{
    PreviewWindows::Result state{start, {}};
    int index = 0;
    for (const Step& step : steps) {
        state = PreviewWindows::reconcile(state.windows, step.fresh, state.misses);
        EXPECT_EQ(state, (PreviewWindows::Result{step.shown, step.misses})) << name << ", step " << index;
        ++index;
    }
}

TEST(PreviewWindows, AMissingWindowStaysTwoRefreshesAndGoesAtTheThird)
{
    play("missing from three refreshes", windows({1, 2, 3}),
         {
             {windows({1, 3}), windows({1, 2, 3}), {{WindowId{2}, 1}}},
             {windows({1, 3}), windows({1, 2, 3}), {{WindowId{2}, 2}}},
             {windows({1, 3}), windows({1, 3}), {}},
         });
}

TEST(PreviewWindows, AWindowSeenAgainStartsCountingAfresh)
{
    play("back after one miss", windows({1, 2}),
         {
             {windows({1}), windows({1, 2}), {{WindowId{2}, 1}}},
             {windows({2, 1}), windows({1, 2}), {}},
             {windows({1}), windows({1, 2}), {{WindowId{2}, 1}}},
         });
}

TEST(PreviewWindows, TheResultIsSortedById)
{
    play("all sorted by id", windows({2, 5}),
         {
             {windows({1, 9}), windows({1, 2, 5, 9}), {{WindowId{2}, 1}, {WindowId{5}, 1}}},
             {windows({}), windows({1, 2, 5, 9}), {{WindowId{1}, 1}, {WindowId{2}, 2}, {WindowId{5}, 2}, {WindowId{9}, 1}}},
         });
}

TEST(PreviewWindows, TheFreshEntryWinsOverTheKeptOne)
{
    WindowInfo renamed = window(1);
    renamed.title = QStringLiteral("renamed");
    const auto result = PreviewWindows::reconcile(windows({1}), {renamed}, {});
    EXPECT_EQ(result.windows, QList<WindowInfo>{renamed});
}

} // namespace
