#include "fakes/FakeGlobalClickWatch.h"
#include "fakes/FakePanelWindowing.h"
#include "ui/views/flyout/FlyoutBinding.h"
#include "ui/views/flyout/FlyoutController.h"
#include "ui/views/flyout/FlyoutPanel.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class FlyoutBindingTest : public ::testing::Test {
protected:
    FlyoutBindingTest()
    {
        bar.setGeometry(0, 500, 600, 48);
        anchor = new QWidget(&bar);
        anchor->setGeometry(10, 4, 40, 40);
        outside = new QWidget(&bar);
        outside->setGeometry(300, 4, 40, 40);
        environment.windowing = &windowing;
        environment.clickWatch = &clickWatch;
        binding = new FlyoutBinding(anchor, environment, {true, false}, [this] {
            ++built;
            auto content = std::make_unique<QWidget>();
            content->setMinimumSize(120, 80);
            return content;
        });
    }

    void showBar()
    {
        bar.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    }

    bool flyoutVisible() const
    {
        const FlyoutPanel* panel = binding->controller()->panel();
        return panel && panel->isVisible() && binding->controller()->isShown();
    }

    FakePanelWindowing windowing;
    FakeGlobalClickWatch clickWatch;
    FlyoutEnvironment environment;
    QWidget bar;
    QWidget* anchor = nullptr;
    QWidget* outside = nullptr;
    FlyoutBinding* binding = nullptr;
    int built = 0;
};

TEST_F(FlyoutBindingTest, PresentingShowsFreshContentAndTheFlyoutClosingItselfReportsBack)
{
    showBar();
    QSignalSpy changes(binding, &FlyoutBinding::presentedChanged);
    binding->setPresented(true);
    EXPECT_TRUE(flyoutVisible());
    EXPECT_EQ(built, 1);

    QCoreApplication::processEvents();
    QTest::mouseClick(outside, Qt::LeftButton);
    EXPECT_FALSE(binding->isPresented());
    ASSERT_EQ(changes.size(), 2);
    EXPECT_EQ(changes.at(1).at(0).toBool(), false);

    binding->setPresented(true);
    EXPECT_EQ(built, 2);
    binding->setPresented(false);
    EXPECT_FALSE(binding->controller()->isShown());
}

TEST_F(FlyoutBindingTest, AFlyoutAskedForBeforeTheAnchorIsOnScreenAppearsWithIt)
{
    showBar();
    anchor->hide();
    binding->setPresented(true);
    EXPECT_FALSE(binding->controller()->isShown());
    anchor->show();
    EXPECT_TRUE(flyoutVisible());
}

TEST_F(FlyoutBindingTest, TheFlyoutGoesWithItsAnchor)
{
    showBar();
    binding->setPresented(true);
    QPointer<FlyoutPanel> panel = binding->controller()->panel();
    delete anchor;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !panel || !panel->isVisible(); }, 1000));
}

TEST_F(FlyoutBindingTest, AStyleChangeReachesTheOpenFlyout)
{
    showBar();
    binding->setPresented(true);
    environment.style.blurRadius = 14;
    binding->setEnvironment(environment);
    EXPECT_EQ(windowing.blurs.value(binding->controller()->panel()->winId()), 14);
    EXPECT_EQ(built, 1);
}

} // namespace
