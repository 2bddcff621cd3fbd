#include "core/models/NetWmIcon.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

// One property entry whose every pixel is `argb`.
QList<quint32> entry(quint32 width, quint32 height, quint32 argb)
{
    QList<quint32> data{width, height};
    data.resize(2 + qsizetype(width) * height, argb);
    return data;
}

QList<quint32> concat(std::initializer_list<QList<quint32>> parts)
{
    QList<quint32> all;
    for (const QList<quint32>& part : parts)
        all.append(part);
    return all;
}

QList<QSize> sizesOf(const QList<QImage>& images)
{
    QList<QSize> sizes;
    for (const QImage& image : images)
        sizes.append(image.size());
    return sizes;
}

} // namespace

TEST(NetWmIcon, KeepsEveryImageInOrderWithStraightArgbPixels)
{
    const QList<quint32> property = concat({entry(16, 16, 0xff0000ffu), entry(32, 32, 0x80ff0000u),
                                            entry(48, 48, 0x00000000u)});
    const QList<QImage> images = NetWmIcon::images(property);

    EXPECT_EQ(sizesOf(images), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}}));
    EXPECT_EQ(images[0].pixel(15, 15), 0xff0000ffu);
    EXPECT_EQ(images[1].pixel(0, 0), 0x80ff0000u) << "half-transparent red must not be premultiplied";
    EXPECT_EQ(images[1].format(), QImage::Format_ARGB32);
}

TEST(NetWmIcon, ReadsPixelsRowByRow)
{
    const QList<quint32> property{3, 2, 0xff000001u, 0xff000002u, 0xff000003u,
                                  0xff000004u, 0xff000005u, 0xff000006u};
    const QList<QImage> images = NetWmIcon::images(property);

    ASSERT_EQ(images.size(), 1);
    EXPECT_EQ(images[0].size(), QSize(3, 2));
    EXPECT_EQ(images[0].pixel(2, 0), 0xff000003u);
    EXPECT_EQ(images[0].pixel(0, 1), 0xff000004u);
    EXPECT_EQ(images[0].pixel(2, 1), 0xff000006u);
}

TEST(NetWmIcon, MalformedDataKeepsWhatCameBeforeAndNeverReadsPastTheEnd)
{
    const QList<quint32> good = entry(2, 2, 0xffffffffu);
    struct Case {
        const char* name;
        QList<quint32> property;
        QList<QSize> expected;
    };
    const Case cases[] = {
        {"empty property", {}, {}},
        {"a lone width", {16}, {}},
        {"header without pixels", {16, 16}, {}},
        {"pixels cut short", concat({good, {4, 4, 1, 2, 3}}), {{2, 2}}},
        {"one pixel missing", concat({good, entry(4, 4, 1).first(17)}), {{2, 2}}},
        {"trailing odd word", concat({good, {7}}), {{2, 2}}},
        {"width 1<<31", concat({good, {1u << 31, 1, 5, 5}}), {{2, 2}}},
        {"negative sizes as unsigned, square wraps to 1 in 32 bits",
         concat({good, {0xffffffffu, 0xffffffffu, 0xff00ff00u}, good}), {{2, 2}}},
        {"65536 x 65536 wraps to 0 in 32 bits", concat({good, {65536, 65536}, good}), {{2, 2}}},
        {"zero width is skipped, the next entry still read", concat({{0, 16}, good}), {{2, 2}}},
        {"zero height is skipped, the next entry still read", concat({{16, 0}, good}), {{2, 2}}},
        {"a side over the cap is skipped, the next entry still read", concat({entry(1025, 1, 7), good}), {{2, 2}}},
        {"the cap itself is allowed", entry(1024, 1, 7), {{1024, 1}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sizesOf(NetWmIcon::images(c.property)), c.expected) << c.name;
}

TEST(NetWmIcon, BestImageIsTheSmallestThatIsLargeEnoughElseTheLargest)
{
    const QList<quint32> property = concat({entry(32, 32, 32), entry(16, 16, 16), entry(128, 128, 128),
                                            entry(48, 48, 48)});
    struct Case {
        int requested;
        QSize expected;
    };
    const Case cases[] = {
        {24, {32, 32}}, {32, {32, 32}}, {33, {48, 48}}, {200, {128, 128}},
        {1, {16, 16}},  {0, {16, 16}},  {-5, {16, 16}},
    };
    for (const Case& c : cases) {
        const QImage best = NetWmIcon::bestImage(property, c.requested);
        EXPECT_EQ(best.size(), c.expected) << "requested " << c.requested;
        EXPECT_EQ(best.pixel(0, 0), quint32(c.expected.width())) << "requested " << c.requested;
    }
}

TEST(NetWmIcon, BestImageNeedsBothSidesLargeEnough)
{
    const QList<quint32> property = concat({entry(64, 16, 1), entry(40, 40, 2), entry(20, 100, 3)});

    EXPECT_EQ(NetWmIcon::bestImage(property, 32).size(), QSize(40, 40));
    EXPECT_EQ(NetWmIcon::bestImage(property, 16).size(), QSize(64, 16)) << "smallest area that reaches 16";
    EXPECT_EQ(NetWmIcon::bestImage(property, 50).size(), QSize(20, 100)) << "none reaches 50: the largest area";
}

TEST(NetWmIcon, BestImageOfAPropertyWithoutValidImagesIsNull)
{
    EXPECT_TRUE(NetWmIcon::bestImage({}, 32).isNull());
    EXPECT_TRUE(NetWmIcon::bestImage(QList<quint32>{0, 0, 2000, 2000}, 32).isNull());
}
