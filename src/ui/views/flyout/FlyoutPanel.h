#pragma once

#include <QPointer>
#include <QWidget>

class BarBackdrop;
struct FlyoutStyle;

// The borderless window of one flyout: a backdrop and the caller's content, both filling it.
// Whether it takes keyboard focus is fixed when it is made.
class FlyoutPanel : public QWidget {
    Q_OBJECT
public:
    FlyoutPanel(bool takesKey, bool translucent);

    bool takesKey() const { return m_takesKey; }
    // The panel owns the content from now on.
    void setContent(QWidget* content);
    QWidget* content() const { return m_content; }
    BarBackdrop* backdrop() const { return m_backdrop; }
    // The size the content asks for; (0, 0) when it asks for none.
    QSize contentSize() const;
    void applyStyle(const FlyoutStyle& style);

signals:
    // The content's preferred size may have changed.
    void contentLayoutRequested();
    void deactivated();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool m_takesKey;
    BarBackdrop* m_backdrop;
    QPointer<QWidget> m_content;
};
