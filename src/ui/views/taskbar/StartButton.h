#pragma once

#include "BarEnvironment.h"

#include <QAbstractButton>
#include <QMargins>
#include <QVariantAnimation>

// The button that opens the Start menu: a grid symbol and an optional label, spanning the bar's
// thickness, with a soft hover highlight.
class StartButton : public QAbstractButton {
    Q_OBJECT
public:
    StartButton(const QString& label, const QMargins& contentInsets, const BarEnvironment& env,
                QWidget* parent = nullptr);

    void setLabel(const QString& label);
    void setEnvironment(const BarEnvironment& env, const QMargins& contentInsets);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void animateHover(double to);

    QString m_label;
    QMargins m_insets;
    BarEnvironment m_env;
    double m_hoverAmount = 0;
    QVariantAnimation m_hoverAnimation;
};
