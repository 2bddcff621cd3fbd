#include "FlyoutBinding.h"

#include "FlyoutController.h"

#include <QEvent>
#include <QWidget>

FlyoutBinding::FlyoutBinding(QWidget* anchor, FlyoutEnvironment environment, FlyoutOptions options,
                             ContentFactory content)
    : QObject(anchor),
      m_anchor(anchor),
      m_environment(std::move(environment)),
      m_options(options),
      m_content(std::move(content)),
      m_controller(std::make_unique<FlyoutController>())
{
    m_controller->setOnDismiss([this] {
        m_presented = false;
        emit presentedChanged(false);
    });
    // A flyout asked for while the anchor was off screen appears once the anchor does.
    if (anchor)
        anchor->installEventFilter(this);
}

FlyoutBinding::~FlyoutBinding() = default;

void FlyoutBinding::setPresented(bool presented)
{
    if (presented == m_presented)
        return;
    m_presented = presented;
    sync();
    emit presentedChanged(presented);
}

void FlyoutBinding::setEnvironment(const FlyoutEnvironment& environment)
{
    m_environment = environment;
    sync();
}

bool FlyoutBinding::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_anchor && event->type() == QEvent::Show)
        sync();
    return false;
}

void FlyoutBinding::sync()
{
    if (m_presented && m_controller->isShown())
        m_controller->update(m_environment.style);
    else if (m_presented && m_anchor && m_content)
        m_controller->show(m_content(), m_anchor, m_environment, m_options);
    else if (!m_presented)
        m_controller->close();
}
