#include "DesktopExec.h"

#include "DesktopEntry.h"

namespace {

const QString escapableInQuotes = QStringLiteral("\"`$\\");
const QString fileCodes = QStringLiteral("fFuU");
const QString otherCodes = QStringLiteral("ick");
const QString deprecatedCodes = QStringLiteral("dDnNvm");

// Quoted text is often shell code (sh -c '...'): a file name or URL pasted into it could run
// commands, so file and URL codes inside it stand for nothing. A code quoted alone is still a
// whole argument and keeps its meaning, as do the other codes and %%.
void appendQuoted(QStringView text, QString& out)
{
    if (text.size() == 2 && text[0] == u'%' && fileCodes.contains(text[1])) {
        out += text;
        return;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool code = text[i] == u'%' && i + 1 < text.size();
        if (code && fileCodes.contains(text[i + 1]))
            ++i;
        else if (code && text[i + 1] == u'%')
            out += text.sliced(i++, 2);
        else
            out += text[i];
    }
}

// Appends the quoted text that starts at `from` to `out`; the index of the closing quote.
std::optional<qsizetype> readQuoted(QStringView line, qsizetype from, QString& out)
{
    QString text;
    for (qsizetype i = from; i < line.size(); ++i) {
        QChar c = line[i];
        if (c == u'"') {
            appendQuoted(text, out);
            return i;
        }
        // Any other backslash stands for itself, as it does between double quotes in a shell.
        if (c == u'\\' && i + 1 < line.size() && escapableInQuotes.contains(line[i + 1]))
            c = line[++i];
        text += c;
    }
    return {};
}

// Appends the single-quoted text that starts at `from` to `out`; the index of the closing quote.
std::optional<qsizetype> readSingleQuoted(QStringView line, qsizetype from, QString& out)
{
    const qsizetype closing = line.indexOf(u'\'', from);
    if (closing < 0)
        return {};
    appendQuoted(line.sliced(from, closing - from), out);
    return closing;
}

// Quoted runs join the text around them into one argument, as a shell would read --x="a b".
// Generators such as Wine write unquoted backslashes and single quotes; read as a shell would
// read them, they say what the author meant, so the line is followed rather than rejected.
// Other shell characters are plain text here, since no shell runs the line.
std::optional<QStringList> splitArguments(QStringView line)
{
    QStringList arguments;
    QString current;
    bool inArgument = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u' ') {
            if (inArgument)
                arguments << current;
            current.clear();
            inArgument = false;
        } else if (c == u'"') {
            const auto closing = readQuoted(line, i + 1, current);
            if (!closing)
                return {};
            i = *closing;
            inArgument = true;
        } else if (c == u'\'') {
            const auto closing = readSingleQuoted(line, i + 1, current);
            if (!closing)
                return {};
            i = *closing;
            inArgument = true;
        } else if (c == u'\\' && i + 1 < line.size()) {
            // A backslash at the very end escapes nothing and is kept, as in a shell.
            current += line[++i];
            inArgument = true;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        arguments << current;
    return arguments;
}

QStringList localFiles(const QList<QUrl>& urls)
{
    QStringList files;
    for (QUrl url : urls) {
        if (!url.isLocalFile())
            continue;
        // file://localhost/x is local too, but QUrl would turn it into "//localhost/x".
        if (url.host() == QLatin1String("localhost"))
            url.setHost({});
        else if (!url.host().isEmpty())
            continue;
        const QString path = url.toLocalFile();
        if (path.startsWith(u'/'))
            files << path;
    }
    return files;
}

QStringList absoluteUrls(const QList<QUrl>& urls)
{
    QStringList result;
    for (const QUrl& url : urls)
        if (url.isValid() && !url.isRelative())
            result << url.toString(QUrl::FullyEncoded);
    return result;
}

// A file or URL code sees at most one target here: the line launches once per file.
QString inlineValue(QChar code, const QStringList& targets, const DesktopExec::Context& context)
{
    switch (code.unicode()) {
    case u'i':
        return context.icon;
    case u'c':
        return context.name;
    case u'k':
        return context.desktopFilePath;
    default:
        return targets.value(0);
    }
}

QStringList standaloneValues(QChar code, const QStringList& targets, const DesktopExec::Context& context)
{
    if (fileCodes.contains(code))
        return targets;
    if (code == u'i')
        return context.icon.isEmpty() ? QStringList() : QStringList { QStringLiteral("--icon"), context.icon };
    return { inlineValue(code, targets, context) };
}

} // namespace

std::optional<DesktopExec> DesktopExec::parse(const QString& exec)
{
    const auto words = splitArguments(exec);
    if (!words)
        return {};
    DesktopExec result;
    for (const QString& word : *words) {
        const auto argument = parseArgument(word);
        if (!argument)
            return {};
        // A deprecated code alone leaves no argument behind.
        if (!argument->isEmpty())
            result.m_arguments << *argument;
    }
    if (!result.findFileCode() || !result.hasValidProgram())
        return {};
    return result;
}

DesktopExec::Context DesktopExec::contextOf(const DesktopEntry& entry)
{
    return { entry.icon(), entry.name(), entry.path() };
}

QString DesktopExec::program() const
{
    return m_arguments.first().first().text;
}

QList<QStringList> DesktopExec::expand(const QList<QUrl>& urls, const Context& context) const
{
    QStringList targets;
    if (m_fileCode == u'f' || m_fileCode == u'F')
        targets = localFiles(urls);
    else if (m_fileCode == u'u' || m_fileCode == u'U')
        targets = absoluteUrls(urls);
    if (!launchesPerFile() || targets.isEmpty())
        return { argumentVector(targets, context) };
    QList<QStringList> launches;
    for (const QString& target : targets)
        launches << argumentVector({ target }, context);
    return launches;
}

std::optional<DesktopExec::Argument> DesktopExec::parseArgument(const QString& text)
{
    Argument argument;
    QString literal;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'%') {
            literal += text[i];
            continue;
        }
        if (++i == text.size())
            return {};
        const QChar code = text[i];
        if (code == u'%') {
            literal += code;
        } else if (fileCodes.contains(code) || otherCodes.contains(code)) {
            if (!literal.isEmpty())
                argument << Piece { {}, literal };
            literal.clear();
            argument << Piece { code, {} };
        } else if (!deprecatedCodes.contains(code)) {
            return {};
        }
    }
    if (!literal.isEmpty() || text.isEmpty())
        argument << Piece { {}, literal };
    return argument;
}

bool DesktopExec::findFileCode()
{
    for (const Argument& argument : m_arguments) {
        for (const Piece& piece : argument) {
            if (!fileCodes.contains(piece.code))
                continue;
            if (!m_fileCode.isNull())
                return false;
            m_fileCode = piece.code;
            m_fileCodeAlone = argument.size() == 1;
        }
    }
    return true;
}

bool DesktopExec::hasValidProgram() const
{
    if (m_arguments.isEmpty())
        return false;
    // A field code here would run whatever file was dropped on the application.
    const Argument& program = m_arguments.first();
    return program.size() == 1 && program.first().code.isNull() && !program.first().text.isEmpty()
        && !program.first().text.contains(u'=');
}

bool DesktopExec::launchesPerFile() const
{
    return m_fileCode == u'f' || m_fileCode == u'u' || (!m_fileCode.isNull() && !m_fileCodeAlone);
}

QStringList DesktopExec::argumentVector(const QStringList& targets, const Context& context) const
{
    QStringList argv;
    for (const Argument& argument : m_arguments) {
        if (argument.size() == 1 && !argument.first().code.isNull()) {
            for (const QString& value : standaloneValues(argument.first().code, targets, context))
                if (!value.isEmpty())
                    argv << value;
            continue;
        }
        QString text;
        for (const Piece& piece : argument)
            text += piece.code.isNull() ? piece.text : inlineValue(piece.code, targets, context);
        argv << text;
    }
    return argv;
}
