#pragma once

#include <QString>

#include <optional>

class IniFile;

// One subdirectory of an icon theme and the sizes it serves, as the freedesktop Icon Theme
// Specification describes them in index.theme.
struct IconDirectory {
    enum class Type { Fixed, Scalable, Threshold };

    QString path; // relative to the theme folder
    int size = 0;
    int scale = 1;
    int minSize = 0;
    int maxSize = 0;
    int threshold = 2;
    Type type = Type::Threshold;

    // Nothing when the directory has no group or no valid Size in the index.
    static std::optional<IconDirectory> fromIndex(const IniFile& index, const QString& path);

    bool matchesSize(int iconSize, int iconScale) const;
    // How far the directory's icons are from the wanted size, in device pixels.
    int sizeDistance(int iconSize, int iconScale) const;

    bool operator==(const IconDirectory&) const = default;
};
