#include "ui/views/common/HoverHighlight.h"
#include "ui/views/common/HoverScale.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void enter(QWidget* w)
{
    QEnterEvent event(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), w->mapToGlobal(QPointF(5, 5)));
    QCoreApplication::sendEvent(w, &event);
}

void leave(QWidget* w)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(w, &event);
}

bool eases(const std::function<double()>& value, double target)
{
    return QTest::qWaitFor([&] { return qFuzzyCompare(value() + 1.0, target + 1.0); }, 1000);
}

TEST(HoverHighlight, WashesWhileHoveredDarkerWhilePressedAndFollowsItsTarget)
{
    QWidget row;
    row.resize(200, 30);
    auto* highlight = new HoverHighlight(&row);
    row.show();
    const auto opacity = [highlight] { return highlight->fillOpacity(); };

    enter(&row);
    EXPECT_LT(highlight->fillOpacity(), 0.08);
    EXPECT_TRUE(eases(opacity, 0.08));
    QTest::mousePress(&row, Qt::LeftButton);
    EXPECT_TRUE(eases(opacity, 0.14));
    QTest::mouseRelease(&row, Qt::LeftButton);
    leave(&row);
    EXPECT_TRUE(eases(opacity, 0.0));

    row.resize(300, 40);
    EXPECT_EQ(highlight->geometry(), QRect(0, 0, 300, 40));
}

TEST(HoverHighlight, IgnoresPressesWhenAskedTo)
{
    QWidget row;
    auto* highlight = new HoverHighlight(&row, HoverHighlight::Press::Ignored);
    enter(&row);
    QTest::mousePress(&row, Qt::LeftButton);
    EXPECT_TRUE(eases([highlight] { return highlight->fillOpacity(); }, 0.08));
}

TEST(HoverScale, GrowsWhileHoveredAndDimsWhilePressed)
{
    QWidget button;
    auto* scale = new HoverScale(&button);
    enter(&button);
    EXPECT_TRUE(eases([scale] { return scale->scale(); }, 1.15));
    QTest::mousePress(&button, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(scale->opacity(), 0.6);
    QTest::mouseRelease(&button, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(scale->opacity(), 1.0);
    leave(&button);
    EXPECT_TRUE(eases([scale] { return scale->scale(); }, 1.0));
}

} // namespace
