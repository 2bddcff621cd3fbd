#include "SymbolIcons.h"

#include <QFile>
#include <QHash>
#include <QIcon>
#include <QPainter>

// Resources in a static library are registered by hand.
static void registerSymbolResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(symbols);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace SymbolIcons {

QString themeName(const QString& symbol)
{
    static const QHash<QString, QString> names{
        {QStringLiteral("square.grid.2x2"), QStringLiteral("view-app-grid-symbolic")},
        {QStringLiteral("chevron.up"), QStringLiteral("pan-up-symbolic")},
        {QStringLiteral("chevron.down"), QStringLiteral("pan-down-symbolic")},
        {QStringLiteral("chevron.left"), QStringLiteral("pan-start-symbolic")},
        {QStringLiteral("chevron.right"), QStringLiteral("pan-end-symbolic")},
        {QStringLiteral("exclamationmark.triangle.fill"), QStringLiteral("dialog-warning-symbolic")},
    };
    return names.value(symbol);
}

QPixmap pixmap(const QString& symbol, const QSize& size, const QColor& color, qreal devicePixelRatio)
{
    registerSymbolResources();
    const QSize pixels = size * devicePixelRatio;
    QIcon icon;
    if (const QString name = themeName(symbol); !name.isEmpty() && QIcon::hasThemeIcon(name))
        icon = QIcon::fromTheme(name);
    const QString bundled = QStringLiteral(":/symbols/%1.svg").arg(symbol);
    if (icon.isNull() && QFile::exists(bundled))
        icon = QIcon(bundled);
    if (icon.isNull())
        return {};
    QPixmap tinted = icon.pixmap(pixels);
    if (tinted.size() != pixels)
        tinted = tinted.scaled(pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&tinted);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(tinted.rect(), color);
    painter.end();
    tinted.setDevicePixelRatio(devicePixelRatio);
    return tinted;
}

} // namespace SymbolIcons
