#include "core/models/ColorHex.h"

#include <gtest/gtest.h>

namespace {

struct ParseCase {
    const char* name;
    const char* text;
    std::optional<QColor> expected;
};

const ParseCase parseCases[] = {
    {"hash and lower case", "#ff000080", QColor(255, 0, 0, 128)},
    {"no hash", "00FF00FF", QColor(0, 255, 0, 255)},
    {"fully clear", "12345600", QColor(0x12, 0x34, 0x56, 0)},
    {"empty", "", std::nullopt},
    {"six digits", "FF0000", std::nullopt},
    {"nine digits", "FF00000FF", std::nullopt},
    {"two hashes", "##FF0000FF", std::nullopt},
    {"non-hex character", "FF0000GG", std::nullopt},
    {"sign is not a digit", "+F0000FF", std::nullopt},
    {"hex prefix is not a digit", "0xFF00FF", std::nullopt},
    {"full-width digits", "\xef\xbc\x91\xef\xbc\x91\xef\xbc\x91\xef\xbc\x91\xef\xbc\x91\xef\xbc\x91\xef\xbc\x91"
                          "\xef\xbc\x91",
     std::nullopt},
};

TEST(ColorHex, ParsesEightHexDigitsOnly)
{
    for (const ParseCase& c : parseCases) {
        SCOPED_TRACE(c.name);
        const auto color = ColorHex::parse(QString::fromUtf8(c.text));
        ASSERT_EQ(color.has_value(), c.expected.has_value());
        if (color) {
            EXPECT_EQ(color->rgba(), c.expected->rgba());
        }
    }
}

TEST(ColorHex, WritesUpperCaseWithoutHash)
{
    EXPECT_EQ(ColorHex::hexRGBA(QColor(0, 255, 0)), "00FF00FF");
    EXPECT_EQ(ColorHex::hexRGBA(QColor(255, 0, 0, 128)), "FF000080");
    EXPECT_EQ(ColorHex::hexRGBA(QColor()), "");
    // Other colour models are converted to sRGB first.
    EXPECT_EQ(ColorHex::hexRGBA(QColor::fromHsv(240, 255, 255)), "0000FFFF");
}

TEST(ColorHex, RoundTripsEveryAlphaStep)
{
    for (int alpha = 0; alpha < 256; ++alpha) {
        const QString text = QStringLiteral("1A2B3C%1").arg(alpha, 2, 16, QLatin1Char('0')).toUpper();
        EXPECT_EQ(ColorHex::hexRGBA(*ColorHex::parse(text)), text);
    }
}

TEST(ColorHex, PerceivedBrightnessWeighsChannelsAndIgnoresAlpha)
{
    EXPECT_DOUBLE_EQ(ColorHex::perceivedBrightness(QColor(255, 255, 255, 0)), 1.0);
    EXPECT_DOUBLE_EQ(ColorHex::perceivedBrightness(QColor(0, 0, 0)), 0.0);
    EXPECT_NEAR(ColorHex::perceivedBrightness(QColor(0, 255, 0)), 0.587, 1e-9);
    EXPECT_NEAR(ColorHex::perceivedBrightness(QColor(255, 0, 0)), 0.299, 1e-9);
    EXPECT_DOUBLE_EQ(ColorHex::perceivedBrightness(QColor()), 1.0);
}

} // namespace
