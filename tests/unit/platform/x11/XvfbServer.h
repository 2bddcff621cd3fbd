#pragma once

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <xcb/xcb.h>

// A private X server for a whole suite: started once, ended by its pid. No connection when Xvfb is
// missing or does not start, and the suite skips.
class XvfbServer {
public:
    XvfbServer()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
            return;
        // -displayfd 1: the server writes its display number to our pipe, so parallel runs never clash.
        m_process.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", "1600x1000x24", "-nolisten", "tcp"});
        if (!m_process.waitForStarted(5'000))
            return;
        while (!m_process.canReadLine() && m_process.waitForReadyRead(10'000)) {
        }
        const QByteArray number = m_process.readLine().trimmed();
        if (number.isEmpty())
            return;
        m_display = ":" + number;
        m_connection = xcb_connect(m_display.constData(), nullptr);
    }
    ~XvfbServer()
    {
        if (m_connection)
            xcb_disconnect(m_connection);
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            m_process.waitForFinished(5'000);
        }
    }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    xcb_connection_t* connection() const
    {
        return m_connection && !xcb_connection_has_error(m_connection) ? m_connection : nullptr;
    }

    QString display() const { return QString::fromLatin1(m_display); }

private:
    QProcess m_process;
    QByteArray m_display;
    xcb_connection_t* m_connection = nullptr;
};

// A suite on its own private X server; each test skips where none could start.
class XvfbTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_server = new XvfbServer; }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }

    void SetUp() override
    {
        if (!s_server || !s_server->connection())
            GTEST_SKIP() << "Xvfb is not installed or did not start";
        c = s_server->connection();
    }

    static QString display() { return s_server ? s_server->display() : QString(); }

    xcb_connection_t* c = nullptr;

private:
    static inline XvfbServer* s_server = nullptr;
};
