#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

class DesktopEntry;

// The Exec line of a desktop entry turned into argument vectors, after the Desktop Entry
// Specification's quoting and field codes. The result is for execve: no shell ever reads it.
class DesktopExec {
public:
    // What %i, %c and %k stand for.
    struct Context {
        QString icon;
        QString name;
        QString desktopFilePath;
    };

    // The value must already be unescaped as a string (DesktopEntry::exec()). Outside double
    // quotes a backslash escapes the next character, single quotes group literally, and other
    // shell characters are plain text. Nothing when a quote is unterminated, a field code is
    // unknown, more than one of %f %F %u %U appears, or the program is missing, holds '=' or a
    // field code.
    static std::optional<DesktopExec> parse(const QString& exec);
    // The entry's localised Icon and Name (process locale) and its file.
    static Context contextOf(const DesktopEntry& entry);

    QString program() const;
    // One argument vector per launch. Each expansion is one argument, except that %F and %U
    // alone as an argument give one argument per file, and %i alone gives "--icon" and the icon
    // (nothing without one). %f, %u, or %F/%U inside a larger argument launch once per file;
    // without files (or a file code) there is one launch. %f and %F take local files only
    // (file: URLs become paths, other URLs are skipped); %u and %U take any absolute URL. Codes
    // between quotes, which the Desktop Entry Specification leaves undefined, act as unquoted ones.
    QList<QStringList> expand(const QList<QUrl>& urls, const Context& context) const;

private:
    // A literal run of text (code is null) or one field code.
    struct Piece {
        QChar code;
        QString text;
    };
    using Argument = QList<Piece>;

    static std::optional<Argument> parseArgument(const QString& text);
    bool findFileCode();
    bool hasValidProgram() const;
    QStringList argumentVector(const QStringList& targets, const Context& context) const;
    bool launchesPerFile() const;

    QList<Argument> m_arguments;
    // The one file or URL code, null when the line takes none.
    QChar m_fileCode;
    bool m_fileCodeAlone = false;
};
