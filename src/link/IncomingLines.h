// The lines the server sends, each decoded by one function into a typed record: every field
// the line's handling needs is checked and converted here, before anything changes. A line
// that does not decode raises LineError and changes nothing.
#pragma once

#include "link/Controllers.h"
#include "link/LineProtocol.h"
#include "traffic/FiledPlans.h"
#include "traffic/TrafficOps.h"
#include "weather/WeatherState.h"

#include <QList>
#include <QString>
#include <optional>
#include <variant>

namespace zaz {

// "#TMserver" before the login is accepted.
struct LoginAccepted {
    QString callsign; // as the server confirms it
    QString welcome;
};
// "$ERserver" before the login is accepted.
struct LoginRefused {
    QString reason;
};
// "#TDserver": pairs (altitude, temperature).
struct TemperatureLayers {
    QList<t_temperature> layers;
};
// "#WDserver": groups of six, the first the surface wind.
struct WindLayers {
    std::optional<t_wind> surface;
    QList<t_wind> aloft;
};
// "#CDserver": groups of five.
struct CloudLayers {
    QList<t_cloud> layers;
};
// "$ARserver" with "METAR" in field 3.
struct ServerMetar {
    QString metar;
};
// "$CQ" with "ATIS" in field 3.
struct AtisQuery {
    QString asker;
};
// "#DP".
struct PilotLeft {
    QString callsign;
};
// A strip sent by another controller: the text after "~STRIP" of a private message.
struct StripTransfer {
    QString row;                   // the 58 columns received, with ":" back
    QString callsign;
    std::optional<int> nextPoint;  // columns 57-58; none when blank
};
// "#TM".
struct TextMessage {
    QString sender;
    QString destination;
    QString text;
    // Texts starting with "~STRIP": the strip they carry, or nothing when the text is too
    // short or its next point is no number (an error only when the strip is addressed to
    // this controller).
    bool stripText = false;
    std::optional<StripTransfer> strip;
};
// "#DA".
struct ControllerLeft {
    QString callsign;
};
// "$HO" and "$HA".
struct HandoffLine {
    QString sender;
    QString recipient;
    QString aircraft;
};
struct HandoffOffer : HandoffLine {};
struct HandoffAccepted : HandoffLine {};
// "$ERserver" once connected.
struct ServerErrorReport {
    QString code;      // field 3, as sent ("009")
    QString parameter; // field 4, often empty
    QString message;   // field 5 onward, its colons kept
};
// "$!!": the server puts this client off and closes the connection.
struct ServerKick {
    QString reason; // field 3 onward, its colons kept
};
// A line no test matches: ignored.
struct IgnoredLine {};

using IncomingLine = std::variant<IgnoredLine, LoginAccepted, LoginRefused, TemperatureLayers, WindLayers,
                                  CloudLayers, ServerMetar, ServerFlightPlan, FiledPlan, ServerPosition, AtisQuery,
                                  PilotLeft, TextMessage, ControllerPosition, ControllerLeft, HandoffOffer,
                                  HandoffAccepted, ServerErrorReport, ServerKick>;

// A position line ("@S", "@N" or "@Y", the whole first field).
bool IsPositionLine(const LineFields &line);
// A line received before the login is accepted: only the acceptance, the refusal and the
// server putting us off count.
IncomingLine DecodeBeforeLogin(const LineFields &line);
// A line received once the login is accepted, tested against each prefix in turn.
IncomingLine DecodeAccepted(const LineFields &line);

// One decoder per line type.
TemperatureLayers DecodeTemperatureLayers(const LineFields &line);
WindLayers DecodeWindLayers(const LineFields &line);
CloudLayers DecodeCloudLayers(const LineFields &line);
ServerFlightPlan DecodeFlightPlan(const LineFields &line);
FiledPlan DecodeFiledPlan(const LineFields &line);
ServerPosition DecodePosition(const LineFields &line);
TextMessage DecodeTextMessage(const LineFields &line);
StripTransfer DecodeStripTransfer(const QString &text);
ControllerPosition DecodeControllerPosition(const LineFields &line);
HandoffLine DecodeHandoff(const LineFields &line);
ServerErrorReport DecodeServerError(const LineFields &line);
ServerKick DecodeKick(const LineFields &line);

// The heading in the pitch/bank/heading word the pilot clients of an "FSD" server send in
// field 9 of their positions: bits 2-11, in steps of 1/1024 of a full turn; degrees from 0
// to below 360. (Bits 12-21 hold the bank and 22-31 the pitch, signed, which nothing here
// needs.)
double PackedHeading(quint32 word);

} // namespace zaz
