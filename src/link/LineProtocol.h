// The server's line protocol: lines of fields separated by ":", a prefix and the sender's
// callsign in the first field, CR LF at the end of every line.
// Every line the program sends is built here, and every line it receives is read through
// LineFields.
#pragma once

#include "core/Text.h"

#include <QString>
#include <initializer_list>

namespace zaz {

// Raised when a line lacks a field its handling needs or a field does not convert: the
// line changes nothing and counts as a packet error.
class LineError : public ConversionError {
public:
    using ConversionError::ConversionError;
};

// The fields of one received line (cut at every ":"), each read and converted through one
// of these accessors. Field numbers are 1-based, field 1 being the prefix and the sender.
class LineFields {
public:
    explicit LineFields(const QString &line) : fields_(SplitText(QStringLiteral(":"), line)) {}
    explicit LineFields(t_tranches fields) : fields_(std::move(fields)) {}

    int count() const { return int(fields_.size()); }
    const QString &first() const { return fields_.first(); }
    // The whole first field equals prefix.
    bool is(const char *prefix) const { return first() == QLatin1String(prefix); }
    // The first field starts with prefix (one, three or eight characters).
    bool startsWith(const char *prefix) const { return first().startsWith(QLatin1String(prefix)); }
    // The sender: the first field after a prefix of the given length.
    QString sender(int prefixLength) const { return first().mid(qMax(prefixLength, 0)); }

    // Field n; raises LineError when the line is shorter. (Inline, as every field of every
    // line goes through it.)
    const QString &text(int n) const
    {
        if (n < 1 || n > fields_.size()) [[unlikely]]
            missing(n);
        return fields_[n - 1];
    }
    // Field n, or an empty text when the line is shorter.
    QString optional(int n) const;
    // Field n as a strict integer; raises LineError when missing or malformed.
    int integer(int n) const
    {
        int value = 0;
        if (!TryStrToInt(text(n), value)) [[unlikely]]
            notInteger(n);
        return value;
    }
    // Field n as a lenient coordinate (0 for a text that is no number); raises LineError
    // when missing.
    float coordinate(int n) const { return float(StrToFloatLenient(text(n))); }
    // Fields from n to the end joined by separator (none by default); empty when the line
    // is shorter.
    QString joinedFrom(int n, QStringView separator = {}) const;

private:
    [[noreturn]] static void missing(int n);
    [[noreturn]] void notInteger(int n) const;

    t_tranches fields_;
};

// Value encodings.
// "122.800" -> "22800": three digits, dot, three decimals, without the leading "1" and the dot.
QString FrequencyField(const QString &frequency);
// Fixed 5 decimals, no padding: 5.25 -> "5.25000". Servers read numbers strictly, and a
// leading blank is no number to them.
QString CoordinateField(double degrees);

// The end of every line sent.
inline constexpr const char *kLineEnd = "\r\n";
// A sent line as the packet monitor shows it: without its CR LF.
QString WithoutLineEnd(const QString &line);

// A field may hold neither ":" (it would split), nor CR or LF (they would end the line and
// start another one the server would take as ours).
bool FieldIsSendable(const QString &field);
// The fields joined by ":" and followed by CR LF; an empty text when a field is not
// sendable: such a line is never sent.
QString BuildLine(std::initializer_list<QString> fields);

// Lines sent by the program, each with its end of line; empty when refused (see BuildLine).
QString LoginLine(const QString &callsign, const QString &serverType, const QString &name,
                  const QString &userId, const QString &password, int rating);
QString PositionLine(const QString &own, const QString &com1Digits, int facility, int range, int rating,
                     float lat, float lon, int altitude);
QString SignOffLine(const QString &callsign, const QString &userId);
QString WeatherRequestLine(const QString &own, const QString &station);
// "$AX": the station's METAR asked of an "FSD" server.
QString MetarRequestLine(const QString &own, const QString &station);
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
