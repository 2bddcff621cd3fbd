#include "SeeThroughScrollArea.h"

#include <QScrollArea>

void setSeeThroughContent(QScrollArea& area, QWidget* content)
{
    area.setFrameShape(QFrame::NoFrame);
    area.viewport()->setAutoFillBackground(false);
    area.setWidget(content);
    // Only after setWidget, which turns the content's background filling on.
    if (content)
        content->setAutoFillBackground(false);
}
