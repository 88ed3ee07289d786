// A scripted server for the link tests: a TCP server on 127.0.0.1 that plays a list of
// steps against the client that connects to it — wait for a line, send lines, close — and
// records every line it receives. Everything runs from the Qt event loop: the test builds
// the script, starts the client, then spins the loop (QTest::qWaitFor, WaitDone) with a
// bounded wait.
//
// One client is served at a time. Steps that talk to the client wait for a connection
// when there is none, so a script can go on across a close and the client's reconnection.
// An Expect step skips the lines that do not match it (they stay in received()); its
// timeout runs from the moment a client is connected and the step is current.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <initializer_list>

class QTcpServer;
class QTcpSocket;

namespace zaz::test {

class ScriptedPeer : public QObject {
    Q_OBJECT
public:
    using Predicate = std::function<bool(const QString &line)>;
    static constexpr int kDefaultTimeoutMs = 1000;

    explicit ScriptedPeer(QObject *parent = nullptr);
    ~ScriptedPeer() override;

    // Listens on 127.0.0.1, on the given port or any free one (0). False when it cannot.
    bool listen(quint16 port = 0);
    // Stops accepting new clients; the current one stays.
    void stopListening();
    quint16 port() const { return port_; }

    // A port on 127.0.0.1 where nothing listens (it was free a moment ago).
    static quint16 unusedPort();

    // Script steps, played in the order they are added.
    // Waits for a received line starting with prefix.
    ScriptedPeer &expect(const QString &prefix, int timeoutMs = kDefaultTimeoutMs);
    // Waits for a received line the predicate accepts; description names it in failures.
    ScriptedPeer &expect(Predicate predicate, const QString &description, int timeoutMs = kDefaultTimeoutMs);
    // Writes each line followed by CR LF (Windows-1252), all in one write.
    ScriptedPeer &send(std::initializer_list<QString> lines);
    ScriptedPeer &send(const QStringList &lines);
    // Writes the bytes as they are (one socket write: a piece of a line, a lone CR...).
    ScriptedPeer &sendRaw(const QByteArray &bytes);
    // Closes the connection from the server's side, after what was sent is written.
    ScriptedPeer &close();
    // Waits until the client closes the connection.
    ScriptedPeer &expectClientClose(int timeoutMs = kDefaultTimeoutMs);
    // Pauses the script.
    ScriptedPeer &wait(int ms);

    // Every line received, in order, without its end of line, over all connections.
    const QStringList &received() const { return received_; }
    // The received lines starting with prefix.
    QStringList receivedStartingWith(const QString &prefix) const;
    // Every byte received, over all connections.
    const QByteArray &rawReceived() const { return raw_; }

    int connectionCount() const { return connections_; }
    bool clientConnected() const { return client_ != nullptr; }
    // Every step has been played.
    bool done() const { return step_ >= steps_.size() && !failed_; }
    bool failed() const { return failed_; }
    // Why the script stopped: the step that timed out.
    QString failure() const { return failure_; }
    int stepsPlayed() const { return step_; }
    // Spins the event loop until the script ends (done or failed) or ms pass; true when done.
    bool waitDone(int ms = 1500);

signals:
    void lineReceived(const QString &line);
    void clientArrived();
    void clientLeft();
    void finished(bool ok);

private:
    struct Step {
        enum Kind { Expect, Send, Close, ClientClose, Wait } kind;
        Predicate predicate;
        QString description;
        QByteArray bytes;
        int timeoutMs = 0;
    };

    ScriptedPeer &add(Step step);
    void takeClient();
    void clientReadable();
    void clientGone(QTcpSocket *socket);
    void advance();
    void stepTimedOut();
    void fail(const QString &why);

    QTcpServer *server_;
    QTcpSocket *client_ = nullptr;
    quint16 port_ = 0;
    QList<Step> steps_;
    qsizetype step_ = 0;
    bool stepStarted_ = false;  // the current step's timer runs
    bool advancing_ = false;
    bool failed_ = false;
    QString failure_;
    QTimer stepTimer_;
    int connections_ = 0;
    QStringList received_;
    QStringList unread_;        // received lines the script has not looked at yet
    QByteArray raw_;
    QByteArray partial_;        // text after the last CR of the current connection
    bool skipLineFeed_ = false;
};

} // namespace zaz::test
