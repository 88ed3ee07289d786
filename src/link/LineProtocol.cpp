#include "link/LineProtocol.h"

namespace zaz {

namespace {

QString Ended(QString line)
{
    line.append(QLatin1String(kLineEnd));
    return line;
}

} // namespace

const QString &FieldAt(const t_tranches &fields, int n)
{
    if (n < 1 || n > fields.size())
        throw LineError(QStringLiteral("champ %1 absent").arg(n));
    return fields[n - 1];
}

QString FieldOr(const t_tranches &fields, int n)
{
    if (n < 1 || n > fields.size())
        return QString();
    return fields[n - 1];
}

bool IsLine(const t_tranches &fields, const char *prefix)
{
    return !fields.isEmpty() && fields.first() == QLatin1String(prefix);
}

bool StartsLine(const t_tranches &fields, const char *prefix)
{
    return !fields.isEmpty() && fields.first().startsWith(QLatin1String(prefix));
}

QString Sender(const t_tranches &fields, int prefixLength)
{
    if (fields.isEmpty())
        return QString();
    return fields.first().mid(qMax(prefixLength, 0));
}

QString JoinFrom(const t_tranches &fields, int n)
{
    QString out;
    for (qsizetype i = qMax(n, 1) - 1; i < fields.size(); ++i)
        out.append(fields[i]);
    return out;
}

QString FrequencyField(const QString &frequency)
{
    const QString text = TrimText(frequency);
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    if (dot < 0) {
        // Already the digits: five are the field itself, six still carry the leading "1".
        if (text.size() == 6 && text.startsWith(QLatin1Char('1')))
            return text.mid(1);
        return text;
    }
    QString whole = text.left(dot);
    if (whole.size() == 3 && whole.startsWith(QLatin1Char('1')))
        whole.remove(0, 1);
    // A frequency written with fewer than three decimals ("122.8") is the same channel;
    // the field always carries exactly three.
    QString decimals = text.mid(dot + 1).left(3);
    while (decimals.size() < 3)
        decimals.append(QLatin1Char('0'));
    return whole + decimals;
}

QString CoordinateField(double degrees)
{
    return FormatFixed(degrees, 5, 8);
}

QString LoginLine(const QString &callsign, const QString &serverType, const QString &name,
                  const QString &userId, const QString &password, int rating)
{
    QString server;
    if (serverType == QLatin1String("FSD"))
        server = QStringLiteral("SERVER");
    else if (serverType == QLatin1String("VIREO-SERVER"))
        server = QStringLiteral("VIREO-SERVER");
    else
        return QString(); // an unknown server type gets no login line
    return Ended(QLatin1String("#AA") + callsign + QLatin1Char(':') + server + QLatin1Char(':') + name
                 + QLatin1Char(':') + userId + QLatin1Char(':') + password + QLatin1Char(':')
                 + IntToStr(rating) + QLatin1String(":9"));
}

QString PositionLine(const QString &own, const QString &com1Digits, int facility, int range, int rating,
                     float lat, float lon, int altitude)
{
    return Ended(QLatin1Char('%') + own + QLatin1Char(':') + Copy(com1Digits, 2, 5) + QLatin1Char(':')
                 + IntToStr(facility) + QLatin1Char(':') + IntToStr(range) + QLatin1Char(':')
                 + IntToStr(rating) + QLatin1Char(':') + CoordinateField(lat) + QLatin1Char(':')
                 + CoordinateField(lon) + QLatin1Char(':') + IntToStr(altitude));
}

QString SignOffLine(const QString &callsign, const QString &userId, bool menuSignOff)
{
    QString line = QLatin1String("#DA") + callsign + QLatin1Char(':') + userId;
    // The sign-off from the menu goes out with a carriage return alone.
    if (menuSignOff)
        return line + QLatin1Char('\r');
    return Ended(line);
}

QString WeatherRequestLine(const QString &own, const QString &station)
{
    return Ended(QLatin1String("#WX") + own + QLatin1String(":SERVER:") + station);
}

QString FlightPlanQueryLine(const QString &own, const QString &aircraft)
{
    return Ended(QLatin1String("$CQ") + own + QLatin1String(":SERVER:FP:") + aircraft);
}

QString FiledPlansQueryLine(const QString &own, const QString &selection)
{
    return Ended(QLatin1String("$CQ") + own + QLatin1String(":SERVER:DEPOTFP:") + selection);
}

QString AtisQueryLine(const QString &own, const QString &controller)
{
    return Ended(QLatin1String("$CQ") + own + QLatin1Char(':') + controller + QLatin1String(":ATIS"));
}

QString TextLine(const QString &own, const QString &destination, const QString &text)
{
    return Ended(QLatin1String("#TM") + own + QLatin1Char(':') + destination + QLatin1Char(':') + text);
}

QString AtisAudioLine(const QString &own, const QString &asker, const QString &sound)
{
    return Ended(QLatin1String("#TMAUDIO") + own + QLatin1Char(':') + asker + QLatin1Char(':') + sound);
}

QString HandoffOfferLine(const QString &own, const QString &controller, const QString &aircraft)
{
    return Ended(QLatin1String("$HO") + own + QLatin1Char(':') + controller + QLatin1Char(':') + aircraft);
}

QString HandoffNoticeLine(const QString &own, const QString &controller, const QString &aircraft,
                          const QString &stripLine, const QString &destination)
{
    // Control position, flight kind, cleared point and level from the strip's columns.
    const QString text = QLatin1String("demande de Handoff pour") + aircraft + QLatin1Char('/')
                         + Copy(stripLine, 42, 3) + QLatin1Char('/') + Copy(stripLine, 38, 1)
                         + QLatin1Char('/') + Copy(stripLine, 22, 5) + QLatin1String("/FL")
                         + Copy(stripLine, 30, 3) + QLatin1String("/dest") + destination;
    return TextLine(own, controller, text);
}

QString HandoffAcceptLine(const QString &own, const QString &offering, const QString &aircraft)
{
    return Ended(QLatin1String("$HA") + own + QLatin1Char(':') + offering + QLatin1Char(':') + aircraft);
}

QString StripTransferLine(const QString &own, const QString &controller, const QString &stripLine,
                          const QString &aircraft)
{
    // The strip travels in one field: its colons become "/" and the receiver turns them back.
    QString row = stripLine;
    row.replace(QLatin1Char(':'), QLatin1Char('/'));
    return TextLine(own, controller, QLatin1String("~STRIP") + row + aircraft);
}

QString ZuluLine(int hours, int minutes)
{
    return Ended(QLatin1String("ZULU:SERVER:VIREO-SERVER:") + IntToStr(hours) + QLatin1Char(':')
                 + IntToStr(minutes) + QLatin1Char(':'));
}

QString MetarLine(const QString &metar)
{
    return Ended(QLatin1String("METAR:SERVER:VIREO-SERVER:") + metar + QLatin1Char(':'));
}

} // namespace zaz
