#include "FlyoutScrollView.h"

#include "ui/views/common/PreferredSize.h"
#include "ui/views/common/SeeThroughScrollArea.h"

#include <QEvent>
#include <QScrollBar>

#include <algorithm>

FlyoutScrollView::FlyoutScrollView(int maxHeight, QWidget* content, QWidget* parent)
    : QScrollArea(parent), m_maxHeight(std::max(1, maxHeight))
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidgetResizable(true);
    setSeeThroughContent(*this, content);
    // The content's size hint changes arrive as layout requests on the viewport, its parent.
    viewport()->installEventFilter(this);
}

QSize FlyoutScrollView::sizeHint() const
{
    const QSize content = contentHint();
    const bool scrolls = content.height() > m_maxHeight;
    const int barWidth = scrolls ? verticalScrollBar()->sizeHint().width() : 0;
    return {content.width() + barWidth, std::clamp(content.height(), 1, m_maxHeight)};
}

bool FlyoutScrollView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == viewport() && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}

QSize FlyoutScrollView::contentHint() const
{
    const QWidget* content = widget();
    return content ? preferredSize(*content) : QSize(0, 0);
}
