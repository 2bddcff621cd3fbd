#pragma once

class QScrollArea;
class QWidget;

// Puts `content` in `area` so that neither paints a background of its own and the flyout's
// backdrop, translucent under a compositing manager, shows through evenly.
void setSeeThroughContent(QScrollArea& area, QWidget* content);
