#include "AppMatcher.h"

#include <array>

namespace {

QString lowered(const QString& name)
{
    return name.toLower().replace(u' ', u'-');
}

QString fileName(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

// A property or hint may hold an id, a file name or a full path. Below an applications folder
// the subfolders belong to the file id, as in the desktop entry lookup ("kde4/okular" -> "kde4-okular").
QString desktopIdFromHint(const QString& hint)
{
    static const QString folder = QStringLiteral("/applications/");
    const qsizetype at = hint.lastIndexOf(folder);
    QString id = at >= 0 ? hint.mid(at + folder.size()).replace(u'/', u'-') : fileName(hint);
    if (id.endsWith(QLatin1String(".desktop")))
        id.chop(8);
    return id;
}

// Shells, env, language runtimes and a shared Electron only run the program named after them;
// their own name would put every Python or Electron window under whichever entry runs that
// runtime. Versioned names (python3.11, electron25) count too.
bool isInterpreter(const QString& name)
{
    static const QSet<QString> interpreters{
        QStringLiteral("env"),  QStringLiteral("sh"),     QStringLiteral("bash"), QStringLiteral("dash"),
        QStringLiteral("zsh"),  QStringLiteral("ksh"),    QStringLiteral("python"), QStringLiteral("perl"),
        QStringLiteral("ruby"), QStringLiteral("node"),   QStringLiteral("nodejs"), QStringLiteral("gjs"),
        QStringLiteral("java"), QStringLiteral("mono"),   QStringLiteral("electron"),
    };
    qsizetype end = name.size();
    while (end > 0 && (name[end - 1].isDigit() || name[end - 1] == u'.'))
        --end;
    return interpreters.contains(name.left(end));
}

// The program an argument list runs, looking through interpreters to the script or program they
// are given (the first argument that is neither an option nor a VAR=value). Empty for a bare
// interpreter.
QString programOf(const QStringList& arguments)
{
    for (const QString& argument : arguments) {
        if (argument.isEmpty() || argument.startsWith(u'-') || argument.contains(u'='))
            continue;
        if (!isInterpreter(fileName(argument)))
            return argument;
    }
    return {};
}

void addFirst(QHash<QString, QString>& index, const QString& key, const QString& id)
{
    if (!key.isEmpty() && !index.contains(key))
        index.insert(key, id);
}

// Keys claimed by two different entries are kept, emptied, so that they match neither.
void addUnique(QHash<QString, QString>& index, const QString& key, const QString& id)
{
    if (key.isEmpty())
        return;
    const auto it = index.constFind(key);
    if (it == index.constEnd())
        index.insert(key, id);
    else if (*it != id)
        index.insert(key, QString());
}

std::optional<QString> found(const QHash<QString, QString>& index, const QString& key)
{
    const QString id = key.isEmpty() ? QString() : index.value(key);
    return id.isEmpty() ? std::nullopt : std::optional(id);
}

QString unmatchedId(const WindowIdentity& window)
{
    const std::array names{window.wmClass, window.wmInstance, fileName(programOf({window.executablePath})),
                           fileName(programOf(window.commandLine))};
    for (const QString& name : names)
        if (!name.isEmpty())
            return QStringLiteral("wmclass:") + name;
    return QStringLiteral("wmclass:");
}

} // namespace

AppMatcher::AppMatcher(const QList<AppCandidate>& candidates)
{
    for (const AppCandidate& candidate : candidates) {
        const QString& id = candidate.desktopId;
        if (id.isEmpty() || m_ids.contains(id))
            continue;
        m_ids.insert(id);
        addFirst(m_lowerIds, lowered(id), id);
        if (const qsizetype dot = id.lastIndexOf(u'.'); dot >= 0)
            addUnique(m_idTails, lowered(id.mid(dot + 1)), id);
        addFirst(m_startupWmClasses, candidate.startupWmClass.toLower(), id);
        indexProgram(programOf({candidate.tryExec}), id);
        indexProgram(programOf(candidate.exec), id);
    }
}

void AppMatcher::indexProgram(const QString& program, const QString& id)
{
    if (program.startsWith(u'/'))
        addUnique(m_programPaths, program, id);
    addUnique(m_programNames, fileName(program), id);
}

QString AppMatcher::match(const WindowIdentity& window) const
{
    using Step = std::optional<QString> (AppMatcher::*)(const WindowIdentity&) const;
    static constexpr Step steps[] = {&AppMatcher::byTransientParent, &AppMatcher::byProperties,
                                     &AppMatcher::bySandbox,         &AppMatcher::byStartupWmClass,
                                     &AppMatcher::byDesktopId,       &AppMatcher::byProgram,
                                     &AppMatcher::byGroupLeader};
    for (Step step : steps)
        if (std::optional<QString> id = (this->*step)(window))
            return *id;
    return unmatchedId(window);
}

std::optional<QString> AppMatcher::installed(const QString& id) const
{
    if (m_ids.contains(id))
        return id;
    return found(m_lowerIds, lowered(id));
}

// A dialog belongs with its parent even when the parent matched nothing installed.
std::optional<QString> AppMatcher::byTransientParent(const WindowIdentity& window) const
{
    const QString& parent = window.transientParentApp.value_or(QString());
    return parent.isEmpty() ? std::nullopt : std::optional(parent);
}

std::optional<QString> AppMatcher::byProperties(const WindowIdentity& window) const
{
    for (const QString& hint : {window.kdeDesktopFile, window.bamfDesktopFile, window.gtkApplicationId})
        if (std::optional<QString> id = installed(desktopIdFromHint(hint)))
            return id;
    return std::nullopt;
}

std::optional<QString> AppMatcher::bySandbox(const WindowIdentity& window) const
{
    if (std::optional<QString> id = installed(window.flatpakAppId))
        return id;
    if (std::optional<QString> id = installed(desktopIdFromHint(window.snapDesktopHint)))
        return id;
    // Integrated AppImages get an entry whose Exec is the .AppImage file itself.
    return found(m_programPaths, window.appImagePath);
}

std::optional<QString> AppMatcher::byStartupWmClass(const WindowIdentity& window) const
{
    if (std::optional<QString> id = found(m_startupWmClasses, window.wmInstance.toLower()))
        return id;
    return found(m_startupWmClasses, window.wmClass.toLower());
}

std::optional<QString> AppMatcher::byDesktopId(const WindowIdentity& window) const
{
    for (const QString& name : {window.wmInstance, window.wmClass}) {
        if (std::optional<QString> id = installed(name))
            return id;
        if (std::optional<QString> id = found(m_idTails, lowered(name)))
            return id;
    }
    return std::nullopt;
}

// Full paths first: they tell apart programs that share a file name (every Electron app.asar).
std::optional<QString> AppMatcher::byProgram(const WindowIdentity& window) const
{
    const std::array programs{programOf({window.executablePath}), programOf(window.commandLine)};
    for (const QString& program : programs)
        if (std::optional<QString> id = found(m_programPaths, program))
            return id;
    for (const QString& program : programs)
        if (std::optional<QString> id = found(m_programNames, fileName(program)))
            return id;
    return std::nullopt;
}

// The leader is weaker evidence than the window's own WM_CLASS, so an unmatched leader adds nothing.
std::optional<QString> AppMatcher::byGroupLeader(const WindowIdentity& window) const
{
    const QString& leader = window.groupLeaderApp.value_or(QString());
    return m_ids.contains(leader) ? std::optional(leader) : std::nullopt;
}
