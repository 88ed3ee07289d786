#include "support/RelayServer.h"

#include <QTcpServer>
#include <QTcpSocket>

namespace zaz::test {

RelayServer::RelayServer() : server_(new QTcpServer(this))
{
    connect(server_, &QTcpServer::newConnection, this, &RelayServer::takeClients);
}

RelayServer::~RelayServer()
{
    for (QTcpSocket *client : clients_)
        client->disconnect(this);
}

bool RelayServer::listen() { return server_->listen(QHostAddress::LocalHost); }

quint16 RelayServer::port() const { return server_->serverPort(); }

void RelayServer::takeClients()
{
    while (QTcpSocket *client = server_->nextPendingConnection()) {
        clients_ << client;
        connect(client, &QTcpSocket::readyRead, this, [this, client] { readFrom(client); });
        connect(client, &QTcpSocket::disconnected, this, [this, client] {
            clients_.removeOne(client);
            client->deleteLater();
        });
    }
}

void RelayServer::readFrom(QTcpSocket *client)
{
    while (client->canReadLine()) {
        const QByteArray raw = client->readLine();
        const QString line = QString::fromLatin1(raw).remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
        received_ << line;
        if (line.startsWith(QLatin1String("#AA"))) {
            // "#AA<callsign>:..." is accepted at once.
            const QString callsign = line.mid(3).section(QLatin1Char(':'), 0, 0);
            client->write(QStringLiteral("#TMserver:%1:bienvenue\r\n").arg(callsign).toLatin1());
            continue;
        }
        for (QTcpSocket *other : clients_)
            if (other != client)
                other->write(raw.endsWith('\n') ? raw : raw + "\r\n");
    }
}

} // namespace zaz::test
