#include "XdgIconLoader.h"

#include "IconRenderer.h"

std::optional<QByteArray> XdgIconLoader::loadIcon(const QString& iconFile) const
{
    return IconRenderer::pngData(IconRenderer::render(iconFile));
}
