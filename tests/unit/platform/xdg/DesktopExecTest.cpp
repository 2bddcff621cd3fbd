#include "platform/xdg/DesktopExec.h"
#include "platform/xdg/DesktopEntry.h"

#include <QScopeGuard>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Argv = std::vector<std::string>;
using Launches = std::vector<Argv>;

const DesktopExec::Context context { QStringLiteral("app-icon"), QStringLiteral("My App"),
    QStringLiteral("/usr/share/applications/my app.desktop") };

Argv toStd(const QStringList& list)
{
    Argv result;
    for (const QString& item : list)
        result.push_back(item.toStdString());
    return result;
}

std::optional<Launches> expand(const QString& exec, const QStringList& urls = {})
{
    const auto parsed = DesktopExec::parse(exec);
    if (!parsed)
        return std::nullopt;
    QList<QUrl> urlList;
    for (const QString& url : urls)
        urlList << QUrl(url);
    Launches launches;
    for (const QStringList& argv : parsed->expand(urlList, context))
        launches.push_back(toStd(argv));
    return launches;
}

} // namespace

TEST(DesktopExec, SplitsQuotesAndExpandsFieldCodes)
{
    struct Case {
        const char* name;
        const char* exec;
        Argv argv;
    };
    const Case cases[] = {
        { "plain words", "app --flag value", { "app", "--flag", "value" } },
        { "runs of spaces", "  app   a  ", { "app", "a" } },
        { "quoted argument keeps its spaces", R"(app "a b")", { "app", "a b" } },
        { "quoted program", R"("/opt/My App/app" x)", { "/opt/My App/app", "x" } },
        { "escaped quotes inside quotes", R"(app "say \"hi\"")", { "app", R"(say "hi")" } },
        { "escaped backslash, dollar and backtick", R"(app "\\ \$ \`")", { "app", R"(\ $ `)" } },
        { "other backslash inside quotes", R"(app "a\b")", { "app", R"(a\b)" } },
        { "dollar inside quotes is literal", R"(sh -c "echo $HOME")", { "sh", "-c", "echo $HOME" } },
        { "reserved characters inside quotes", R"(app "a;b|c>d<e'f~g*h?i#j(k)l&m")",
            { "app", "a;b|c>d<e'f~g*h?i#j(k)l&m" } },
        { "newline and tab inside quotes", "app \"a\nb\tc\"", { "app", "a\nb\tc" } },
        { "empty quoted argument", R"(app "" x)", { "app", "", "x" } },
        { "quoted run joins its word", R"(app --name="a b"c)", { "app", "--name=a bc" } },
        { "percent escape", "app 100%%", { "app", "100%" } },
        { "percent escape before a code letter", "app %%f %%%c", { "app", "%f", "%My App" } },
        { "percent escape inside quotes", R"(app "%%")", { "app", "%" } },
        { "deprecated codes vanish", "app %d %D %n %N %v %m x", { "app", "x" } },
        { "deprecated code inside a word", "app --dir=%d", { "app", "--dir=" } },
        { "name is one argument", "app --title %c", { "app", "--title", "My App" } },
        { "name inside a word", "app --title=%c", { "app", "--title=My App" } },
        { "quoted name alone", R"(app "%c")", { "app", "My App" } },
        { "desktop file", "app %k", { "app", "/usr/share/applications/my app.desktop" } },
        { "icon", "app %i x", { "app", "--icon", "app-icon", "x" } },
        { "icon inside a word", "app --icon=%i", { "app", "--icon=app-icon" } },
        { "file code without files", "app %f", { "app" } },
        { "file list without files", "app %F x", { "app", "x" } },
        { "URL code inside a word without URLs", "app --open=%u", { "app", "--open=" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(expand(QString::fromUtf8(c.exec)), Launches { c.argv });
    }
}

TEST(DesktopExec, RejectsInvalidLines)
{
    struct Case {
        const char* name;
        const char* exec;
    };
    const Case cases[] = {
        { "empty", "" },
        { "blanks only", "   " },
        { "unterminated quote", R"(app "abc)" },
        { "escaped closing quote", R"(app "abc\")" },
        { "unterminated single quote", "app 'abc" },
        { "backslash cannot escape a single quote between single quotes", R"(app 'it\'s')" },
        { "unknown field code", "app %x" },
        { "unknown upper-case code", "app %C" },
        { "percent at the end", "app 50%" },
        { "percent before a space", "app % x" },
        { "unknown code inside quotes", R"(app "%z")" },
        { "two file codes", "app %f %F" },
        { "the same file code twice", "app %u --also=%u" },
        { "field code as program", "%f" },
        { "name as program", "%c --x" },
        { "empty program", R"("" app)" },
        { "program with an equals sign", "FOO=bar app" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(DesktopExec::parse(QString::fromUtf8(c.exec)).has_value());
    }
}

TEST(DesktopExec, TakesOtherShellCharactersLiterallyWithOrWithoutQuotes)
{
    for (const QChar reserved : QStringLiteral("\t\n><~|&;$*?#()`")) {
        const QString text = QStringLiteral("a") + reserved + QStringLiteral("b");
        const Launches expected { { "app", text.toStdString() } };
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(expand(QStringLiteral("app ") + text), expected);
        EXPECT_EQ(expand(QStringLiteral("app \"") + text + u'"'), expected);
    }
}

TEST(DesktopExec, ReadsUnquotedBackslashesAndSingleQuotesAsAShellWould)
{
    struct Case {
        const char* name;
        const char* exec;
        Argv argv;
    };
    const Case cases[] = {
        { "backslash keeps a space in its argument", R"(app a\ b)", { "app", "a b" } },
        { "backslash escapes a backslash", R"(app a\\b)", { "app", R"(a\b)" } },
        { "backslash escapes a double quote", R"(app say\"hi)", { "app", R"(say"hi)" } },
        { "backslash escapes a single quote", R"(app it\'s)", { "app", "it's" } },
        { "backslash before an ordinary character vanishes", R"(app \a\$b)", { "app", "a$b" } },
        { "backslash at the end is kept", R"(app a\)", { "app", R"(a\)" } },
        { "single quotes keep everything literally", R"(app 'a "b" \c $d')", { "app", R"(a "b" \c $d)" } },
        { "backslash is literal between single quotes", R"(app 'a\' b)", { "app", R"(a\)", "b" } },
        { "single-quoted run joins its word", "app --name='a b'c", { "app", "--name=a bc" } },
        { "single-quoted program", "'/opt/My App/app' x", { "/opt/My App/app", "x" } },
        { "empty single-quoted argument", "app '' x", { "app", "", "x" } },
        { "single and double quotes in one word", R"(app 'a"'"b'")", { "app", R"(a"b')" } },
        { "shell script as one argument", R"(sh -c 'cd ~/games && ./run.sh; echo "done" | tee $HOME/log')",
            { "sh", "-c", R"(cd ~/games && ./run.sh; echo "done" | tee $HOME/log)" } },
        { "percent escape between single quotes", "sh -c 'date +%%s'", { "sh", "-c", "date +%s" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(expand(QString::fromUtf8(c.exec)), Launches { c.argv });
    }
}

TEST(DesktopExec, ExpandsFilesAndUrls)
{
    struct Case {
        const char* name;
        const char* exec;
        QStringList urls;
        Launches expected;
    };
    const Case cases[] = {
        // A file named "x; rm -rf ~" must never become shell code.
        { "file code inside single quotes stands for nothing", "sh -c 'app %f'", { "file:///x;%20rm" },
            { { "sh", "-c", "app " } } },
        { "URL code inside double quotes stands for nothing", R"(sh -c "open %U")", { "https://e.org/$(x)" },
            { { "sh", "-c", "open " } } },
        { "quoted file code does not count as the line's", "sh -c 'a %F' sh %f", { "file:///a", "file:///b" },
            { { "sh", "-c", "a ", "sh", "/a" }, { "sh", "-c", "a ", "sh", "/b" } } },
        { "%f launches once per file", "app %f", { "file:///a", "file:///b" }, { { "app", "/a" }, { "app", "/b" } } },
        { "%F passes all files to one launch", "app %F x", { "file:///a", "file:///b" },
            { { "app", "/a", "/b", "x" } } },
        { "%u launches once per URL", "app %u", { "https://example.org/", "file:///a" },
            { { "app", "https://example.org/" }, { "app", "file:///a" } } },
        { "%U passes all URLs to one launch", "app %U", { "https://example.org/", "file:///a" },
            { { "app", "https://example.org/", "file:///a" } } },
        { "file name with spaces stays one argument", "app %F", { "file:///tmp/a%20b.txt" },
            { { "app", "/tmp/a b.txt" } } },
        { "percent-encoded file name is decoded", "app %f", { "file:///tmp/100%25.txt" },
            { { "app", "/tmp/100%.txt" } } },
        { "file name is not expanded again", "app %f", { "file:///tmp/%25c" }, { { "app", "/tmp/%c" } } },
        { "shell characters in a file name pass verbatim", "app %f", { "file:///tmp/a%22$b;c" },
            { { "app", "/tmp/a\"$b;c" } } },
        { "localhost file URL", "app %f", { "file://localhost/etc/hosts" }, { { "app", "/etc/hosts" } } },
        { "non-local URLs are skipped by %F", "app %F", { "https://example.org/x", "file://server/share/x" },
            { { "app" } } },
        { "%f with only a remote URL launches without a file", "app %f", { "https://example.org/x" }, { { "app" } } },
        { "%f keeps the local files among remote ones", "app %f", { "https://example.org/x", "file:///a" },
            { { "app", "/a" } } },
        { "URL stays encoded for %u", "app %u", { "file:///tmp/a%20b" }, { { "app", "file:///tmp/a%20b" } } },
        { "relative URL is skipped by %U", "app %U", { "relative/x", "https://example.org/y" },
            { { "app", "https://example.org/y" } } },
        { "%F inside a word launches once per file", "app --open=%F", { "file:///a", "file:///b" },
            { { "app", "--open=/a" }, { "app", "--open=/b" } } },
        { "%F quoted alone is still a list", R"(app "%F")", { "file:///a", "file:///b" }, { { "app", "/a", "/b" } } },
        { "files are ignored without a file code", "app --new %c", { "file:///a" }, { { "app", "--new", "My App" } } },
        { "other codes repeat in every launch", "app %i %f", { "file:///a", "file:///b" },
            { { "app", "--icon", "app-icon", "/a" }, { "app", "--icon", "app-icon", "/b" } } },
        { "shell script takes the file as a parameter", R"(sh -c 'exec app "$1"' sh %f)", { "file:///tmp/a%20b" },
            { { "sh", "-c", R"(exec app "$1")", "sh", "/tmp/a b" } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(expand(QString::fromUtf8(c.exec), c.urls), c.expected);
    }
}

TEST(DesktopExec, LeavesOutIconAndEmptyValuesStandingAlone)
{
    const auto exec = DesktopExec::parse(QStringLiteral("app %i %c %k --name=%c"));
    ASSERT_TRUE(exec.has_value());
    EXPECT_EQ(toStd(exec->expand({}, {}).value(0)), (Argv { "app", "--name=" }));
}

TEST(DesktopExec, UnescapesTheValueBeforeUndoingQuotes)
{
    struct Case {
        const char* name;
        const char* line;
        std::optional<Argv> argv;
    };
    const Case cases[] = {
        { "four backslashes are one", R"(Exec=app "a\\\\b")", Argv { "app", R"(a\b)" } },
        { "escaped dollar", R"(Exec=app "\\$HOME")", Argv { "app", "$HOME" } },
        { "escaped quotes", R"(Exec=app "\\"x\\"")", Argv { "app", R"("x")" } },
        { "\\s separates arguments", R"(Exec=app\s--flag)", Argv { "app", "--flag" } },
        { "\\s inside quotes", R"(Exec=app "a\sb")", Argv { "app", "a b" } },
        { "an unquoted escaped backslash escapes the next character", R"(Exec=app \\$HOME)", Argv { "app", "$HOME" } },
        { "Wine start line",
            R"(Exec=env WINEPREFIX="/home/u/.wine" wine C:\\\\windows\\\\command\\\\start.exe /Unix )"
            R"(/home/u/.wine/dosdevices/c:/users/u/Start\\ Menu/Programs/Foo.lnk)",
            Argv { "env", "WINEPREFIX=/home/u/.wine", "wine", R"(C:\windows\command\start.exe)", "/Unix",
                "/home/u/.wine/dosdevices/c:/users/u/Start Menu/Programs/Foo.lnk" } },
        { "two backslashes inside quotes escape the quote", R"(Exec=app "a\\")", std::nullopt },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto entry = DesktopEntry::fromBytes(QByteArray("[Desktop Entry]\n") + c.line);
        ASSERT_TRUE(entry.has_value());
        const auto launches = expand(entry->exec());
        EXPECT_EQ(launches, c.argv ? std::optional(Launches { *c.argv }) : std::nullopt);
    }
}

TEST(DesktopExec, ContextComesFromTheEntryInTheProcessLocale)
{
    const bool wasSet = qEnvironmentVariableIsSet("LC_ALL");
    const QByteArray saved = qgetenv("LC_ALL");
    const auto restore = qScopeGuard([&] { wasSet ? qputenv("LC_ALL", saved) : qunsetenv("LC_ALL"); });
    qputenv("LC_ALL", "de_DE.UTF-8");

    const auto entry = DesktopEntry::fromBytes("[Desktop Entry]\nName=Editor\nName[de]=Bearbeiter\n"
                                               "Icon=editor\nExec=editor %c %i %k\n",
        QStringLiteral("/apps/editor.desktop"));
    ASSERT_TRUE(entry.has_value());
    const auto exec = DesktopExec::parse(entry->exec());
    ASSERT_TRUE(exec.has_value());
    EXPECT_EQ(exec->program(), QStringLiteral("editor"));
    EXPECT_EQ(toStd(exec->expand({}, DesktopExec::contextOf(*entry)).value(0)),
        (Argv { "editor", "Bearbeiter", "--icon", "editor", "/apps/editor.desktop" }));
}
