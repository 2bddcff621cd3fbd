#include "OverflowRow.h"

#include "ui/views/common/HoverHighlight.h"
#include "ui/views/common/SymbolIcons.h"
#include "ui/windows/PanelPalette.h"

#include <QContextMenuEvent>
#include <QPainter>

namespace {

constexpr int iconSide = 24;
constexpr int spacing = 8;
constexpr QMargins padding(6, 4, 6, 4);

} // namespace

OverflowRow::OverflowRow(const TaskbarItem& item, const AppIconView::IconRequest& requestIcon, QWidget* parent)
    : QAbstractButton(parent), m_item(item)
{
    setFocusPolicy(Qt::NoFocus);
    new HoverHighlight(this);
    if (requestIcon) {
        requestIcon(m_item, iconSide * 2, this, [this](const QImage& icon) {
            m_icon = icon;
            update();
        });
    }
}

QSize OverflowRow::sizeHint() const
{
    return {padding.left() + iconSide + spacing + fontMetrics().horizontalAdvance(m_item.name) + padding.right(),
            padding.top() + std::max(iconSide, fontMetrics().height()) + padding.bottom()};
}

void OverflowRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    const QRect content = rect().marginsRemoved(padding);
    const QRect iconRect(content.left(), content.center().y() - iconSide / 2 + 1, iconSide, iconSide);
    if (!m_icon.isNull()) {
        const QSize fitted = m_icon.size().scaled(iconRect.size(), Qt::KeepAspectRatio);
        painter.drawImage(QRect(QPoint(0, 0), fitted).translated(iconRect.center() - QRect(QPoint(0, 0), fitted).center()),
                          m_icon);
    } else {
        painter.drawPixmap(iconRect, SymbolIcons::pixmap(QStringLiteral("app.dashed"), iconRect.size(), secondaryText(palette()),
                                                         devicePixelRatioF()));
    }
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect textRect(iconRect.right() + 1 + spacing, content.top(), content.right() - iconRect.right() - spacing,
                         content.height());
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
                     fontMetrics().elidedText(m_item.name, Qt::ElideRight, textRect.width()));
}

void OverflowRow::contextMenuEvent(QContextMenuEvent* event)
{
    emit menuRequested(m_item, event->globalPos());
}
