#include "platform/xdg/IniFile.h"

#include <gtest/gtest.h>

namespace {

TEST(IniFile, ReadsGroupsAndKeysLeniently)
{
    const IniFile ini = IniFile::fromBytes("orphan=before any group\n"
                                           "# comment\n"
                                           "; another comment\n"
                                           "[Settings]\r\n"
                                           "  spaced key  =  spaced value  \r\n"
                                           "not a key value line\n"
                                           "=no key\n"
                                           "repeated=first\n"
                                           "repeated=second\n"
                                           "list= a , ,b,\n"
                                           "number=42\n"
                                           "word=forty\n"
                                           "[Settings]\n"
                                           "late=from a repeated group\n");
    EXPECT_EQ(ini.value("Settings", "spaced key"), "spaced value");
    EXPECT_EQ(ini.value("Settings", "repeated"), "first");
    EXPECT_EQ(ini.list("Settings", "list"), QStringList({ "a", "b" }));
    EXPECT_EQ(ini.integer("Settings", "number"), 42);
    EXPECT_EQ(ini.integer("Settings", "word"), std::nullopt);
    EXPECT_FALSE(ini.contains("Settings", "late"));
    EXPECT_FALSE(ini.contains("Settings", "orphan"));
    EXPECT_FALSE(ini.contains("Settings", ""));
    EXPECT_EQ(ini.value("Missing", "key"), "");
}

TEST(IniFile, MissingFileGivesNothing)
{
    EXPECT_EQ(IniFile::fromFile(QStringLiteral(PELLUX_TEST_DATA "/icons/no-such.ini")), std::nullopt);
}

} // namespace
