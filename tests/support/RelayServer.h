// A small line server for tests with several programs: a TCP server on 127.0.0.1 that
// accepts any number of clients, answers each login ("#AA") with the server's welcome and
// passes every other line, as received, to every other connected client. Lines naming a
// recipient go to all the others too: each program keeps only the lines meant for it.
// Everything runs from the Qt event loop.
#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

class QTcpServer;
class QTcpSocket;

namespace zaz::test {

class RelayServer : public QObject {
public:
    RelayServer();
    ~RelayServer() override;

    // Listens on 127.0.0.1 on any free port. False when it cannot.
    bool listen();
    quint16 port() const;
    // Every line received from any client, without its end of line, in order.
    const QStringList &received() const { return received_; }

private:
    void takeClients();
    void readFrom(QTcpSocket *client);

    QTcpServer *server_;
    QList<QTcpSocket *> clients_;
    QStringList received_;
};

} // namespace zaz::test
