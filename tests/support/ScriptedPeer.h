// A scripted server for the link tests: a TCP server on 127.0.0.1 that plays a list of
// steps against the client that connects to it — wait for a line, send lines, close, wait
// for the client to close — and records every line it receives. Everything runs from the Qt
// event loop: the test builds the script, starts the client, then spins the loop
// (waitDone, QTest::qWaitFor) with a bounded wait.
//
// One client is served at a time. Steps that talk to the client wait for a connection when
// there is none, so a script can go on across a close and the client's reconnection. An
// expect step skips the lines that do not match it (they stay in received()); its timeout
// runs from the moment a client is connected and the step is current.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

class QTcpServer;
class QTcpSocket;

namespace zaz::test {

class ScriptedPeer : public QObject {
public:
    static constexpr int kDefaultTimeoutMs = 1000;

    ScriptedPeer();
    ~ScriptedPeer() override;

    // Listens on 127.0.0.1 on any free port. False when it cannot.
    bool listen();
    quint16 port() const { return port_; }

    // Script steps, played in the order they are added.
    // Waits for a received line starting with prefix.
    ScriptedPeer &expect(const QString &prefix, int timeoutMs = kDefaultTimeoutMs);
    // Writes each line followed by CR LF (Windows-1252), all in one write.
    ScriptedPeer &send(const QStringList &lines);
    // Closes the connection from the server's side, after what was sent is written.
    ScriptedPeer &close();
    // Waits until the client closes the connection.
    ScriptedPeer &expectClientClose(int timeoutMs = kDefaultTimeoutMs);

    // Every line received, in order, without its end of line, over all connections.
    const QStringList &received() const { return received_; }
    // Every byte received, over all connections.
    const QByteArray &rawReceived() const { return raw_; }
    int connectionCount() const { return connections_; }
    // Why the script stopped: the step that timed out.
    QString failure() const { return failure_; }
    // Spins the event loop until every step has been played (true) or one failed, or ms pass.
    bool waitDone(int ms = 1500);

private:
    struct Step {
        enum Kind { Expect, Send, Close, ClientClose } kind;
        QString text; // the prefix expected, or what the step waits for
        QByteArray bytes;
        int timeoutMs = 0;
    };

    ScriptedPeer &add(Step step);
    bool done() const { return step_ >= steps_.size() && !failed_; }
    void takeClient();
    void clientReadable();
    void clientGone(QTcpSocket *socket);
    void advance();
    void stepTimedOut();

    QTcpServer *server_;
    QTcpSocket *client_ = nullptr;
    quint16 port_ = 0;
    QList<Step> steps_;
    qsizetype step_ = 0;
    bool stepStarted_ = false; // the current step's timer runs
    bool advancing_ = false;
    bool failed_ = false;
    QString failure_;
    QTimer stepTimer_;
    int connections_ = 0;
    QStringList received_;
    QStringList unread_;       // received lines the script has not looked at yet
    QByteArray raw_;
    QByteArray partial_;       // text after the last CR of the current connection
    bool skipLineFeed_ = false;
};

} // namespace zaz::test
