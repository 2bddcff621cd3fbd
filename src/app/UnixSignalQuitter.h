#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a normal application quit, so shutdown steps still run.
class UnixSignalQuitter : public QObject {
    Q_OBJECT
public:
    explicit UnixSignalQuitter(QObject* parent = nullptr);

private:
    static void handle(int signal);
    static int s_pipe[2];
    QSocketNotifier* m_notifier = nullptr;
};
