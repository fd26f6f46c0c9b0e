#pragma once
// A real serial device server for the tests: the system's ser2net in the
// foreground with a configuration of the test's own, listening on
// 127.0.0.1. Without ser2net on the machine the tests that need it skip.
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>

namespace pbtest {

class Ser2net {
public:
    static QString Program()
    {
        return QStandardPaths::findExecutable(QStringLiteral("ser2net"),
                                              {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin"),
                                               QStringLiteral("/usr/bin")});
    }

    // A port nobody listens on now.
    static quint16 FreePort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }

    // One connection from 127.0.0.1:port to the device: raw, or Telnet with
    // the com port option; `line` as ser2net writes it ("9600e71").
    static QString Connection(quint16 port, bool rfc2217, const QString& device, const QString& line)
    {
        return QStringLiteral("connection: &port%1\n"
                              "    accepter: %2tcp,127.0.0.1,%1\n"
                              "    enable: on\n"
                              "    options:\n"
                              "      kickolduser: true\n"
                              "    connector: serialdev,%3,%4,local\n")
            .arg(port)
            .arg(rfc2217 ? QStringLiteral("telnet(rfc2217),") : QString(), device, line);
    }

    ~Ser2net() { stop(); }

    // Started and listening on `port`; false with ser2net's words when not.
    bool start(const QString& connections, quint16 port, QString& error)
    {
        config_ = QDir(folder_.path()).filePath(QStringLiteral("ser2net.yaml"));
        QFile file(config_);
        if (!file.open(QIODevice::WriteOnly)) {
            error = file.errorString();
            return false;
        }
        file.write("%YAML 1.1\n---\n" + connections.toUtf8());
        file.close();
        port_ = port;
        return restart(error);
    }

    // The same configuration again after stop().
    bool restart(QString& error)
    {
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(Program(), {QStringLiteral("-n"), QStringLiteral("-u"), QStringLiteral("-P"),
                                   QDir(folder_.path()).filePath(QStringLiteral("ser2net.pid")),
                                   QStringLiteral("-c"), config_});
        if (!process_.waitForStarted()) {
            error = process_.errorString();
            return false;
        }
        const QDeadlineTimer deadline(kStartWaitMs);
        while (!listening(port_)) {
            if (deadline.hasExpired() || process_.state() != QProcess::Running) {
                error = QString::fromLocal8Bit(process_.readAll());
                return false;
            }
            QThread::msleep(10);
        }
        return true;
    }

    void stop()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(kStartWaitMs))
            process_.kill();
        process_.waitForFinished();
    }

private:
    static constexpr int kStartWaitMs = 5000;

    // Listening, as the system's table of TCP sockets says: asking by
    // connecting would open the device behind it.
    static bool listening(quint16 port)
    {
        QFile table(QStringLiteral("/proc/net/tcp"));
        if (!table.open(QIODevice::ReadOnly))
            return false;
        const QByteArray local = QByteArray("0100007F:") + QByteArray::number(port, 16).toUpper().rightJustified(4, '0');
        for (const QByteArray& line : table.readAll().split('\n')) {
            const QList<QByteArray> fields = line.simplified().split(' ');
            if (fields.size() > 3 && fields[1] == local && fields[3] == "0A")
                return true;
        }
        return false;
    }

    QTemporaryDir folder_;
    QString config_;
    quint16 port_ = 0;
    QProcess process_;
};

} // namespace pbtest
