#pragma once

#include <QSize>

class QWidget;

// The size a layout would give a widget: its size hint within its minimum and maximum sizes,
// never negative (a widget without a hint asks for nothing).
QSize preferredSize(const QWidget& widget);
