#include "platform/xdg/IconDirectory.h"
#include "platform/xdg/IniFile.h"

#include <gtest/gtest.h>

namespace {

IconDirectory directory(IconDirectory::Type type, int size, int minSize, int maxSize, int threshold = 2, int scale = 1,
    const QString& path = QStringLiteral("dir"))
{
    return IconDirectory { path, size, scale, minSize, maxSize, threshold, type };
}

TEST(IconDirectory, MatchesAndMeasuresSizesByType)
{
    using Type = IconDirectory::Type;
    struct Case {
        const char* name;
        IconDirectory directory;
        int size;
        int scale;
        bool matches;
        int distance;
    };
    const Case cases[] = {
        { "fixed, same size", directory(Type::Fixed, 48, 48, 48), 48, 1, true, 0 },
        { "fixed, smaller wanted", directory(Type::Fixed, 48, 48, 48), 32, 1, false, 16 },
        { "fixed, larger wanted", directory(Type::Fixed, 48, 48, 48), 64, 1, false, 16 },
        { "fixed, other scale", directory(Type::Fixed, 32, 32, 32, 2, 2), 32, 1, false, 32 },
        { "fixed, same scale", directory(Type::Fixed, 32, 32, 32, 2, 2), 32, 2, true, 0 },
        { "scalable, inside the range", directory(Type::Scalable, 64, 8, 512), 64, 1, true, 0 },
        { "scalable, range ends included", directory(Type::Scalable, 64, 8, 512), 512, 1, true, 0 },
        { "scalable, below the range", directory(Type::Scalable, 64, 24, 512), 16, 1, false, 8 },
        { "scalable, above the range", directory(Type::Scalable, 64, 8, 256), 300, 1, false, 44 },
        { "threshold, inside", directory(Type::Threshold, 48, 48, 48), 50, 1, true, 0 },
        { "threshold, just outside", directory(Type::Threshold, 48, 48, 48), 51, 1, false, 3 },
        { "threshold, below", directory(Type::Threshold, 48, 48, 48), 16, 1, false, 32 },
        { "threshold, wider", directory(Type::Threshold, 48, 48, 48, 10), 40, 1, true, 0 },
        { "threshold, odd MinSize stays positive", directory(Type::Threshold, 48, 8, 48), 16, 1, false, 8 },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.directory.matchesSize(c.size, c.scale), c.matches) << c.name;
        EXPECT_EQ(c.directory.sizeDistance(c.size, c.scale), c.distance) << c.name;
    }
}

TEST(IconDirectory, ReadsItsGroupWithDefaults)
{
    const IniFile index
        = IniFile::fromBytes("[Icon Theme]\nDirectories=a,b,c,d\n"
                             "[a]\nSize=48\n"
                             "[b]\nSize=64\nScale=2\nMinSize=16\nMaxSize=256\nThreshold=4\nType=Scalable\n"
                             "[c]\nType=Fixed\n"
                             "[d]\nSize=big\n");
    using Type = IconDirectory::Type;
    EXPECT_EQ(IconDirectory::fromIndex(index, "a"), directory(Type::Threshold, 48, 48, 48, 2, 1, "a"));
    EXPECT_EQ(IconDirectory::fromIndex(index, "b"), directory(Type::Scalable, 64, 16, 256, 4, 2, "b"));
    EXPECT_EQ(IconDirectory::fromIndex(index, "c"), std::nullopt) << "no Size";
    EXPECT_EQ(IconDirectory::fromIndex(index, "d"), std::nullopt) << "Size not a number";
    EXPECT_EQ(IconDirectory::fromIndex(index, "e"), std::nullopt) << "no group";
}

} // namespace
