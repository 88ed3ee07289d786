// The state of the server link: the server, the controller's connection values, the logs
// and counters of the packet monitor, and the radio messages.
#pragma once

#include "core/LineLog.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace zaz {

struct t_server {
    QString unused1;
    QString name;     // "VIREO-SERVER" when filled by the connect procedure
    QString address;
    QString port;
    QString unused2;
    QString password;
};

// Texts of the facility and rating codes that controllers' positions carry (settings
// sections "facility" and "rating": code as key), and the same texts in file order for the
// lists of the connection dialog.
struct CodeTexts {
    QHash<QString, QString> facility;
    QHash<QString, QString> rating;
    QStringList facilityCaptions;
    QStringList ratingCaptions;
};

struct LinkState {
    QString status = QStringLiteral("non connecté"); // ConnectionText
    QString auxStatus;        // shown in the caption
    QString serverType;       // ServerType: "FSD" or "VIREO-SERVER"
    t_server server;
    QString LoginCallsign;
    QString OwnCallsign;
    QString UserName;
    QString UserId;
    QString UserPassword;
    int Rating = 1;           // 1 to 12
    QString ratingText;
    int Facility = 0;         // 0 to 6
    QString facilityText;
    int VisibilityRange = 1500;
    float OwnLat = 0;
    float OwnLon = 0;
    int OwnAltitude = 0;
    QString Com1Frequency;    // "118.700"
    QString Com1Digits;       // "118700"
    QString Com2Digits;
    QString WeatherStation;
    QString IdentityText;
    bool LoginSent = false;
    bool Accepted = false;
    bool VireoServer = false;
    bool loggedIn = false;
    bool connected = false;   // the socket is open
    // What status panel 0 shows when the socket closes, instead of "Disconnected": the
    // server's reason when it refused the login or put us off. Cleared at each opening.
    QString closeStatusText;

    // Packet monitor.
    bool monitorTicked = false; // menu entry "paquets" ticked
    LineLog ReceivedLog;
    LineLog SentLog;
    LineLog ErrorLog;
    int ReceivedCount = 0;
    int SentCount = 0;

    // The radio message list: channel tag + sender + ":" + text, the most recent kept.
    QStringList RadioMessages;
    CodeTexts codeTexts;
};

} // namespace zaz
