#pragma once

#include <QWidget>

// The tinted layer behind a panel's content (the bar, a flyout). Without a compositing manager
// nothing behind the window shows through, so the fill is laid over the panel colour instead of
// over nothing, and rounded corners show that colour.
class BarBackdrop : public QWidget {
    Q_OBJECT
public:
    explicit BarBackdrop(bool translucentWindow, QWidget* parent = nullptr);

    void setTint(const QString& tintHex, bool transparent);
    void setOpacity(double opacity);
    void setCornerRadius(double radius);
    QColor fill() const;
    double opacity() const { return m_opacity; }
    double cornerRadius() const { return m_cornerRadius; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_translucentWindow;
    QString m_tintHex;
    bool m_transparent = true;
    double m_opacity = 1.0;
    double m_cornerRadius = 0.0;
};
