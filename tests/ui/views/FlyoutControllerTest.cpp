#include "core/models/FlyoutStyle.h"
#include "fakes/FakeGlobalClickWatch.h"
#include "fakes/FakePanelWindowing.h"
#include "ui/views/flyout/FlyoutController.h"
#include "ui/views/flyout/FlyoutPanel.h"
#include "ui/windows/BarBackdrop.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Content whose preferred size the test decides, as a real view's would follow its data.
class SizedContent : public QWidget {
public:
    explicit SizedContent(QSize hint) : m_hint(hint) {}
    QSize sizeHint() const override { return m_hint; }
    void setHint(QSize hint)
    {
        m_hint = hint;
        updateGeometry();
    }

private:
    QSize m_hint;
};

constexpr int barThickness = 48;
const QSize contentSize(200, 120);

class FlyoutControllerTest : public ::testing::Test {
protected:
    FlyoutControllerTest()
    {
        bar.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        bar.setGeometry(screen.x(), screen.bottom() + 1 - barThickness, screen.width(), barThickness);
        anchor = new QWidget(&bar);
        anchor->setGeometry(100, 4, 40, 40);
        bar.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&bar));
        environment.windowing = &windowing;
        environment.clickWatch = &clickWatch;
        environment.screenArea = screen;
        environment.style.blurRadius = 20;
    }

    ~FlyoutControllerTest() override { controller.reset(); }

    bool show(FlyoutOptions options = {}, QSize size = contentSize)
    {
        auto made = std::make_unique<SizedContent>(size);
        content = made.get();
        controller->setOnDismiss([this] { ++dismissals; });
        const bool shown = controller->show(std::move(made), anchor, environment, options);
        if (shown) {
            startFrame = controller->panel()->geometry();
            startOpacity = controller->panel()->windowOpacity();
        }
        // The monitors start on the next turn of the event loop.
        QCoreApplication::processEvents();
        return shown;
    }

    // The frame the flyout settles at for content of `size` against the test's anchor.
    QRect settledFrame(QSize size = contentSize) const
    {
        return {100 + (40 - size.width()) / 2, bar.y() - 1 - size.height(), size.width(), size.height()};
    }

    static bool settles(FlyoutPanel* panel, const QRect& frame)
    {
        return QTest::qWaitFor([&] { return panel->geometry() == frame && panel->windowOpacity() == 1.0; }, 2000);
    }

    bool waitForClose() const
    {
        return QTest::qWaitFor([this] { return !controller->panel()->isVisible(); }, 2000);
    }

    // Somewhere on the screen that no window of the test covers.
    QPoint emptySpot() const { return {screen.right() - 5, screen.top() + 5}; }

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    FakePanelWindowing windowing;
    FakeGlobalClickWatch clickWatch;
    FlyoutEnvironment environment;
    QWidget bar;
    QWidget* anchor = nullptr;
    SizedContent* content = nullptr;
    std::unique_ptr<FlyoutController> controller = std::make_unique<FlyoutController>();
    int dismissals = 0;
    QRect startFrame;
    double startOpacity = -1;
};

TEST_F(FlyoutControllerTest, SlidesInAboveTheAnchorOrOnlyFadesWithReducedMotion)
{
    for (const bool reduceMotion : {false, true}) {
        SCOPED_TRACE(reduceMotion ? "reduced motion" : "full motion");
        controller = std::make_unique<FlyoutController>();
        environment.reduceMotion = reduceMotion;
        ASSERT_TRUE(show());
        FlyoutPanel* panel = controller->panel();
        const QRect start = reduceMotion ? settledFrame() : settledFrame().translated(0, 12);
        EXPECT_EQ(startFrame, start);
        EXPECT_EQ(startOpacity, 0.0);
        EXPECT_TRUE(settles(panel, settledFrame()));
        EXPECT_TRUE(windowing.popups.contains(panel->winId()));
        EXPECT_EQ(windowing.blurs.value(panel->winId()), 20);
    }
}

TEST_F(FlyoutControllerTest, IgnoresASecondShowAndAnAnchorOffScreen)
{
    ASSERT_TRUE(show());
    FlyoutPanel* first = controller->panel();
    EXPECT_FALSE(show());
    EXPECT_EQ(controller->panel(), first);

    controller->close();
    anchor->hide();
    EXPECT_FALSE(show());
    EXPECT_FALSE(controller->isShown());
}

TEST_F(FlyoutControllerTest, CloseFadesOutButAQuickReopenStaysVisible)
{
    ASSERT_TRUE(show());
    controller->close();
    EXPECT_TRUE(waitForClose());
    EXPECT_EQ(dismissals, 0);

    ASSERT_TRUE(show());
    ASSERT_TRUE(settles(controller->panel(), settledFrame()));
    controller->close();
    ASSERT_TRUE(show());
    FlyoutPanel* reopened = controller->panel();
    QTest::qWait(300);
    EXPECT_TRUE(reopened->isVisible());
    EXPECT_EQ(reopened->windowOpacity(), 1.0);
}

TEST_F(FlyoutControllerTest, EscapeDismissesOnlyAKeyTakingFlyout)
{
    for (const bool takesKey : {true, false}) {
        SCOPED_TRACE(takesKey ? "takes keys" : "no keys");
        controller = std::make_unique<FlyoutController>();
        dismissals = 0;
        ASSERT_TRUE(show({takesKey, false}));
        FlyoutPanel* panel = controller->panel();
        // Qt's offscreen platform activates every window it shows: only the key-taking one is checked.
        if (takesKey) {
            ASSERT_TRUE(QTest::qWaitForWindowActive(panel, 1000));
        }
        QTest::keyClick(panel, Qt::Key_Escape);
        EXPECT_EQ(controller->isShown(), !takesKey);
        EXPECT_EQ(dismissals, takesKey ? 1 : 0);
        EXPECT_EQ(panel->testAttribute(Qt::WA_ShowWithoutActivating), !takesKey);
    }
}

TEST_F(FlyoutControllerTest, APressDismissesUnlessInsideThePanelOrAnAnchorThatDecidesItself)
{
    const struct {
        const char* name;
        bool dismissOnAnchorClick;
        bool onAnchor;
        bool insidePanel;
        bool dismissed;
    } cases[] = {
        {"elsewhere on the bar", false, false, false, true},
        {"on the anchor, left to the anchor", false, true, false, false},
        {"on the anchor, which dismisses", true, true, false, true},
        {"inside the flyout", true, false, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        controller = std::make_unique<FlyoutController>();
        dismissals = 0;
        ASSERT_TRUE(show({false, c.dismissOnAnchorClick}));
        if (c.insidePanel)
            QTest::mouseClick(content, Qt::LeftButton, {}, {10, 10});
        else if (c.onAnchor)
            QTest::mouseClick(anchor, Qt::LeftButton, {}, {20, 20});
        else
            QTest::mouseClick(&bar, Qt::LeftButton, {}, {400, 20});
        EXPECT_EQ(controller->isShown(), !c.dismissed);
        EXPECT_EQ(dismissals, c.dismissed ? 1 : 0);
    }
}

TEST_F(FlyoutControllerTest, APressInAnotherApplicationDismissesButNotOneOnOurOwnWindows)
{
    ASSERT_TRUE(show({false, false}));
    EXPECT_TRUE(clickWatch.isRunning());

    QCursor::setPos(bar.mapToGlobal(QPoint(400, 20)));
    emit clickWatch.pressed();
    EXPECT_TRUE(controller->isShown());

    QCursor::setPos(emptySpot());
    emit clickWatch.pressed();
    EXPECT_FALSE(controller->isShown());
    EXPECT_EQ(dismissals, 1);
    EXPECT_FALSE(clickWatch.isRunning());
}

TEST_F(FlyoutControllerTest, AStyleChangeWhileOpenReachesThePanel)
{
    ASSERT_TRUE(show());
    FlyoutPanel* panel = controller->panel();
    EXPECT_EQ(panel->backdrop()->cornerRadius(), 10.0);

    FlyoutStyle square;
    square.isSquare = true;
    square.blurRadius = 31.5;
    square.tintHex = "#102030ff";
    controller->update(square);
    EXPECT_EQ(panel->backdrop()->cornerRadius(), 0.0);
    EXPECT_EQ(windowing.blurs.value(panel->winId()), 31);
    EXPECT_EQ(panel->backdrop()->fill(), QColor(0x10, 0x20, 0x30));
    // A dark tint gives the content light text.
    EXPECT_GT(panel->palette().color(QPalette::WindowText).lightnessF(), 0.5);

    controller->close();
    FlyoutStyle later;
    controller->update(later);
    EXPECT_EQ(panel->backdrop()->cornerRadius(), 0.0);
}

TEST_F(FlyoutControllerTest, RefitsToGrowingContentOnTheNextTurnAndIgnoresAnEmptySize)
{
    ASSERT_TRUE(show());
    FlyoutPanel* panel = controller->panel();
    ASSERT_TRUE(settles(panel, settledFrame()));

    const QSize taller(200, 300);
    content->setHint(taller);
    EXPECT_EQ(panel->geometry(), settledFrame());
    EXPECT_TRUE(settles(panel, settledFrame(taller)));

    content->setHint(QSize(0, 0));
    QTest::qWait(250);
    EXPECT_EQ(panel->geometry(), settledFrame(taller));
}

TEST_F(FlyoutControllerTest, SwappedContentIsFittedToo)
{
    ASSERT_TRUE(show());
    const QSize wider(160, 80);
    controller->update(environment.style, std::make_unique<SizedContent>(wider));
    EXPECT_TRUE(settles(controller->panel(), settledFrame(wider)));
}

} // namespace
