#include "IconDirectory.h"

#include "IniFile.h"

#include <algorithm>
#include <cstdlib>

namespace {

IconDirectory::Type parseType(const QString& text)
{
    if (text == u"Fixed")
        return IconDirectory::Type::Fixed;
    if (text == u"Scalable")
        return IconDirectory::Type::Scalable;
    return IconDirectory::Type::Threshold;
}

} // namespace

std::optional<IconDirectory> IconDirectory::fromIndex(const IniFile& index, const QString& path)
{
    const std::optional<int> size = index.integer(path, QStringLiteral("Size"));
    if (!size || *size <= 0)
        return std::nullopt;
    IconDirectory directory;
    directory.path = path;
    directory.size = *size;
    directory.scale = std::max(1, index.integer(path, QStringLiteral("Scale")).value_or(1));
    directory.minSize = index.integer(path, QStringLiteral("MinSize")).value_or(*size);
    directory.maxSize = index.integer(path, QStringLiteral("MaxSize")).value_or(*size);
    directory.threshold = index.integer(path, QStringLiteral("Threshold")).value_or(2);
    directory.type = parseType(index.value(path, QStringLiteral("Type")));
    return directory;
}

bool IconDirectory::matchesSize(int iconSize, int iconScale) const
{
    if (scale != iconScale)
        return false;
    switch (type) {
    case Type::Fixed:
        return size == iconSize;
    case Type::Scalable:
        return minSize <= iconSize && iconSize <= maxSize;
    case Type::Threshold:
        return size - threshold <= iconSize && iconSize <= size + threshold;
    }
    return false;
}

int IconDirectory::sizeDistance(int iconSize, int iconScale) const
{
    const int wanted = iconSize * iconScale;
    switch (type) {
    case Type::Fixed:
        return std::abs(size * scale - wanted);
    case Type::Scalable:
        if (wanted < minSize * scale)
            return minSize * scale - wanted;
        if (wanted > maxSize * scale)
            return wanted - maxSize * scale;
        return 0;
    case Type::Threshold:
        // The Icon Theme Specification measures from MinSize and MaxSize here; abs() keeps a theme that sets
        // them oddly from producing a negative distance that beats every other directory.
        if (wanted < (size - threshold) * scale)
            return std::abs(minSize * scale - wanted);
        if (wanted > (size + threshold) * scale)
            return std::abs(wanted - maxSize * scale);
        return 0;
    }
    return 0;
}
