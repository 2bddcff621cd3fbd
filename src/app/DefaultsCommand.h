#pragma once

#include <QStringList>

#include <cstdio>

class UserDefaults;

// `pellux defaults read [KEY] | write KEY -bool|-float|-string|-array VALUE... | delete KEY`.
// Returns the exit status: 0 done, 1 failed, 2 bad arguments.
int runDefaultsCommand(const QStringList& args, UserDefaults& defaults, FILE* out, FILE* err);
