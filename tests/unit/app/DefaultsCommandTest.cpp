#include "app/DefaultsCommand.h"
#include "fakes/FakeUserDefaults.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

struct Output {
    Output() : out(std::tmpfile()), err(std::tmpfile()) {}
    ~Output()
    {
        std::fclose(out);
        std::fclose(err);
    }
    static std::string read(FILE* f)
    {
        std::fflush(f);
        std::rewind(f);
        std::string text;
        char buffer[256];
        while (const size_t n = std::fread(buffer, 1, sizeof buffer, f))
            text.append(buffer, n);
        return text;
    }
    FILE* out;
    FILE* err;
};

int run(FakeUserDefaults& defaults, const QStringList& args, Output& output)
{
    return runDefaultsCommand(args, defaults, output.out, output.err);
}

TEST(DefaultsCommand, WritesEachValueKind)
{
    struct Case {
        QStringList args;
        QVariant stored;
    };
    const Case cases[] = {
        {{"write", "k", "-bool", "YES"}, true},
        {{"write", "k", "-bool", "false"}, false},
        {{"write", "k", "-float", "56.5"}, 56.5},
        {{"write", "k", "-string", "it's \"quoted\""}, "it's \"quoted\""},
        {{"write", "k", "-string", ""}, ""},
        {{"write", "k", "-array", "xterm", "firefox-esr"}, QStringList{"xterm", "firefox-esr"}},
        {{"write", "k", "-array"}, QStringList{}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(qPrintable(c.args.join(' ')));
        FakeUserDefaults defaults;
        Output output;
        EXPECT_EQ(run(defaults, c.args, output), 0);
        EXPECT_EQ(defaults.values.value("k"), c.stored);
    }
}

TEST(DefaultsCommand, BadArgumentsAreRefusedWithoutWriting)
{
    const QStringList cases[] = {
        {},
        {"frobnicate"},
        {"write", "k"},
        {"write", "k", "-bool", "maybe"},
        {"write", "k", "-float", "tall"},
        {"write", "k", "-float", "inf"},
        {"write", "k", "-string", "a", "b"},
        {"write", "k", "-date", "today"},
        {"delete"},
        {"read", "a", "b"},
    };
    for (const QStringList& args : cases) {
        SCOPED_TRACE(qPrintable(args.join(' ')));
        FakeUserDefaults defaults;
        Output output;
        EXPECT_EQ(run(defaults, args, output), 2);
        EXPECT_EQ(defaults.writes, 0);
        EXPECT_NE(Output::read(output.err).find("usage"), std::string::npos);
    }
}

TEST(DefaultsCommand, ReadsAndDeletes)
{
    FakeUserDefaults defaults;
    defaults.values = {{"pellux.position", "left"}, {"pellux.barHeight", 56.0}, {"flag", true}};
    {
        Output output;
        EXPECT_EQ(run(defaults, {"read", "pellux.position"}, output), 0);
        EXPECT_EQ(Output::read(output.out), "left\n");
    }
    {
        Output output;
        EXPECT_EQ(run(defaults, {"read", "flag"}, output), 0);
        EXPECT_EQ(Output::read(output.out), "true\n");
    }
    {
        Output output;
        EXPECT_EQ(run(defaults, {"read"}, output), 0);
        EXPECT_NE(Output::read(output.out).find("\"pellux.barHeight\": 56"), std::string::npos);
    }
    {
        Output output;
        EXPECT_EQ(run(defaults, {"read", "absent"}, output), 1);
        EXPECT_EQ(run(defaults, {"delete", "absent"}, output), 1);
        EXPECT_EQ(run(defaults, {"delete", "flag"}, output), 0);
        EXPECT_FALSE(defaults.values.contains("flag"));
    }
}

} // namespace
