#pragma once

#include "core/models/AppCandidate.h"
#include "core/models/WindowIdentity.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <optional>

// Finds the installed application a window belongs to. Built once per set of installed entries
// (a few thousand), so that each new window costs a handful of hash lookups.
//
// The evidence is tried from strongest to weakest: (1) the transient-for parent's application,
// taken as it is so that a dialog always joins its parent; then, each counting only when it names
// an installed entry, (2) the desktop-file and application-id properties, (3) the flatpak, snap or AppImage identity, (4) StartupWMClass against the WM_CLASS
// instance, then class, (5) the desktop id against instance, then class, (6) the running program
// against TryExec and Exec, (7) the group leader's application.
class AppMatcher {
public:
    // Candidates in precedence order: where two entries claim the same StartupWMClass or
    // lower-cased id, the earlier one wins. A reverse-DNS last part or a program that different
    // entries share is too weak to choose between them and matches neither.
    explicit AppMatcher(const QList<AppCandidate>& candidates);

    // The matched desktop id; with no match "wmclass:" + the WM_CLASS class, else its instance,
    // else the running program's file name, else "wmclass:" alone.
    QString match(const WindowIdentity& window) const;

private:
    void indexProgram(const QString& program, const QString& id);
    std::optional<QString> installed(const QString& id) const;
    std::optional<QString> byTransientParent(const WindowIdentity& window) const;
    std::optional<QString> byProperties(const WindowIdentity& window) const;
    std::optional<QString> bySandbox(const WindowIdentity& window) const;
    std::optional<QString> byStartupWmClass(const WindowIdentity& window) const;
    std::optional<QString> byDesktopId(const WindowIdentity& window) const;
    std::optional<QString> byProgram(const WindowIdentity& window) const;
    std::optional<QString> byGroupLeader(const WindowIdentity& window) const;

    QSet<QString> m_ids;
    QHash<QString, QString> m_lowerIds;        // lower-cased, spaces as '-'
    QHash<QString, QString> m_idTails;         // last part of reverse-DNS ids; "" when shared
    QHash<QString, QString> m_startupWmClasses; // lower-cased
    QHash<QString, QString> m_programPaths;    // absolute paths; "" when shared
    QHash<QString, QString> m_programNames;    // file names; "" when shared
};
