#include "FlyoutPanel.h"

#include "core/models/FlyoutStyle.h"
#include "core/models/PanelAppearance.h"
#include "ui/views/common/PreferredSize.h"
#include "ui/windows/BarBackdrop.h"
#include "ui/windows/PanelPalette.h"

#include <QEvent>

namespace {

Qt::WindowFlags panelFlags(bool takesKey)
{
    Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                            | Qt::NoDropShadowWindowHint;
    if (!takesKey)
        flags |= Qt::WindowDoesNotAcceptFocus;
    return flags;
}

} // namespace

FlyoutPanel::FlyoutPanel(bool takesKey, bool translucent)
    : QWidget(nullptr, panelFlags(takesKey)), m_takesKey(takesKey), m_backdrop(new BarBackdrop(translucent, this))
{
    setAttribute(Qt::WA_TranslucentBackground, translucent);
    setAttribute(Qt::WA_ShowWithoutActivating, !takesKey);
    setAttribute(Qt::WA_X11DoNotAcceptFocus, !takesKey);
    setWindowTitle(QStringLiteral("Pellux"));
}

void FlyoutPanel::setContent(QWidget* content)
{
    if (m_content == content)
        return;
    if (m_content)
        m_content->deleteLater();
    m_content = content;
    if (!content)
        return;
    content->setParent(this);
    content->setGeometry(rect());
    content->show();
    m_backdrop->lower();
}

QSize FlyoutPanel::contentSize() const
{
    return m_content ? preferredSize(*m_content) : QSize(0, 0);
}

void FlyoutPanel::applyStyle(const FlyoutStyle& style)
{
    setPalette(panelPalette(PanelAppearance::resolve(style.tintHex, style.theme)));
    m_backdrop->setTint(style.tintHex, style.isTransparent);
    m_backdrop->setOpacity(style.opacity);
    m_backdrop->setCornerRadius(style.cornerRadius());
}

bool FlyoutPanel::event(QEvent* event)
{
    // Posted here when the content, a child without a layout around it, changes its size hint.
    if (event->type() == QEvent::LayoutRequest)
        emit contentLayoutRequested();
    return QWidget::event(event);
}

void FlyoutPanel::resizeEvent(QResizeEvent* event)
{
    m_backdrop->setGeometry(rect());
    if (m_content)
        m_content->setGeometry(rect());
    QWidget::resizeEvent(event);
}

void FlyoutPanel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        emit deactivated();
    QWidget::changeEvent(event);
}
