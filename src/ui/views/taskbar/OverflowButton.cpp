#include "OverflowButton.h"

#include "OverflowRow.h"
#include "ui/views/common/HoverHighlight.h"
#include "ui/views/common/SymbolIcons.h"
#include "ui/views/flyout/FlyoutBinding.h"
#include "ui/views/flyout/FlyoutScrollView.h"

#include <QPainter>
#include <QVBoxLayout>

#include <cmath>

OverflowButton::OverflowButton(double size, const AppIconView::IconRequest& requestIcon,
                               const FlyoutEnvironment& environment, QWidget* parent)
    : QAbstractButton(parent), m_size(size), m_requestIcon(requestIcon)
{
    setToolTip(QStringLiteral("More apps"));
    setFocusPolicy(Qt::NoFocus);
    new HoverHighlight(this);
    m_binding = new FlyoutBinding(this, environment, FlyoutOptions{}, [this] { return makeList(); });
    connect(this, &QAbstractButton::clicked, this, [this] { m_binding->setPresented(!m_binding->isPresented()); });
}

void OverflowButton::setItems(const QList<TaskbarItem>& items)
{
    m_items = items;
}

void OverflowButton::setIconSize(double size, bool vertical)
{
    m_size = size;
    const int side = static_cast<int>(std::ceil(size));
    if (vertical)
        setFixedHeight(side);
    else
        setFixedWidth(side);
    update();
}

void OverflowButton::setEnvironment(const FlyoutEnvironment& environment)
{
    m_binding->setEnvironment(environment);
}

bool OverflowButton::isListShown() const
{
    return m_binding->isPresented();
}

QSize OverflowButton::sizeHint() const
{
    const int side = static_cast<int>(std::ceil(m_size));
    return {side, side};
}

void OverflowButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (isDown())
        painter.setOpacity(0.6);
    const int symbol = std::max(8, static_cast<int>(m_size * 0.45));
    const QRect area(rect().center().x() - symbol / 2 + 1, rect().center().y() - symbol / 2 + 1, symbol, symbol);
    painter.drawPixmap(area, SymbolIcons::pixmap(QStringLiteral("chevron.up"), area.size(),
                                                 palette().color(QPalette::WindowText), devicePixelRatioF()));
}

std::unique_ptr<QWidget> OverflowButton::makeList()
{
    auto* rows = new QWidget;
    auto* layout = new QVBoxLayout(rows);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(2);
    for (const TaskbarItem& item : std::as_const(m_items)) {
        auto* row = new OverflowRow(item, m_requestIcon);
        connect(row, &QAbstractButton::clicked, this, [this, item] {
            m_binding->setPresented(false);
            emit itemOpened(item);
        });
        connect(row, &OverflowRow::menuRequested, this, &OverflowButton::menuRequested);
        layout->addWidget(row);
    }
    rows->setFixedWidth(listWidth);
    auto list = std::make_unique<FlyoutScrollView>(listMaxHeight, rows);
    list->setFixedWidth(listWidth);
    m_list = list.get();
    return list;
}
