#include "platform/xdg/DesktopEntry.h"

#include <QTemporaryDir>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

using namespace std::string_view_literals;

namespace {

const QString fixture = QStringLiteral(PELLUX_TEST_DATA "/desktop/org.example.Editor.desktop");

std::optional<DesktopEntry> parse(std::string_view bytes)
{
    return DesktopEntry::fromBytes(QByteArray(bytes.data(), qsizetype(bytes.size())));
}

std::vector<std::string> toStd(const QStringList& list)
{
    std::vector<std::string> result;
    for (const QString& item : list)
        result.push_back(item.toStdString());
    return result;
}

std::vector<std::string> describe(const QList<DesktopEntry::Action>& actions)
{
    std::vector<std::string> result;
    for (const auto& action : actions)
        result.push_back(QStringList { action.id, action.name, action.icon, action.exec }.join(u'|').toStdString());
    return result;
}

// Sets the three locale variables for one scope and puts the old values back.
class LocaleEnvironment {
public:
    LocaleEnvironment(const char* lcAll, const char* lcMessages, const char* lang)
    {
        set("LC_ALL", lcAll);
        set("LC_MESSAGES", lcMessages);
        set("LANG", lang);
    }
    ~LocaleEnvironment()
    {
        for (const auto& [name, value] : m_saved)
            value ? qputenv(name, *value) : qunsetenv(name);
    }

private:
    void set(const char* name, const char* value)
    {
        m_saved.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
        value ? qputenv(name, value) : qunsetenv(name);
    }

    std::vector<std::pair<const char*, std::optional<QByteArray>>> m_saved;
};

} // namespace

TEST(DesktopEntry, RejectsMalformedFiles)
{
    struct Case {
        const char* name;
        std::string_view bytes;
    };
    const Case cases[] = {
        { "empty file", ""sv },
        { "only comments", "# nothing\n\n"sv },
        { "key before any group", "Name=App\n[Desktop Entry]\nType=Application\n"sv },
        { "another group first", "[Desktop Action a]\nName=A\n[Desktop Entry]\nName=App\n"sv },
        { "main group in lower case", "[desktop entry]\nName=App\n"sv },
        { "line that is no key=value", "[Desktop Entry]\nName App\n"sv },
        { "unterminated group header", "[Desktop Entry\nName=App\n"sv },
        { "text after a group header", "[Desktop Entry] extra\nName=App\n"sv },
        { "empty group name", "[Desktop Entry]\n[]\n"sv },
        { "bracket inside a group name", "[Desktop Entry]\n[a[b]\n"sv },
        { "non-ASCII group name",
            "[Desktop Entry]\n[Gr\xC3\xBC\xC3\x9F"
            "e]\n"sv },
        { "bad line in a repeated group", "[Desktop Entry]\nName=A\n[Desktop Entry]\nbogus\n"sv },
        { "Latin-1 text",
            "[Desktop Entry]\nName=Gr\xFC\xDF"
            "e\n"sv },
        { "lone continuation byte", "[Desktop Entry]\nName=\x80\n"sv },
        { "overlong encoding", "[Desktop Entry]\nName=\xC0\xAF\n"sv },
        { "UTF-16 surrogate", "[Desktop Entry]\nName=\xED\xA0\x80\n"sv },
        { "beyond U+10FFFF", "[Desktop Entry]\nName=\xF4\x90\x80\x80\n"sv },
        { "sequence cut off at the end", "[Desktop Entry]\nName=\xE2\x82"sv },
        { "NUL byte", "[Desktop Entry]\nName=a\0b\n"sv },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(parse(c.bytes).has_value());
    }
}

// One oddly named key must not cost the whole application its entry.
TEST(DesktopEntry, SkipsOddlyNamedKeys)
{
    const std::string_view oddKeys[] = {
        "=Odd"sv, "Generic Name=Odd"sv, "Startup_Notify=Odd"sv, "Name[]=Odd"sv,
        "Name[de=Odd"sv, "Name[de]x=Odd"sv, "Name[de DE]=Odd"sv,
    };
    for (const std::string_view odd : oddKeys) {
        SCOPED_TRACE(std::string(odd));
        const std::string text = "[Desktop Entry]\nType=Application\n" + std::string(odd) + "\nName=App\n";
        const auto entry = parse(text);
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(entry->string(QStringLiteral("Name")), QStringLiteral("App"));
        EXPECT_EQ(entry->localeString(QStringLiteral("Name"), QStringLiteral("de_DE")), QStringLiteral("App"));
        EXPECT_EQ(entry->string(QStringLiteral("Startup_Notify")), QString());
    }
}

TEST(DesktopEntry, ReadsStringValues)
{
    struct Case {
        const char* name;
        std::string_view bytes;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        { "comments and blanks before the group", "# c\n\n[Desktop Entry]\nName=App\n"sv, "Name", "App" },
        { "CRLF line endings", "[Desktop Entry]\r\nName=App\r\nType=Application\r\n"sv, "Name", "App" },
        { "byte order mark", "\xEF\xBB\xBF[Desktop Entry]\nName=App\n"sv, "Name", "App" },
        { "no newline at the end", "[Desktop Entry]\nName=App"sv, "Name", "App" },
        { "blanks around the equals sign", "[Desktop Entry]\nName \t=  App\n"sv, "Name", "App" },
        { "indented key", "[Desktop Entry]\n  Name=App\n"sv, "Name", "App" },
        { "trailing blanks are kept", "[Desktop Entry]\nName=App  \n"sv, "Name", "App  " },
        { "group header with trailing blanks", "[Desktop Entry]  \nName=App\n"sv, "Name", "App" },
        { "value holding an equals sign", "[Desktop Entry]\nExec=env A=b app\n"sv, "Exec", "env A=b app" },
        { "commented-out key", "[Desktop Entry]\n#Name=Wrong\nName=App\n"sv, "Name", "App" },
        { "UTF-8 text",
            "[Desktop Entry]\nName=Gr\xC3\xBC\xC3\x9F"
            "e \xE6\x97\xA5\n"sv,
            "Name",
            "Gr\xC3\xBC\xC3\x9F"
            "e \xE6\x97\xA5" },
        { "escapes", "[Desktop Entry]\nComment=a\\sb\\nc\\td\\re\\\\f\n"sv, "Comment", "a b\nc\td\re\\f" },
        { "leading space through \\s", "[Desktop Entry]\nName=\\sApp\n"sv, "Name", " App" },
        { "escaped backslash before s", "[Desktop Entry]\nComment=a\\\\sb\n"sv, "Comment", "a\\sb" },
        { "unknown escape kept", "[Desktop Entry]\nComment=a\\qb\n"sv, "Comment", "a\\qb" },
        { "escaped semicolon kept in a string", "[Desktop Entry]\nComment=a\\;b\n"sv, "Comment", "a\\;b" },
        { "trailing backslash kept", "[Desktop Entry]\nComment=ab\\\n"sv, "Comment", "ab\\" },
        { "empty value", "[Desktop Entry]\nIcon=\n"sv, "Icon", "" },
        { "missing key", "[Desktop Entry]\nName=App\n"sv, "Icon", "" },
        { "keys are case-sensitive", "[Desktop Entry]\nname=lower\nName=Upper\n"sv, "Name", "Upper" },
        { "first of two equal keys wins", "[Desktop Entry]\nName=First\nName=Second\n"sv, "Name", "First" },
        { "repeated group is ignored",
            "[Desktop Entry]\nName=First\n[X-Other]\nA=1\n[Desktop Entry]\nName=Second\nIcon=late\n"sv, "Name",
            "First" },
        { "nothing taken from a repeated group", "[Desktop Entry]\nName=First\n[Desktop Entry]\nIcon=late\n"sv, "Icon",
            "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto entry = parse(c.bytes);
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(entry->string(QString::fromLatin1(c.key)).toStdString(), std::string(c.expected));
    }
}

TEST(DesktopEntry, TellsAnEmptyValueFromAMissingKey)
{
    const auto entry = parse("[Desktop Entry]\nIcon=\n"sv);
    ASSERT_TRUE(entry.has_value());
    EXPECT_TRUE(entry->contains(QStringLiteral("Icon")));
    EXPECT_FALSE(entry->contains(QStringLiteral("Exec")));
}

TEST(DesktopEntry, PicksTheLocalisedValueInMatchingOrder)
{
    const std::string_view all = "Name=C\nName[de]=de\nName[de@euro]=de@euro\nName[de_DE]=de_DE\n"
                                 "Name[de_DE@euro]=de_DE@euro\n"sv;
    struct Case {
        const char* name;
        std::string_view keys;
        const char* locale;
        const char* expected;
    };
    const Case cases[] = {
        { "country and modifier first", all, "de_DE.UTF-8@euro", "de_DE@euro" },
        { "then country", "Name=C\nName[de]=de\nName[de@euro]=de@euro\nName[de_DE]=de_DE\n"sv, "de_DE.UTF-8@euro",
            "de_DE" },
        { "then modifier", "Name=C\nName[de]=de\nName[de@euro]=de@euro\n"sv, "de_DE@euro", "de@euro" },
        { "then language", "Name=C\nName[de]=de\nName[fr]=fr\n"sv, "de_DE.UTF-8@euro", "de" },
        { "then unlocalised", "Name=C\nName[fr]=fr\n"sv, "de_DE.UTF-8@euro", "C" },
        { "no modifier in locale skips keys with one", "Name=C\nName[de_DE@euro]=x\nName[de@euro]=y\n"sv, "de_DE.UTF-8",
            "C" },
        { "no country in locale skips keys with one", "Name=C\nName[de_DE]=x\n"sv, "de", "C" },
        { "other country falls back to language", "Name=C\nName[de_DE]=x\nName[de]=de\n"sv, "de_AT", "de" },
        { "language and modifier", "Name=C\nName[sr]=sr\nName[sr@latin]=latin\n"sv, "sr@latin", "latin" },
        { "encoding in the key is ignored", "Name=C\nName[de_DE.UTF-8]=de_DE\n"sv, "de_DE", "de_DE" },
        { "encoding and modifier in the key", "Name=C\nName[sr_RS.UTF-8@latin]=x\n"sv, "sr_RS@latin", "x" },
        { "empty locale", all, "", "C" },
        { "C locale", all, "C.UTF-8", "C" },
        { "locale without language", all, "_DE@euro", "C" },
        { "locale case matters", all, "DE", "C" },
        { "only a translation", "Name[de]=de\n"sv, "fr_FR", "" },
        { "first of two equal localised keys wins", "Name=C\nName[de]=one\nName[de.UTF-8]=two\n"sv, "de", "one" },
        { "escapes in a translation", "Name=C\nName[de]=a\\sb\n"sv, "de", "a b" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto entry = parse("[Desktop Entry]\n" + std::string(c.keys));
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(entry->localeString(QStringLiteral("Name"), QString::fromLatin1(c.locale)).toStdString(),
            std::string(c.expected));
    }
}

TEST(DesktopEntry, ProcessLocalePrefersLcAllThenLcMessagesThenLang)
{
    struct Case {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        const char* expected;
    };
    const Case cases[] = {
        { "de_DE.UTF-8", "fr_FR.UTF-8", "it_IT.UTF-8", "de_DE.UTF-8" },
        { nullptr, "fr_FR.UTF-8@euro", "it_IT.UTF-8", "fr_FR.UTF-8@euro" },
        { "", "", "it_IT.UTF-8", "it_IT.UTF-8" },
        { nullptr, nullptr, nullptr, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        const LocaleEnvironment environment(c.lcAll, c.lcMessages, c.lang);
        EXPECT_EQ(DesktopEntry::processLocale().toStdString(), std::string(c.expected));
    }
}

TEST(DesktopEntry, ReadsBooleans)
{
    struct Case {
        std::string_view line;
        std::optional<bool> expected;
    };
    const Case cases[] = {
        { "Terminal=true"sv, true },
        { "Terminal=false"sv, false },
        { "Terminal=true \t"sv, true },
        { "Terminal = false"sv, false },
        { "Terminal=True"sv, std::nullopt },
        { "Terminal=1"sv, std::nullopt },
        { "Terminal=yes"sv, std::nullopt },
        { "Terminal=truex"sv, std::nullopt },
        { "Terminal="sv, std::nullopt },
        { "Other=true"sv, std::nullopt },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.line));
        const auto entry = parse("[Desktop Entry]\n" + std::string(c.line) + "\n");
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(entry->boolean(QStringLiteral("Terminal")), c.expected);
    }
}

TEST(DesktopEntry, SplitsStringLists)
{
    struct Case {
        std::string_view line;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        { "Categories=A;B;C;"sv, { "A", "B", "C" } },
        { "Categories=A;B;C"sv, { "A", "B", "C" } },
        { "Categories=A;;"sv, { "A", "" } },
        { "Categories=;"sv, { "" } },
        { "Categories="sv, {} },
        { "Categories=a\\;b;c;"sv, { "a;b", "c" } },
        { "Categories=a\\\\;b;"sv, { "a\\", "b" } },
        { "Categories=\\sa\\tb;c d;"sv, { " a\tb", "c d" } },
        { "Categories=a\\"sv, { "a\\" } },
        { "Other=A;"sv, {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.line));
        const auto entry = parse("[Desktop Entry]\n" + std::string(c.line) + "\n");
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(toStd(entry->stringList(QStringLiteral("Categories"))), c.expected);
    }
}

TEST(DesktopEntry, ReadsTheFieldsOfAnApplication)
{
    const auto entry = DesktopEntry::fromFile(fixture);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->path(), fixture);
    EXPECT_EQ(entry->type(), QStringLiteral("Application"));
    EXPECT_EQ(entry->name(QStringLiteral("de_DE.UTF-8")), QStringLiteral("Beispiel-Editor"));
    EXPECT_EQ(entry->name(QStringLiteral("fr_FR")), QString::fromUtf8("Éditeur d’exemple"));
    EXPECT_EQ(entry->name(QStringLiteral("it")), QStringLiteral("Example Editor"));
    EXPECT_EQ(entry->genericName(QStringLiteral("de")), QStringLiteral("Texteditor"));
    EXPECT_EQ(entry->icon(QStringLiteral("de")), QStringLiteral("org.example.Editor"));
    EXPECT_EQ(entry->exec(), QStringLiteral("example-editor --new-instance %F"));
    EXPECT_EQ(entry->tryExec(), QStringLiteral("example-editor"));
    EXPECT_EQ(entry->workingDirectory(), QStringLiteral("/srv/work"));
    EXPECT_EQ(entry->startupWmClass(), QStringLiteral("ExampleEditor"));
    EXPECT_TRUE(entry->dbusActivatable());
    EXPECT_EQ(toStd(entry->onlyShowIn()), (std::vector<std::string> { "GNOME", "XFCE" }));
    EXPECT_EQ(toStd(entry->notShowIn()), (std::vector<std::string> { "KDE" }));
    EXPECT_EQ(toStd(entry->categories()), (std::vector<std::string> { "Utility", "TextEditor", "Development" }));
    EXPECT_EQ(toStd(entry->mimeTypes()), (std::vector<std::string> { "text/plain", "text/x-c++src" }));
}

TEST(DesktopEntry, BooleanFieldsFollowTheirKeysAndDefaultToFalse)
{
    struct Case {
        const char* key;
        bool (DesktopEntry::*field)() const;
    };
    const Case cases[] = {
        { "Terminal", &DesktopEntry::terminal },
        { "NoDisplay", &DesktopEntry::noDisplay },
        { "Hidden", &DesktopEntry::hidden },
        { "DBusActivatable", &DesktopEntry::dbusActivatable },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        const auto set = parse("[Desktop Entry]\n" + std::string(c.key) + "=true\n");
        const auto invalid = parse("[Desktop Entry]\n" + std::string(c.key) + "=maybe\n");
        const auto missing = parse("[Desktop Entry]\nName=App\n");
        ASSERT_TRUE(set && invalid && missing);
        EXPECT_TRUE(((*set).*c.field)());
        EXPECT_FALSE(((*invalid).*c.field)());
        EXPECT_FALSE(((*missing).*c.field)());
    }
}

TEST(DesktopEntry, ListsActionsInTheOrderOfTheActionsKey)
{
    struct Case {
        const char* locale;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        { "de_CH",
            { "new-window|Neues Fenster||example-editor --new-window",
                "new-private-window|Neues privates Fenster|org.example.Editor-private|example-editor --private" } },
        { "C",
            { "new-window|New Window||example-editor --new-window",
                "new-private-window|New Private Window|org.example.Editor-private|example-editor --private" } },
    };
    const auto entry = DesktopEntry::fromFile(fixture);
    ASSERT_TRUE(entry.has_value());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        EXPECT_EQ(describe(entry->actions(QString::fromLatin1(c.locale))), c.expected);
    }
}

TEST(DesktopEntry, GivesAnyGroupByItsExactName)
{
    const auto entry = DesktopEntry::fromFile(fixture);
    ASSERT_TRUE(entry.has_value());
    const auto unlisted = entry->group(QStringLiteral("Desktop Action unlisted"));
    ASSERT_TRUE(unlisted.has_value());
    EXPECT_EQ(unlisted->name(), QStringLiteral("Desktop Action unlisted"));
    EXPECT_EQ(unlisted->string(QStringLiteral("Exec")), QStringLiteral("example-editor --unlisted"));
    EXPECT_EQ(
        entry->group(QStringLiteral("Desktop Entry"))->string(QStringLiteral("Type")), QStringLiteral("Application"));
    EXPECT_FALSE(entry->group(QStringLiteral("desktop action unlisted")).has_value());
    EXPECT_FALSE(entry->group(QStringLiteral("X-Missing")).has_value());
}

TEST(DesktopEntry, RejectsFilesThatCannotBeRead)
{
    const QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    EXPECT_FALSE(DesktopEntry::fromFile(directory.filePath(QStringLiteral("missing.desktop"))));
    EXPECT_FALSE(DesktopEntry::fromFile(directory.path()));

    QTemporaryFile huge;
    ASSERT_TRUE(huge.open());
    huge.write("[Desktop Entry]\nName=App\n");
    huge.write(QByteArray(4 * 1024 * 1024, '#'));
    huge.close();
    EXPECT_FALSE(DesktopEntry::fromFile(huge.fileName()));
}
