#include "PreferredSize.h"

#include <QWidget>

QSize preferredSize(const QWidget& widget)
{
    return widget.sizeHint()
        .expandedTo(widget.minimumSizeHint())
        .expandedTo(widget.minimumSize())
        .boundedTo(widget.maximumSize())
        .expandedTo(QSize(0, 0));
}
