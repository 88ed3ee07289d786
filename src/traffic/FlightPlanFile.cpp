#include "traffic/FlightPlanFile.h"

#include "core/Codec.h"
#include "core/Text.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace zaz {

namespace {

// A flight-plan file is a few kilobytes; anything this large is not one, and reading it
// whole would only cost memory.
constexpr qint64 kMaxPlanFileBytes = 4 * 1024 * 1024;

const QString kPlanEnd = QStringLiteral("</FlightPlan.FlightPlan>");
const QString kWaypointStart = QStringLiteral("<ATCWaypoint id=\"");
const QString kWaypointEnd = QStringLiteral("</ATCWaypoint>");

// Text of a whole byte sequence in one encoding; false when it is not valid there.
bool DecodeStrict(QStringConverter::Encoding encoding, QByteArrayView bytes, QString &text)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    text = decoder(bytes);
    return !decoder.hasError();
}

// Simulators write their plans in UTF-8, older tools in the Windows code page: a byte order
// mark decides, else UTF-8 when the bytes are valid UTF-8, else Windows-1252. The mark
// itself is not part of the text.
QString DecodePlanBytes(const QByteArray &bytes)
{
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        DecodeStrict(QStringConverter::Utf8, QByteArrayView(bytes).sliced(3), text);
        return text;
    }
    if (bytes.startsWith("\xFF\xFE")) {
        DecodeStrict(QStringConverter::Utf16LE, QByteArrayView(bytes).sliced(2), text);
        return text;
    }
    if (bytes.startsWith("\xFE\xFF")) {
        DecodeStrict(QStringConverter::Utf16BE, QByteArrayView(bytes).sliced(2), text);
        return text;
    }
    if (DecodeStrict(QStringConverter::Utf8, bytes, text))
        return text;
    return DecodeCp1252(bytes);
}

// The value of an element whose line starts with its opening tag: the text after the tag up
// to the closing tag ("</"), or the rest of the line when it has none. A "/" inside the
// value is kept.
QString ElementValue(const QString &line, const QString &openingTag)
{
    const qsizetype start = openingTag.size();
    const qsizetype close = line.indexOf(QLatin1String("</"), start);
    return close < 0 ? line.mid(start) : line.mid(start, close - start);
}

bool ReadElement(const QString &line, const QString &openingTag, QString &value)
{
    if (!line.startsWith(openingTag))
        return false;
    value = ElementValue(line, openingTag);
    return true;
}

} // namespace

bool LoadPlanFile(FlightPlanFiles &files, const QString &path, QString &error)
{
    files.PlanFileLines.clear();
    error.clear();
    if (QFileInfo(path).isDir()) {
        error = QStringLiteral("Impossible de lire le plan de vol %1 : c'est un dossier").arg(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Impossible de lire le plan de vol %1 : %2").arg(path, file.errorString());
        return false;
    }
    // One byte more than the limit tells a file over it, whatever its reported size.
    const QByteArray bytes = file.read(kMaxPlanFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("Impossible de lire le plan de vol %1 : %2").arg(path, file.errorString());
        return false;
    }
    if (bytes.size() > kMaxPlanFileBytes) {
        error = QStringLiteral("Le plan de vol %1 est trop volumineux (plus de 4 Mo) : il n'est pas lu").arg(path);
        return false;
    }

    const QString text = DecodePlanBytes(bytes);
    // One line per line feed; a last line without one is a line too.
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        files.PlanFileLines << TrimText(text.mid(start, end - start));
        start = end + 1;
    }
    return true;
}

void ParsePlan(FlightPlanFiles &files)
{
    const QStringList &lines = files.PlanFileLines;
    const qsizetype count = lines.size();
    if (count == 0 || !lines[0].contains(QLatin1String("xml")))
        return;

    QString title, type, altitude;
    int waypoints = 0;
    qsizetype i = 0;
    while (lines[i] != kPlanEnd && i + 1 < count) {
        ++i;
        const QString &line = lines[i];
        if (ReadElement(line, QStringLiteral("<Title>"), title) || ReadElement(line, QStringLiteral("<FPType>"), type))
            continue;
        if (ReadElement(line, QStringLiteral("<CruisingAlt>"), altitude)) {
            files.PlanDisplayList << title + QLatin1String("  ") + type + QLatin1String("  ") + altitude
                                         + QLatin1String("ft");
            continue;
        }
        if (!line.startsWith(kWaypointStart))
            continue;

        // The waypoint block runs to its closing tag. A block left open ends before the next
        // waypoint, before the end of the plan or at the last line, so that one damaged
        // block neither swallows the next one nor runs past the file.
        QString waypointType, identifier;
        while (lines[i] != kWaypointEnd && i + 1 < count) {
            const QString &next = lines[i + 1];
            if (next == kPlanEnd || next.startsWith(kWaypointStart))
                break;
            ++i;
            if (!ReadElement(lines[i], QStringLiteral("<ATCWaypointType>"), waypointType))
                ReadElement(lines[i], QStringLiteral("<ICAOIdent>"), identifier);
        }
        files.PlanDisplayList << QString::number(waypoints) + QLatin1String(":  ") + identifier
                                     + QLatin1String("  ") + waypointType;
        files.PlanWaypointList << identifier;
        ++waypoints;
    }
}

QString JoinWaypoints(const QStringList &waypoints)
{
    if (waypoints.size() < 2)
        return QString();
    QString route = waypoints[1];
    for (qsizetype k = 2; k <= waypoints.size() - 2; ++k)
        route += QLatin1Char('/') + waypoints[k];
    return route;
}

} // namespace zaz
