#include "core/models/StrutPartial.h"

#include <gtest/gtest.h>

namespace {

const QSize root(3840, 1080);
const QRect leftMonitor(0, 0, 1920, 1080);
const QRect rightMonitor(1920, 0, 1920, 1080);
const QList<QRect> sideBySide{leftMonitor, rightMonitor};

StrutPartial bottomStrut(int size, int startX, int endX)
{
    StrutPartial s;
    s.bottom = size;
    s.bottomStartX = startX;
    s.bottomEndX = endX;
    return s;
}

TEST(StrutPartial, BarsReserveTheirEdgeAlongTheirOwnLength)
{
    EXPECT_EQ(strutForBar({1920, 1032, 1920, 48}, BarPosition::Bottom, rightMonitor, root, sideBySide),
              bottomStrut(48, 1920, 3839));

    const auto top = strutForBar({0, 0, 1920, 40}, BarPosition::Top, leftMonitor, root, sideBySide);
    ASSERT_TRUE(top);
    EXPECT_EQ(top->top, 40);
    EXPECT_EQ(top->topStartX, 0);
    EXPECT_EQ(top->topEndX, 1919);

    const auto left = strutForBar({0, 0, 48, 1080}, BarPosition::Left, leftMonitor, root, sideBySide);
    ASSERT_TRUE(left);
    EXPECT_EQ(left->left, 48);
    EXPECT_EQ(left->leftEndY, 1079);

    const auto right = strutForBar({3792, 0, 48, 1080}, BarPosition::Right, rightMonitor, root, sideBySide);
    ASSERT_TRUE(right);
    EXPECT_EQ(right->right, 48);
}

TEST(StrutPartial, NoReservationOnAnEdgeSharedWithAnotherMonitor)
{
    // A left bar on the right-hand monitor would reserve the whole left-hand monitor too.
    EXPECT_FALSE(strutForBar({1920, 0, 48, 1080}, BarPosition::Left, rightMonitor, root, sideBySide));
    EXPECT_FALSE(strutForBar({1872, 0, 48, 1080}, BarPosition::Right, leftMonitor, root, sideBySide));
    // Stacked monitors: a bottom bar on the upper one.
    const QList<QRect> stacked{{0, 0, 1920, 1080}, {0, 1080, 1920, 1080}};
    EXPECT_FALSE(strutForBar({0, 1032, 1920, 48}, BarPosition::Bottom, stacked[0], {1920, 2160}, stacked));
    EXPECT_TRUE(strutForBar({0, 2112, 1920, 48}, BarPosition::Bottom, stacked[1], {1920, 2160}, stacked));
}

TEST(StrutPartial, VisibleFrameTakesAwayOnlyStrutsOverThisMonitor)
{
    StrutPartial topPanel;
    topPanel.top = 25;
    topPanel.topStartX = 0;
    topPanel.topEndX = 1919;
    const QList<StrutPartial> struts{topPanel, bottomStrut(30, 1920, 3839)};
    EXPECT_EQ(visibleFrame(leftMonitor, root, struts), QRect(0, 25, 1920, 1055));
    EXPECT_EQ(visibleFrame(rightMonitor, root, struts), QRect(1920, 0, 1920, 1050));
    EXPECT_EQ(visibleFrame(leftMonitor, root, {}), leftMonitor);
}

TEST(StrutPartial, AStrutCoveringEverythingIsIgnored)
{
    EXPECT_EQ(visibleFrame(leftMonitor, root, {bottomStrut(5000, 0, 3839)}), leftMonitor);
}

TEST(StrutPartial, ReadsBothPropertyForms)
{
    const auto partial = StrutPartial::fromCardinals({0, 0, 0, 48, 0, 0, 0, 0, 0, 0, 0, 1279}, {1280, 800});
    ASSERT_TRUE(partial);
    EXPECT_EQ(*partial, bottomStrut(48, 0, 1279));

    const auto legacy = StrutPartial::fromCardinals({0, 0, 25, 0}, {1280, 800});
    ASSERT_TRUE(legacy);
    EXPECT_EQ(legacy->top, 25);
    EXPECT_EQ(legacy->topEndX, 1279);

    EXPECT_FALSE(StrutPartial::fromCardinals({1, 2}, {1280, 800}));
    const auto huge = StrutPartial::fromCardinals({0xFFFFFFFFu, 0, 0, 0}, {1280, 800});
    ASSERT_TRUE(huge);
    EXPECT_GT(huge->left, 0);
}

TEST(StrutPartial, CardinalsRoundTrip)
{
    const StrutPartial s = bottomStrut(48, 10, 20);
    const auto values = s.toCardinals();
    EXPECT_EQ(StrutPartial::fromCardinals(QList<quint32>(values.begin(), values.end()), root), s);
}

} // namespace
