#include "core/models/PreferenceKeys.h"
#include "core/services/PreferencesStore.h"
#include "fakes/FakePanelWindowing.h"
#include "fakes/FakeUserDefaults.h"
#include "ui/windows/BarBackdrop.h"
#include "ui/windows/PelluxWindow.h"
#include "ui/windows/PelluxWindowController.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

class PelluxWindowControllerTest : public ::testing::Test {
protected:
    PelluxWindowControllerTest()
    {
        windowing.root = screen()->geometry().size();
    }

    static QScreen* screen() { return QGuiApplication::primaryScreen(); }

    std::unique_ptr<PelluxWindowController> makeController()
    {
        prefs = std::make_unique<PreferencesStore>(defaults);
        BarServices services;
        services.preferences = prefs.get();
        services.windowing = &windowing;
        auto controller = std::make_unique<PelluxWindowController>(screen(), services);
        QCoreApplication::processEvents();
        return controller;
    }

    BarBackdrop* backdrop(const PelluxWindowController& c) const { return c.window()->findChild<BarBackdrop*>(); }
    WId wid(const PelluxWindowController& c) const { return c.window()->winId(); }

    FakeUserDefaults defaults;
    FakePanelWindowing windowing;
    std::unique_ptr<PreferencesStore> prefs;
};

TEST_F(PelluxWindowControllerTest, BecomesADockReservingItsEdgeBeforeItIsShown)
{
    const auto c = makeController();
    const QRect s = screen()->geometry();
    EXPECT_EQ(c->frame(), QRect(s.x(), s.bottom() - 47, s.width(), 48));
    EXPECT_FALSE(c->isShown());
    EXPECT_EQ(windowing.docks, QList<WId>{wid(*c)});
    ASSERT_TRUE(windowing.struts.value(wid(*c)));
    EXPECT_EQ(windowing.struts.value(wid(*c))->bottom, 48);
    EXPECT_EQ(windowing.blurs.value(wid(*c)), 20);
    EXPECT_TRUE(c->window()->windowFlags() & Qt::WindowDoesNotAcceptFocus);
}

TEST_F(PelluxWindowControllerTest, FollowsHeightAndPositionWhileStayingFixedInSize)
{
    const auto c = makeController();
    prefs->setBarHeight(56);
    EXPECT_EQ(c->frame().height(), 56);
    EXPECT_EQ(c->window()->minimumSize(), c->window()->maximumSize());
    EXPECT_EQ(windowing.struts.value(wid(*c))->bottom, 56);

    prefs->setPosition(BarPosition::Left);
    const QRect s = screen()->geometry();
    EXPECT_EQ(c->frame(), QRect(s.x(), s.y(), 56, s.height()));
    EXPECT_EQ(windowing.struts.value(wid(*c))->left, 56);
    EXPECT_EQ(windowing.struts.value(wid(*c))->bottom, 0);
}

TEST_F(PelluxWindowControllerTest, SitsUnderAnotherPanelAtTheTop)
{
    StrutPartial topPanel;
    topPanel.top = 30;
    topPanel.topEndX = 10000;
    windowing.others = {topPanel};
    defaults.values = {{PreferenceKeys::position, "top"}};
    const auto c = makeController();
    EXPECT_EQ(c->frame().y(), screen()->geometry().y() + 30);
    EXPECT_EQ(windowing.struts.value(wid(*c))->top, 78);
}

TEST_F(PelluxWindowControllerTest, TransparencySwitchesOpacityBlurAndTintAlphaTogether)
{
    defaults.values = {{PreferenceKeys::panelOpacity, 0.5}, {PreferenceKeys::panelTintHex, "FF000080"}};
    const auto c = makeController();
    EXPECT_DOUBLE_EQ(backdrop(*c)->opacity(), 0.5);
    EXPECT_EQ(backdrop(*c)->fill().alpha(), 128);

    prefs->setTransparencyEnabled(false);
    EXPECT_DOUBLE_EQ(backdrop(*c)->opacity(), 1.0);
    EXPECT_EQ(backdrop(*c)->fill().alpha(), 255);
    EXPECT_EQ(windowing.blurs.value(wid(*c)), 0);

    prefs->setTransparencyEnabled(true);
    EXPECT_DOUBLE_EQ(backdrop(*c)->opacity(), 0.5);
    EXPECT_EQ(backdrop(*c)->fill().alpha(), 128);
    EXPECT_EQ(windowing.blurs.value(wid(*c)), 20);

    prefs->setPanelBlurRadius(-4);
    EXPECT_EQ(windowing.blurs.value(wid(*c)), 0);
    prefs->setPanelBlurRadius(7.9);
    EXPECT_EQ(windowing.blurs.value(wid(*c)), 7);
}

TEST_F(PelluxWindowControllerTest, TintBrightnessPicksTheLookWhateverTheTheme)
{
    defaults.values = {{PreferenceKeys::theme, "dark"}};
    const auto c = makeController();
    const QColor dark = c->window()->palette().color(QPalette::Window);
    prefs->setPanelTintHex("FFFFFFFF");
    const QColor light = c->window()->palette().color(QPalette::Window);
    EXPECT_LT(dark.lightness(), 128);
    EXPECT_GT(light.lightness(), 128);
    prefs->setPanelTintHex("000000FF");
    EXPECT_EQ(c->window()->palette().color(QPalette::Window), dark);
    prefs->setPanelTintHex("");
    prefs->setTheme(AppTheme::Auto);
    EXPECT_EQ(c->window()->palette().color(QPalette::Window), QGuiApplication::palette().color(QPalette::Window));
}

} // namespace
