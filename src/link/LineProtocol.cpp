#include "link/LineProtocol.h"

#include "traffic/StripLine.h"

namespace zaz {

void LineFields::missing(int n)
{
    throw LineError(QStringLiteral("champ %1 absent").arg(n));
}

void LineFields::notInteger(int n) const
{
    throw LineError(QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(fields_[n - 1]));
}

QString LineFields::optional(int n) const
{
    if (n < 1 || n > fields_.size())
        return QString();
    return fields_[n - 1];
}

QString LineFields::joinedFrom(int n, QStringView separator) const
{
    QString out;
    for (qsizetype i = qMax(n, 1) - 1; i < fields_.size(); ++i) {
        if (i > qMax(n, 1) - 1)
            out.append(separator);
        out.append(fields_[i]);
    }
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
    return FormatFixed(degrees, 5);
}

QString WithoutLineEnd(const QString &line)
{
    return line.endsWith(QLatin1String(kLineEnd)) ? line.chopped(2) : line;
}

bool FieldIsSendable(const QString &field)
{
    for (const QChar c : field)
        if (c == QLatin1Char(':') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return false;
    return true;
}

QString BuildLine(std::initializer_list<QString> fields)
{
    QString line;
    bool firstField = true;
    for (const QString &field : fields) {
        if (!FieldIsSendable(field))
            return QString();
        if (!firstField)
            line.append(QLatin1Char(':'));
        line.append(field);
        firstField = false;
    }
    line.append(QLatin1String(kLineEnd));
    return line;
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
    return BuildLine({QLatin1String("#AA") + callsign, server, name, userId, password, IntToStr(rating),
                      QStringLiteral("9")});
}

QString PositionLine(const QString &own, const QString &com1Digits, int facility, int range, int rating,
                     float lat, float lon, int altitude)
{
    return BuildLine({QLatin1Char('%') + own, Copy(com1Digits, 2, 5), IntToStr(facility), IntToStr(range),
                      IntToStr(rating), CoordinateField(lat), CoordinateField(lon), IntToStr(altitude)});
}

QString SignOffLine(const QString &callsign, const QString &userId)
{
    return BuildLine({QLatin1String("#DA") + callsign, userId});
}

QString WeatherRequestLine(const QString &own, const QString &station)
{
    return BuildLine({QLatin1String("#WX") + own, QStringLiteral("SERVER"), station});
}

QString MetarRequestLine(const QString &own, const QString &station)
{
    return BuildLine({QLatin1String("$AX") + own, QStringLiteral("SERVER"), QStringLiteral("METAR"), station});
}

QString FlightPlanQueryLine(const QString &own, const QString &aircraft)
{
    return BuildLine({QLatin1String("$CQ") + own, QStringLiteral("SERVER"), QStringLiteral("FP"), aircraft});
}

QString FiledPlansQueryLine(const QString &own, const QString &selection)
{
    return BuildLine({QLatin1String("$CQ") + own, QStringLiteral("SERVER"), QStringLiteral("DEPOTFP"), selection});
}

QString AtisQueryLine(const QString &own, const QString &controller)
{
    return BuildLine({QLatin1String("$CQ") + own, controller, QStringLiteral("ATIS")});
}

QString TextLine(const QString &own, const QString &destination, const QString &text)
{
    return BuildLine({QLatin1String("#TM") + own, destination, text});
}

QString AtisAudioLine(const QString &own, const QString &asker, const QString &sound)
{
    return BuildLine({QLatin1String("#TMAUDIO") + own, asker, sound});
}

QString HandoffOfferLine(const QString &own, const QString &controller, const QString &aircraft)
{
    return BuildLine({QLatin1String("$HO") + own, controller, aircraft});
}

QString HandoffNoticeLine(const QString &own, const QString &controller, const QString &aircraft,
                          const QString &stripLine, const QString &destination)
{
    // Control position, flight kind, cleared point and level from the strip's columns.
    const QString text = QLatin1String("demande de Handoff pour") + aircraft + QLatin1Char('/')
                         + StripText(stripLine, StripField::Position) + QLatin1Char('/')
                         + StripText(stripLine, StripField::FlightKind) + QLatin1Char('/')
                         + StripText(stripLine, StripField::Point) + QLatin1String("/FL")
                         + StripText(stripLine, StripField::Level) + QLatin1String("/dest") + destination;
    return TextLine(own, controller, text);
}

QString HandoffAcceptLine(const QString &own, const QString &offering, const QString &aircraft)
{
    return BuildLine({QLatin1String("$HA") + own, offering, aircraft});
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
    return BuildLine({QStringLiteral("ZULU"), QStringLiteral("SERVER"), QStringLiteral("VIREO-SERVER"),
                      IntToStr(hours), IntToStr(minutes), QString()});
}

QString MetarLine(const QString &metar)
{
    return BuildLine({QStringLiteral("METAR"), QStringLiteral("SERVER"), QStringLiteral("VIREO-SERVER"), metar,
                      QString()});
}

} // namespace zaz
