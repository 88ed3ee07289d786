// Opening and closing the server connection, the login, and the socket events.
#pragma once

#include "core/Clock.h"
#include "link/Dispatcher.h"
#include "link/LineSender.h"
#include "sector/ViewState.h"
#include "sim/SimState.h"

#include <QAbstractSocket>
#include <QObject>
#include <QTcpSocket>
#include <memory>

namespace zaz {

// What the connection dialog gives.
struct ConnectionChoice {
    QString serverName;
    QString serverType;   // "FSD" or "VIREO-SERVER"
    QString address;
    QString port;         // as typed; must be a number
    QString userId;
    QString password;
    QString userName;
    QString callsign;
    int rating = 1;       // 1 to 12
    QString ratingText;
    int facility = 0;     // 0 to 6
    QString facilityText;
};

// Visibility range of a facility code: 1500, 1500, 5, 5, 30, 100, 400.
int FacilityRange(int facility);
// Callsign suffix of a facility code: "_OBS", "_FSS", "_CLD", "_GND", "_TWR", "_APP", "_CTR".
QString FacilitySuffix(int facility);

// A callsign the server takes: 2 to 12 ASCII letters, digits or "_" (a blank, a ":" or an
// accented letter would be refused by the server or break the lines it goes into).
bool CallsignIsValid(const QString &callsign);
// The message shown when it is not.
QString InvalidCallsignText();

// The connect procedure once the dialog is confirmed: the callsign's airport gives the own
// position and COM1 (false when no sector airport has the callsign's first four characters:
// the previous position stays); the user, facility, rating and range values; the scope
// scale from the client height. Raises ConversionError when the port is not a number.
bool PrepareConnection(LinkState &link, SectorState &sector, WeatherState &weather, ViewState &view,
                       const ConnectionChoice &choice, int clientHeight);

// The text of a socket error: the event word, "Socket Error n°", the code and its message.
enum class SocketEvent { Writing, Reading, Connecting, Disconnecting, Accepting, Unknown };
QString SocketErrorText(int code, SocketEvent event);
// The nearest error code for a Qt socket error.
int SocketErrorCode(QAbstractSocket::SocketError error);

// The TCP connection to the server: sends lines, hands what it reads to the dispatcher,
// and turns the socket's events into the program's state changes.
class ServerConnection : public QObject, public LineSender {
    Q_OBJECT
public:
    ServerConnection(const LinkGroups &groups, const SimState &sim, const Clock &clock, QObject *parent = nullptr);
    ~ServerConnection() override;

    Dispatcher &dispatcher() { return dispatcher_; }
    bool isOpen() const;
    QString host() const { return host_; }
    quint16 port() const { return port_; }
    bool canReconnect() const { return !host_.isEmpty() && !isOpen(); }

    // Opens the socket (non-blocking) to host and port.
    void open(const QString &host, quint16 port);
    // Re-opens to the last host and port.
    void reopen();
    // The menu sign-off: "#DA" when open, then closes and empties the traffic,
    // the strips and the selection.
    void signOff();
    // The sign-off when the simulator session closes under a "VIREO-SERVER" login: "#DA"
    // with the own callsign, then the link closes. False when there was nothing to sign off.
    bool signOffWithSimulator();
    // The handling of one timer tick; false when the timer should stop (login not accepted).
    bool tick();

    void SendLine(const QString &text) override;
    void closeLink() override;

signals:
    // The login line went out: the read timer starts, the menus change.
    void loginSent();
    // The socket closed for any reason.
    void closed(bool hadLogin);
    // The login was accepted: the position timer starts.
    void accepted();

private:
    void socketConnected();
    void socketDisconnected();
    void socketError(QAbstractSocket::SocketError error);

    LinkGroups g_;
    const SimState &sim_;
    QTcpSocket socket_;
    Dispatcher dispatcher_;
    QString host_;
    quint16 port_ = 0;
};

} // namespace zaz
