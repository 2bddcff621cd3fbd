#pragma once

#include <QDBusVariant>
#include <QObject>
#include <QPointer>

class AppDelegate;

// Pellux's control interface on the session bus, for the `pellux` command and users' scripts.
class ControlInterface : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "app.pellux.Pellux")
public:
    static constexpr char serviceName[] = "app.pellux.Pellux";
    static constexpr char objectPath[] = "/app/pellux/Pellux";

    explicit ControlInterface(AppDelegate* delegate, QObject* parent = nullptr);

public slots:
    QString State() const;
    // Changes a setting while Pellux runs, given in its stored form; false for an unknown key.
    bool SetPreference(const QString& key, const QDBusVariant& value);
    // The windows of the application that owns `pid`, as JSON: id, title, state, frame.
    QString Windows(int pid) const;
    // Shows the desktop, or brings back what showing it minimized.
    void ShowDesktop();
    void Quit();
    void Restart();

private:
    QPointer<AppDelegate> m_delegate;
};
