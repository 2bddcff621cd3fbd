#pragma once

#include <QWidget>

// The tinted layer behind the bar's content. Without a compositing manager nothing behind the
// window shows through, so the fill is laid over the panel colour instead of over nothing.
class BarBackdrop : public QWidget {
    Q_OBJECT
public:
    explicit BarBackdrop(bool translucentWindow, QWidget* parent = nullptr);

    void setTint(const QString& tintHex, bool transparent);
    void setOpacity(double opacity);
    QColor fill() const;
    double opacity() const { return m_opacity; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_translucentWindow;
    QString m_tintHex;
    bool m_transparent = true;
    double m_opacity = 1.0;
};
