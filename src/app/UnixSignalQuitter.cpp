#include "UnixSignalQuitter.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

int UnixSignalQuitter::s_pipe[2] = {-1, -1};

UnixSignalQuitter::UnixSignalQuitter(QObject* parent) : QObject(parent)
{
    if (::pipe2(s_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(s_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [] {
        char byte;
        while (::read(s_pipe[0], &byte, 1) > 0) {
        }
        QCoreApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = &UnixSignalQuitter::handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void UnixSignalQuitter::handle(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(s_pipe[1], &byte, 1);
}
