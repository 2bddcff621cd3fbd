#include "ui/views/previews/WindowPreviewsView.h"
#include "ui/views/previews/WindowThumbnailView.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using State = WindowInfo::State;

WindowInfo window(quint32 id, const QString& title = QStringLiteral("shell"), State state = State::Normal)
{
    return {WindowId{id}, title, 10, QRect(0, 0, 640, 480), state};
}

QList<quint32> ids(const QList<WindowThumbnailView*>& cards)
{
    QList<quint32> result;
    for (const WindowThumbnailView* card : cards)
        result.append(card->window().windowID.value);
    return result;
}

// A previews flyout over a scripted window list that records what the cards ask for.
class WindowPreviewsViewTest : public ::testing::Test {
protected:
    std::unique_ptr<WindowPreviewsView> makeView(BarPosition position = BarPosition::Bottom)
    {
        WindowPreviewConfig config;
        config.appName = QStringLiteral("Terminal");
        config.windows = [this] { return source; };
        config.onSelect = [this](const WindowInfo& w) { selected.append(w.windowID.value); };
        config.onCommand = [this](WindowCommand c, const WindowInfo& w) { commands.append({c, w.windowID.value}); };
        config.thumbnail = [this](WindowId id, QObject* context, std::function<void(const QImage&)> done) {
            asked.append(id.value);
            QMetaObject::invokeMethod(context, [done, image = images.value(id.value)] { done(image); },
                                      Qt::QueuedConnection);
        };
        auto view = std::make_unique<WindowPreviewsView>(config, position, false, [](bool) {});
        view->show();
        return view;
    }

    static QScrollArea* strip(const WindowPreviewsView& view) { return view.findChild<QScrollArea*>(); }

    QList<WindowInfo> source;
    QHash<quint32, QImage> images;
    QList<quint32> asked;
    QList<quint32> selected;
    QList<std::pair<WindowCommand, quint32>> commands;
};

TEST(WindowPreviewsViewStrip, ShowsUpToThreeCardsAndScrollsForMore)
{
    const QList<std::tuple<int, int, int>> cases{
        {0, 276, 296}, {1, 276, 296}, {2, 276, 582}, {3, 276, 868}, {5, 276, 868}, {1, 201, 221}, {4, 201, 643},
    };
    for (const auto& [count, card, expected] : cases)
        EXPECT_EQ(WindowPreviewsView::stripLength(count, card), expected) << count << " x " << card;
}

TEST_F(WindowPreviewsViewTest, OneCardPerWindowInListOrderWithTheStripSizedForTheBar)
{
    source = {window(3, QStringLiteral("build")), window(1, QString()), window(2)};
    const QList<std::tuple<BarPosition, QSize>> cases{
        {BarPosition::Bottom, QSize(868, 221)},
        {BarPosition::Left, QSize(296, 643)},
    };
    for (const auto& [position, stripSize] : cases) {
        auto view = makeView(position);
        EXPECT_EQ(ids(view->cards()), (QList<quint32>{3, 1, 2}));
        EXPECT_EQ(view->cards().at(0)->displayTitle(), QStringLiteral("build"));
        EXPECT_EQ(view->cards().at(1)->displayTitle(), QStringLiteral("—"));
        ASSERT_TRUE(strip(*view));
        EXPECT_EQ(strip(*view)->size(), stripSize);
        EXPECT_EQ(view->cards().at(0)->size(), QSize(276, 201));
    }
}

TEST_F(WindowPreviewsViewTest, AnEmptyListSaysSoAndFillsOnceAWindowAppears)
{
    auto view = makeView();
    QStringList texts;
    for (QLabel* label : view->findChildren<QLabel*>())
        texts.append(label->text());
    EXPECT_TRUE(texts.contains(QStringLiteral("No open windows"))) << texts.join(',').toStdString();
    EXPECT_TRUE(view->cards().isEmpty());
    EXPECT_FALSE(strip(*view));

    source = {window(4)};
    view->refresh();
    EXPECT_EQ(ids(view->cards()), QList<quint32>{4});
}

TEST_F(WindowPreviewsViewTest, AClickSelectsTheCardsWindowAndAMiddleClickClosesItAtOnce)
{
    source = {window(1), window(2)};
    auto view = makeView();
    QTest::mouseClick(view->cards().at(1), Qt::LeftButton);
    EXPECT_EQ(selected, QList<quint32>{2});
    EXPECT_TRUE(commands.isEmpty());

    QTest::mouseClick(view->cards().at(0), Qt::MiddleButton);
    EXPECT_EQ(commands, (QList<std::pair<WindowCommand, quint32>>{{WindowCommand::Close, 1}}));
    EXPECT_EQ(ids(view->cards()), QList<quint32>{2});
    // Once really gone it must not linger as a missed window either.
    source = {window(2)};
    view->refresh();
    EXPECT_EQ(ids(view->cards()), QList<quint32>{2});
    EXPECT_EQ(selected, QList<quint32>{2});
}

TEST_F(WindowPreviewsViewTest, AWindowClosedElsewhereStaysForTwoRefreshesAndLeavesAtTheThird)
{
    source = {window(1), window(2)};
    auto view = makeView();
    WindowThumbnailView* kept = view->cards().at(1);
    source = {window(2, QStringLiteral("renamed"))};
    const QList<QList<quint32>> expected{{1, 2}, {1, 2}, {2}};
    for (int refresh = 0; refresh < expected.size(); ++refresh) {
        view->refresh();
        EXPECT_EQ(ids(view->cards()), expected.at(refresh)) << "refresh " << refresh + 1;
    }
    EXPECT_EQ(view->cards().at(0), kept);
    EXPECT_EQ(kept->displayTitle(), QStringLiteral("renamed"));
}

TEST_F(WindowPreviewsViewTest, TheListRefreshesBySelfEverySecond)
{
    source = {window(1)};
    auto view = makeView();
    source = {window(1), window(5)};
    QTest::qWait(WindowPreviewsView::refreshIntervalMs + 300);
    EXPECT_EQ(ids(view->cards()), (QList<quint32>{1, 5}));
}

TEST_F(WindowPreviewsViewTest, TheContextMenuOffersTheCommandsForTheWindowsState)
{
    struct Case {
        State state;
        QStringList entries;
        WindowCommand first;
    };
    const QList<Case> cases{
        {State::Normal, {"Minimize", "Maximize", "Close"}, WindowCommand::Minimize},
        {State::Elsewhere, {"Minimize", "Maximize", "Close"}, WindowCommand::Minimize},
        {State::Minimized, {"Restore", "Maximize", "Close"}, WindowCommand::Restore},
    };
    for (const Case& c : cases) {
        commands.clear();
        source = {window(7, QStringLiteral("doc"), c.state)};
        auto view = makeView();
        WindowThumbnailView* card = view->cards().at(0);
        QStringList entries;
        QObject context;
        QObject::connect(card, &WindowThumbnailView::menuShown, &context, [&](QMenu* menu) {
            for (QAction* action : menu->actions())
                entries.append(action->text());
            menu->actions().at(0)->trigger();
            menu->actions().at(1)->trigger();
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), card->mapToGlobal(QPoint(10, 10)));
        QCoreApplication::sendEvent(card, &event);
        EXPECT_EQ(entries, c.entries);
        EXPECT_EQ(commands, (QList<std::pair<WindowCommand, quint32>>{{c.first, 7}, {WindowCommand::Maximize, 7}}));
    }
}

TEST_F(WindowPreviewsViewTest, AThumbnailArrivesLaterAndAMissingOneKeepsTheLastImage)
{
    QImage red(520, 326, QImage::Format_ARGB32);
    red.fill(Qt::red);
    images.insert(1, red);
    source = {window(1)};
    auto view = makeView();
    WindowThumbnailView* card = view->cards().at(0);
    EXPECT_FALSE(card->hasImage());
    EXPECT_TRUE(QTest::qWaitFor([card] { return card->hasImage(); }, 1000));
    EXPECT_EQ(card->grab().toImage().pixelColor(138, 90), QColor(Qt::red));

    images.remove(1);
    source = {window(1, QStringLiteral("shell"), State::Minimized)};
    view->refresh();
    QTest::qWait(50);
    EXPECT_TRUE(card->hasImage());
}

TEST_F(WindowPreviewsViewTest, EachRefreshAsksForNewerPicturesOfTheWindowsOnScreen)
{
    QImage red(520, 326, QImage::Format_ARGB32);
    red.fill(Qt::red);
    images.insert(1, red);
    source = {window(1), window(2, QStringLiteral("hidden"), State::Minimized)};
    auto view = makeView();
    WindowThumbnailView* card = view->cards().at(0);
    ASSERT_TRUE(QTest::qWaitFor([card] { return card->hasImage(); }, 1000));
    asked.clear();

    QImage blue = red.copy();
    blue.fill(Qt::blue);
    images.insert(1, blue);
    view->refresh();
    EXPECT_EQ(asked, QList<quint32>{1}) << "minimized windows cannot be captured";
    EXPECT_TRUE(QTest::qWaitFor([card] { return card->grab().toImage().pixelColor(138, 90) == QColor(Qt::blue); }, 1000));
}

TEST_F(WindowPreviewsViewTest, TheStripLeavesTheBackgroundToTheFlyoutsBackdrop)
{
    source = {window(1), window(2)};
    auto view = makeView();
    QScrollArea* cards = strip(*view);
    QImage image(cards->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    cards->render(&image, {}, {}, QWidget::DrawChildren);
    EXPECT_EQ(image.pixelColor(4, 4).alpha(), 0) << "the padding around the cards";
    EXPECT_GT(image.pixelColor(150, 100).alpha(), 0) << "a card";
}

TEST_F(WindowPreviewsViewTest, SaysThumbnailsAreShownForAsLongAsItLives)
{
    QList<bool> said;
    WindowPreviewConfig config;
    config.windows = [] { return QList<WindowInfo>{window(1)}; };
    config.thumbnailsShown = [&said](bool shown) { said.append(shown); };
    auto view = std::make_unique<WindowPreviewsView>(config, BarPosition::Bottom, false, [](bool) {});
    EXPECT_EQ(said, QList<bool>{true});
    view.reset();
    EXPECT_EQ(said, (QList<bool>{true, false}));
}

} // namespace
