#include "support/ScriptedPeer.h"

#include "core/Codec.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtCore/qtestsupport_core.h>

namespace zaz::test {

namespace {

// A client that never ends its line does not make the peer grow without bound.
constexpr qsizetype kMaxPartialLine = 1 << 20;

} // namespace

ScriptedPeer::ScriptedPeer(QObject *parent)
    : QObject(parent), server_(new QTcpServer(this))
{
    stepTimer_.setSingleShot(true);
    connect(&stepTimer_, &QTimer::timeout, this, &ScriptedPeer::stepTimedOut);
    connect(server_, &QTcpServer::newConnection, this, &ScriptedPeer::takeClient);
}

ScriptedPeer::~ScriptedPeer()
{
    // The sockets must not call back into a peer being destroyed.
    for (QTcpSocket *socket : server_->findChildren<QTcpSocket *>()) {
        socket->disconnect(this);
        socket->abort();
    }
    client_ = nullptr;
    delete server_;
    server_ = nullptr;
}

bool ScriptedPeer::listen(quint16 port)
{
    if (!server_->listen(QHostAddress::LocalHost, port))
        return false;
    port_ = server_->serverPort();
    return true;
}

void ScriptedPeer::stopListening()
{
    server_->close();
}

quint16 ScriptedPeer::unusedPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

ScriptedPeer &ScriptedPeer::add(Step step)
{
    steps_.append(std::move(step));
    advance();
    return *this;
}

ScriptedPeer &ScriptedPeer::expect(const QString &prefix, int timeoutMs)
{
    return expect([prefix](const QString &line) { return line.startsWith(prefix); },
                  QStringLiteral("a line starting with \"%1\"").arg(prefix), timeoutMs);
}

ScriptedPeer &ScriptedPeer::expect(Predicate predicate, const QString &description, int timeoutMs)
{
    Step step{Step::Expect, std::move(predicate), description, {}, timeoutMs};
    return add(std::move(step));
}

ScriptedPeer &ScriptedPeer::send(std::initializer_list<QString> lines)
{
    return send(QStringList(lines));
}

ScriptedPeer &ScriptedPeer::send(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += EncodeCp1252(line) + "\r\n";
    return sendRaw(bytes);
}

ScriptedPeer &ScriptedPeer::sendRaw(const QByteArray &bytes)
{
    Step step{Step::Send, {}, QStringLiteral("send"), bytes, 0};
    return add(std::move(step));
}

ScriptedPeer &ScriptedPeer::close()
{
    Step step{Step::Close, {}, QStringLiteral("close"), {}, 0};
    return add(std::move(step));
}

ScriptedPeer &ScriptedPeer::expectClientClose(int timeoutMs)
{
    Step step{Step::ClientClose, {}, QStringLiteral("the client closing the connection"), {}, timeoutMs};
    return add(std::move(step));
}

ScriptedPeer &ScriptedPeer::wait(int ms)
{
    Step step{Step::Wait, {}, QStringLiteral("wait"), {}, ms};
    return add(std::move(step));
}

QStringList ScriptedPeer::receivedStartingWith(const QString &prefix) const
{
    QStringList lines;
    for (const QString &line : received_)
        if (line.startsWith(prefix))
            lines << line;
    return lines;
}

bool ScriptedPeer::waitDone(int ms)
{
    // The wait itself reports the outcome through done(); its own result adds nothing.
    (void)QTest::qWaitFor([this] { return done() || failed_; }, ms);
    return done();
}

void ScriptedPeer::takeClient()
{
    // One client at a time: others wait in the server's queue until this one leaves.
    if (client_ || !server_->hasPendingConnections())
        return;
    QTcpSocket *socket = server_->nextPendingConnection();
    if (!socket)
        return;
    client_ = socket;
    ++connections_;
    partial_.clear();
    skipLineFeed_ = false;
    connect(socket, &QTcpSocket::readyRead, this, &ScriptedPeer::clientReadable);
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] { clientGone(socket); });
    emit clientArrived();
    if (socket->bytesAvailable() > 0)
        clientReadable();
    advance();
}

void ScriptedPeer::clientReadable()
{
    if (!client_)
        return;
    const QByteArray bytes = client_->readAll();
    raw_ += bytes;
    qsizetype start = 0;
    if (skipLineFeed_ && !bytes.isEmpty() && bytes[0] == '\n')
        start = 1;
    skipLineFeed_ = false;
    while (start < bytes.size()) {
        const qsizetype cr = bytes.indexOf('\r', start);
        if (cr < 0) {
            partial_ += bytes.mid(start);
            if (partial_.size() > kMaxPartialLine)
                partial_.clear();
            break;
        }
        const QString line = DecodeCp1252(partial_ + bytes.mid(start, cr - start));
        partial_.clear();
        received_.append(line);
        unread_.append(line);
        emit lineReceived(line);
        start = cr + 1;
        if (start < bytes.size() && bytes[start] == '\n')
            ++start;
        else if (start == bytes.size())
            skipLineFeed_ = true;
    }
    advance();
}

void ScriptedPeer::clientGone(QTcpSocket *socket)
{
    if (socket == client_) {
        // What the client wrote just before closing still counts.
        if (socket->bytesAvailable() > 0)
            clientReadable();
        client_ = nullptr;
        emit clientLeft();
    }
    socket->deleteLater();
    takeClient();
    advance();
}

void ScriptedPeer::advance()
{
    if (advancing_ || failed_)
        return;
    advancing_ = true;
    const qsizetype before = step_;
    while (step_ < steps_.size() && !failed_) {
        Step &step = steps_[step_];
        bool complete = false;
        switch (step.kind) {
        case Step::Expect:
            while (!unread_.isEmpty() && !complete)
                complete = step.predicate(unread_.takeFirst());
            // The timeout runs once a client has been there.
            if (!complete && !stepStarted_ && connections_ > 0) {
                stepStarted_ = true;
                stepTimer_.start(step.timeoutMs);
            }
            break;
        case Step::Send:
            if (client_) {
                client_->write(step.bytes);
                client_->flush();
                complete = true;
            }
            break;
        case Step::Close:
            if (client_) {
                QTcpSocket *socket = client_;
                client_ = nullptr;
                unread_.clear();
                partial_.clear();
                emit clientLeft();
                socket->disconnectFromHost();
            }
            complete = true;
            break;
        case Step::ClientClose:
            if (!client_ && connections_ > 0) {
                complete = true;
            } else if (!stepStarted_ && client_) {
                stepStarted_ = true;
                stepTimer_.start(step.timeoutMs);
            }
            break;
        case Step::Wait:
            if (!stepStarted_) {
                stepStarted_ = true;
                stepTimer_.start(step.timeoutMs);
            } else if (!stepTimer_.isActive()) {
                complete = true;
            }
            break;
        }
        if (!complete)
            break;
        stepTimer_.stop();
        stepStarted_ = false;
        ++step_;
    }
    advancing_ = false;
    if (step_ != before && step_ >= steps_.size() && !failed_)
        emit finished(true);
}

void ScriptedPeer::stepTimedOut()
{
    if (step_ >= steps_.size())
        return;
    const Step &step = steps_[step_];
    if (step.kind == Step::Wait) {
        advance();
        return;
    }
    fail(QStringLiteral("step %1: no %2 within %3 ms").arg(step_ + 1).arg(step.description).arg(step.timeoutMs));
}

void ScriptedPeer::fail(const QString &why)
{
    failed_ = true;
    failure_ = why;
    stepTimer_.stop();
    emit finished(false);
}

} // namespace zaz::test
