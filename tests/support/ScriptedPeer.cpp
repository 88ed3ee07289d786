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

ScriptedPeer::ScriptedPeer() : server_(new QTcpServer(this))
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
}

bool ScriptedPeer::listen()
{
    if (!server_->listen(QHostAddress::LocalHost, 0))
        return false;
    port_ = server_->serverPort();
    return true;
}

ScriptedPeer &ScriptedPeer::add(Step step)
{
    steps_.append(std::move(step));
    advance();
    return *this;
}

ScriptedPeer &ScriptedPeer::expect(const QString &prefix, int timeoutMs)
{
    return add({Step::Expect, prefix, {}, timeoutMs});
}

ScriptedPeer &ScriptedPeer::send(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += EncodeCp1252(line) + "\r\n";
    return add({Step::Send, QStringLiteral("send"), bytes, 0});
}

ScriptedPeer &ScriptedPeer::close()
{
    return add({Step::Close, QStringLiteral("close"), {}, 0});
}

ScriptedPeer &ScriptedPeer::expectClientClose(int timeoutMs)
{
    return add({Step::ClientClose, QStringLiteral("the client closing the connection"), {}, timeoutMs});
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
    client_ = socket;
    ++connections_;
    partial_.clear();
    skipLineFeed_ = false;
    connect(socket, &QTcpSocket::readyRead, this, &ScriptedPeer::clientReadable);
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] { clientGone(socket); });
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
    while (step_ < steps_.size() && !failed_) {
        Step &step = steps_[step_];
        bool complete = false;
        switch (step.kind) {
        case Step::Expect:
            while (!unread_.isEmpty() && !complete)
                complete = unread_.takeFirst().startsWith(step.text);
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
            if (QTcpSocket *socket = client_) {
                client_ = nullptr;
                unread_.clear();
                partial_.clear();
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
        }
        if (!complete)
            break;
        stepTimer_.stop();
        stepStarted_ = false;
        ++step_;
    }
    advancing_ = false;
}

void ScriptedPeer::stepTimedOut()
{
    if (step_ >= steps_.size())
        return;
    const Step &step = steps_[step_];
    const QString what = step.kind == Step::Expect ? QStringLiteral("a line starting with \"%1\"").arg(step.text)
                                                   : step.text;
    failed_ = true;
    failure_ = QStringLiteral("step %1: no %2 within %3 ms").arg(step_ + 1).arg(what).arg(step.timeoutMs);
}

} // namespace zaz::test
