#include "link/Connection.h"

#include "core/Codec.h"
#include "link/LineProtocol.h"
#include "link/Senders.h"
#include "traffic/TrafficOps.h"

#include <QHash>
#include <utility>

namespace zaz {

int FacilityRange(int facility)
{
    static const int ranges[] = {1500, 1500, 5, 5, 30, 100, 400};
    return facility >= 0 && facility < 7 ? ranges[facility] : 1500;
}

QString FacilitySuffix(int facility)
{
    static const char *suffixes[] = {"_OBS", "_FSS", "_CLD", "_GND", "_TWR", "_APP", "_CTR"};
    return facility >= 0 && facility < 7 ? QLatin1String(suffixes[facility]) : QString();
}

bool CallsignIsValid(const QString &callsign)
{
    if (callsign.size() < 2 || callsign.size() > 12)
        return false;
    for (const QChar c : callsign)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('_'))
            return false;
    return true;
}

QString InvalidCallsignText()
{
    return QStringLiteral("indicatif non valide : 2 à 12 lettres, chiffres ou _");
}

bool PrepareConnection(LinkState &link, SectorState &sector, WeatherState &weather, ViewState &view,
                       const ConnectionChoice &choice, int clientHeight)
{
    SectorIdentity &own = sector.identity;
    bool found = true;
    // Step 5: the callsign's airport gives the position and COM1.
    link.LoginCallsign = choice.callsign;
    if (link.LoginCallsign != link.WeatherStation) {
        const QString code = Copy(link.LoginCallsign, 1, 4);
        int match = -1;
        const QList<Airport> &airports = sector.tables.airports;
        for (int i = 0; i < airports.size(); ++i)
            if (airports[i].identifier.trimmed() == code)
                match = i;
        if (match >= 0) {
            const Airport &a = airports[match];
            link.WeatherStation = a.identifier.trimmed();
            link.OwnCallsign = link.LoginCallsign;
            weather.CurrentWeather.station = link.WeatherStation;
            link.OwnLat = a.latitude;
            link.OwnLon = a.longitude;
            link.Com1Frequency = a.frequency.trimmed();
            link.Com1Digits = QString(link.Com1Frequency).remove(QLatin1Char('.'));
            own.ownLat = link.OwnLat;
            own.ownLon = link.OwnLon;
        } else {
            found = false;
        }
    } else {
        own.ownLat = link.OwnLat;
        own.ownLon = link.OwnLon;
    }
    // Step 6: who and what the controller is.
    const int port = StrToInt(choice.port);
    if (port < 1 || port > 65535)
        throw ConversionError(QStringLiteral("'%1' n'est pas un port valide").arg(choice.port));
    link.UserName = choice.userName;
    link.UserId = choice.userId;
    link.UserPassword = choice.password;
    link.serverType = choice.serverType;
    link.server.name = QStringLiteral("VIREO-SERVER");
    link.server.address = choice.address;
    link.server.port = QString::number(port);
    link.server.password = choice.password;
    link.Rating = choice.rating;
    link.ratingText = choice.ratingText;
    link.Facility = choice.facility;
    link.facilityText = choice.facilityText;
    link.VisibilityRange = FacilityRange(choice.facility);
    view.scale = float(clientHeight) / float(link.VisibilityRange);
    link.OwnAltitude = 0;
    return found;
}

QString SocketErrorText(int code, SocketEvent event)
{
    static const QHash<int, const char *> messages = {
        {10004, "Interrupted Function call."},
        {10013, "Permission Refusée."},
        {10014, "Mauvaise adresse."},
        {10022, "Arguments Invalides."},
        {10024, "Trop de fichiers ouverts."},
        {10035, "Resource temporarily unavailable."},
        {10036, "Operation en cours."},
        {10037, "Operation déjà en cours."},
        {10038, "Socket operation On non-socket."},
        {10039, "Destination address required."},
        {10040, "Message trop long."},
        {10041, "Protocol wrong Type For socket."},
        {10042, "Bad protocol option."},
        {10043, "Protocol Not supported."},
        {10044, "Socket Type Not supported."},
        {10045, "Operation Not supported."},
        {10046, "Protocol family Not supported."},
        {10047, "Address family Not supported by protocol family."},
        {10048, "Address already In use."},
        {10049, "Cannot assign requested address."},
        {10050, "Network Is down."},
        {10051, "Network Is unreachable."},
        {10052, "Network dropped connection On reset."},
        {10053, "Software caused connection abort."},
        {10054, "Connection reset by peer."},
        {10055, "No buffer space available."},
        {10056, "Socket Is already connected."},
        {10057, "Socket Is Not connected."},
        {10058, "Cannot send after socket shutdown."},
        {10060, "Connection timed Out."},
        {10061, "Connection refused."},
        {10064, "Host Is down."},
        {10065, "No route To host."},
        {10067, "Too many processes."},
        {10091, "Network subsystem Is unavailable."},
        {10092, "WINSOCK.DLL version Out Of range."},
        {10093, "Successful WSAStartup Not yet performed."},
        {10094, "Graceful shutdown In progress."},
        {11001, "Host Not found."},
        {11002, "Non-authoritative host Not found."},
        {11003, "This Is a non-recoverable error."},
        {11004, "Valid name, no data Record Of requested Type."},
    };
    static const char *words[] = {"Writing ", "Reading ", "Connecting ", "Disconnecting ", "Accepting ", "Unknown "};
    const char *message = messages.value(code, "Unknown socket error.");
    return QString::fromUtf8(words[int(event)]) + QStringLiteral("Socket Error n°") + QString::number(code)
           + QStringLiteral(" : ") + QString::fromUtf8(message);
}

int SocketErrorCode(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
    case QAbstractSocket::ProxyConnectionRefusedError: return 10061;
    case QAbstractSocket::RemoteHostClosedError:
    case QAbstractSocket::ProxyConnectionClosedError: return 10053;
    case QAbstractSocket::HostNotFoundError:
    case QAbstractSocket::ProxyNotFoundError: return 11001;
    case QAbstractSocket::SocketAccessError:
    case QAbstractSocket::ProxyAuthenticationRequiredError: return 10013;
    case QAbstractSocket::SocketResourceError: return 10055;
    case QAbstractSocket::SocketTimeoutError:
    case QAbstractSocket::ProxyConnectionTimeoutError: return 10060;
    case QAbstractSocket::DatagramTooLargeError: return 10040;
    case QAbstractSocket::NetworkError: return 10050;
    case QAbstractSocket::AddressInUseError: return 10048;
    case QAbstractSocket::SocketAddressNotAvailableError: return 10049;
    case QAbstractSocket::UnsupportedSocketOperationError: return 10045;
    case QAbstractSocket::UnfinishedSocketOperationError: return 10036;
    case QAbstractSocket::ProxyProtocolError: return 10042;
    case QAbstractSocket::SslHandshakeFailedError: return 10054;
    case QAbstractSocket::TemporaryError: return 10035;
    case QAbstractSocket::OperationError:
    case QAbstractSocket::SslInternalError:
    case QAbstractSocket::SslInvalidUserDataError: return 10022;
    case QAbstractSocket::UnknownSocketError: break;
    }
    return -1;
}

ServerConnection::ServerConnection(const LinkGroups &groups, const SimState &sim, const Clock &clock, QObject *parent)
    : QObject(parent), g_(groups), sim_(sim), dispatcher_(groups, *this, clock)
{
    connect(&socket_, &QTcpSocket::connected, this, &ServerConnection::socketConnected);
    connect(&socket_, &QTcpSocket::disconnected, this, &ServerConnection::socketDisconnected);
    connect(&socket_, &QTcpSocket::errorOccurred, this, &ServerConnection::socketError);
    connect(&socket_, &QTcpSocket::readyRead, this, [this] { dispatcher_.receive(socket_.readAll()); });
}

ServerConnection::~ServerConnection()
{
    socket_.disconnect(this);
    socket_.abort();
}

bool ServerConnection::isOpen() const
{
    return socket_.state() == QAbstractSocket::ConnectedState;
}

void ServerConnection::open(const QString &host, quint16 port)
{
    host_ = host;
    port_ = port;
    g_.link.closeStatusText.clear();
    socket_.abort();
    socket_.connectToHost(host, port);
}

void ServerConnection::reopen()
{
    if (canReconnect())
        open(host_, port_);
}

void ServerConnection::SendLine(const QString &text)
{
    if (socket_.state() == QAbstractSocket::ConnectedState)
        socket_.write(EncodeCp1252(text));
}

void ServerConnection::closeLink()
{
    if (socket_.state() != QAbstractSocket::UnconnectedState)
        socket_.disconnectFromHost();
}

void ServerConnection::socketConnected()
{
    LinkState &link = g_.link;
    link.connected = true;
    emit g_.notifier.statusText(0, QStringLiteral("Connected to: ") + socket_.peerName());
    if (sim_.connected) {
        link.LoginSent = true;
        SendLogged(link, *this,
                   LoginLine(link.LoginCallsign, QStringLiteral("VIREO-SERVER"), link.UserName, link.UserId,
                             link.server.password, link.Rating),
                   SendLog::Always);
        emit loginSent();
        return;
    }
    if (link.LoginSent)
        return;
    const QString login =
        LoginLine(link.LoginCallsign, link.serverType, link.UserName, link.UserId, link.UserPassword, link.Rating);
    dispatcher_.clearReceiveBuffer();
    link.SentLog.clear();
    link.SentCount = 0;
    link.ReceivedCount = 0;
    // A server type other than the two known ones gets no login line.
    if (!login.isEmpty())
        SendLogged(link, *this, login, SendLog::Always);
    link.SentCount = 1;
    link.LoginSent = true;
    emit loginSent();
}

void ServerConnection::socketDisconnected()
{
    LinkState &link = g_.link;
    // The lines the server sent just before closing are read first: a reason it gave for
    // closing shows and stays in view.
    dispatcher_.drainPending();
    emit g_.notifier.statusText(0, link.closeStatusText.isEmpty() ? QStringLiteral("Disconnected")
                                                                  : std::exchange(link.closeStatusText, QString()));
    link.status = sim_.connected ? QStringLiteral("connecté ") + sim_.simulatorName : QStringLiteral("non connecté");
    link.IdentityText.clear();
    link.VireoServer = false;
    link.Accepted = false;
    link.loggedIn = false;
    link.connected = false;
    const bool hadLogin = link.LoginSent;
    link.LoginSent = false;
    emit closed(hadLogin);
}

void ServerConnection::socketError(QAbstractSocket::SocketError error)
{
    // The server closing the connection is the socket-closed event, not an error.
    if (error == QAbstractSocket::RemoteHostClosedError)
        return;
    const SocketEvent event = g_.link.connected ? SocketEvent::Reading : SocketEvent::Connecting;
    emit g_.notifier.statusText(0, host_ + QStringLiteral(" error ")
                                       + SocketErrorText(SocketErrorCode(error), event));
}

void ServerConnection::signOff()
{
    LinkState &link = g_.link;
    if (isOpen())
        SendLogged(link, *this, SignOffLine(link.LoginCallsign, link.UserId), SendLog::Always);
    link.LoginSent = false;
    // What the server sent and was not handled yet no longer matters: it must not bring
    // aircraft back once the close is handled.
    dispatcher_.clearReceiveBuffer();
    if (socket_.state() != QAbstractSocket::UnconnectedState)
        socket_.disconnectFromHost();
    ClearTraffic(g_.traffic);
    emit g_.notifier.stripsChanged();
    emit g_.notifier.trafficChanged();
    emit g_.notifier.redrawWanted();
}

bool ServerConnection::signOffWithSimulator()
{
    LinkState &link = g_.link;
    if (!isOpen() || !link.VireoServer)
        return false;
    SendLogged(link, *this, SignOffLine(link.OwnCallsign, link.UserId), SendLog::Always);
    closeLink();
    return true;
}

bool ServerConnection::tick()
{
    const int handled = dispatcher_.tick();
    return handled == 0 || g_.link.Accepted;
}

} // namespace zaz
