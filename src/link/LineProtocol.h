// The server's line protocol: lines of fields separated by ":", a prefix and the sender's
// callsign in the first field, CR LF at the end (CR alone for the menu sign-off).
// Every line the program sends is built here.
#pragma once

#include "core/Text.h"

#include <QString>

namespace zaz {

// Raised when a line lacks a field its handling needs: that line's handling ends.
class LineError : public ConversionError {
public:
    using ConversionError::ConversionError;
};

// Field n (1-based) of a split line; raises LineError when the line is shorter.
const QString &FieldAt(const t_tranches &fields, int n);
// Field n or an empty text when the line is shorter.
QString FieldOr(const t_tranches &fields, int n);
// The whole first field equals prefix.
bool IsLine(const t_tranches &fields, const char *prefix);
// The first field starts with prefix (first character, three or eight characters).
bool StartsLine(const t_tranches &fields, const char *prefix);
// The sender: the first field after a prefix of the given length.
QString Sender(const t_tranches &fields, int prefixLength);
// Fields from n (1-based) to the end joined without separator.
QString JoinFrom(const t_tranches &fields, int n);

// Value encodings.
// "122.800" -> "22800": three digits, dot, three decimals, without the leading "1" and the dot.
QString FrequencyField(const QString &frequency);
// Fixed 5 decimals, at least 8 characters: 5.25 -> " 5.25000".
QString CoordinateField(double degrees);

// Ends of line.
inline const char *kLineEnd = "\r\n";

// Lines sent by the program, each with its end of line.
QString LoginLine(const QString &callsign, const QString &serverType, const QString &name,
                  const QString &userId, const QString &password, int rating);
QString PositionLine(const QString &own, const QString &com1Digits, int facility, int range, int rating,
                     float lat, float lon, int altitude);
QString SignOffLine(const QString &callsign, const QString &userId, bool menuSignOff);
QString WeatherRequestLine(const QString &own, const QString &station);
QString FlightPlanQueryLine(const QString &own, const QString &aircraft);
QString FiledPlansQueryLine(const QString &own, const QString &selection);
QString AtisQueryLine(const QString &own, const QString &controller);
QString TextLine(const QString &own, const QString &destination, const QString &text);
QString AtisAudioLine(const QString &own, const QString &asker, const QString &sound);
QString HandoffOfferLine(const QString &own, const QString &controller, const QString &aircraft);
QString HandoffNoticeLine(const QString &own, const QString &controller, const QString &aircraft,
                          const QString &stripLine, const QString &destination);
QString HandoffAcceptLine(const QString &own, const QString &offering, const QString &aircraft);
QString StripTransferLine(const QString &own, const QString &controller, const QString &stripLine,
                          const QString &aircraft);
QString ZuluLine(int hours, int minutes);
QString MetarLine(const QString &metar);

} // namespace zaz
