#include "PelluxWindow.h"

PelluxWindow::PelluxWindow(bool translucent)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                           | Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    setAttribute(Qt::WA_TranslucentBackground, translucent);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(QStringLiteral("Pellux"));
}

void PelluxWindow::lockSize(const QSize& size)
{
    setFixedSize(size);
}
