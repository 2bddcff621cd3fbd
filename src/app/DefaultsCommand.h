#pragma once

#include <QStringList>
#include <QVariant>

#include <cstdio>
#include <optional>

class UserDefaults;

// `pellux defaults read [KEY] | write KEY -bool|-float|-string|-array VALUE... | delete KEY`.
// Returns the exit status: 0 done, 1 failed, 2 bad arguments.
int runDefaultsCommand(const QStringList& args, UserDefaults& defaults, FILE* out, FILE* err);

// A value given as `-bool|-float|-string|-array VALUE...`; nothing, with `problem` set, when the
// values do not fit the kind.
std::optional<QVariant> parseDefaultsValue(const QString& kind, const QStringList& values, QString& problem);
