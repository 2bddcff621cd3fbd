#pragma once

#include "core/ports/IconLoading.h"

// Renders icon files with IconRenderer.
class XdgIconLoader : public IconLoading {
public:
    std::optional<QByteArray> loadIcon(const QString& iconFile) const override;
};
