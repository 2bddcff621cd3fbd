#include "ui/views/flyout/FlyoutScrollView.h"

#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

TEST(FlyoutScrollView, IsAsTallAsItsContentUpToTheLimitAndScrollsOnlyBeyondIt)
{
    const struct {
        int contentHeight;
        int expectedHeight;
        bool scrolls;
    } cases[] = {{100, 100, false}, {420, 420, false}, {800, 420, true}, {0, 1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.contentHeight);
        auto* content = new QWidget;
        content->setFixedSize(150, c.contentHeight);
        FlyoutScrollView view(420, content);
        EXPECT_EQ(view.sizeHint().height(), c.expectedHeight);
        view.resize(view.sizeHint());
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        EXPECT_EQ(view.verticalScrollBar()->isVisible(), c.scrolls);
        // The scroll bar takes its own room instead of the content's.
        EXPECT_GE(view.viewport()->width(), 150);
    }
}

TEST(FlyoutScrollView, LeavesTheBackgroundToTheFlyoutsBackdrop)
{
    auto* content = new QWidget;
    content->setFixedSize(150, 100);
    FlyoutScrollView view(420, content);
    view.resize(view.sizeHint());
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    view.render(&image, {}, {}, QWidget::DrawChildren);
    EXPECT_EQ(image.pixelColor(75, 50).alpha(), 0) << "a translucent backdrop would look opaque behind the content";
}

TEST(FlyoutScrollView, AsksItsParentForMoreRoomWhenTheContentGrows)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* content = new QWidget;
    content->setFixedSize(150, 100);
    auto* view = new FlyoutScrollView(420, content);
    layout->addWidget(view);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    content->setFixedSize(150, 300);
    EXPECT_TRUE(QTest::qWaitFor([&] { return view->height() == 300; }, 1000));
}

} // namespace
