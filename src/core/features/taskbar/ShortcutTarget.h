#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// What a user shortcut's target text opens: an address such as "https://example.org", an absolute
// path, or a path in the home folder ("~/notes.txt"). Anything else opens nothing: a relative path
// would depend on the folder the taskbar happened to start in.
namespace ShortcutTarget {
std::optional<QUrl> url(const QString& target);
} // namespace ShortcutTarget
