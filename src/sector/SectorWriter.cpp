#include "sector/SectorWriter.h"

#include "core/Codec.h"
#include "core/SafeSave.h"
#include "core/Text.h"
#include "sector/Coordinates.h"

namespace zaz {

namespace {

constexpr int kRouteNameWidth = 25;
constexpr int kInfoLines = 9;

// Builds the lines of the file and reports the running count after each element.
class Writer {
public:
    Writer(QStringList &lines, const WriterProgress &progress) : lines_(lines), progress_(progress) {}

    void line(const QString &text) { lines_.append(text); }

    void separator()
    {
        for (int i = 0; i < 3; ++i)
            lines_.append(QStringLiteral(";"));
    }

    // A separator followed by a section header.
    void section(const char *header)
    {
        separator();
        lines_.append(QString::fromLatin1(header));
    }

    void elementDone()
    {
        if (progress_)
            progress_(int(lines_.size()));
    }

private:
    QStringList &lines_;
    const WriterProgress &progress_;
};

// Fields separated by one blank.
QString Join(std::initializer_list<QString> fields)
{
    QString line;
    bool first = true;
    for (const QString &field : fields) {
        if (!first)
            line += QLatin1Char(' ');
        line += field;
        first = false;
    }
    return line;
}

// The field a line starts with, padded to width. A name read from a free-form line may
// begin with ";", "#" or "[", which at the start of a line would make it a comment or end
// the section: one blank goes before it, as in the line it came from.
QString LineStart(const QString &field, int width)
{
    const bool guard = !field.isEmpty() && (field[0] == QLatin1Char(';') || field[0] == QLatin1Char('#')
                                            || field[0] == QLatin1Char('['));
    return PadRight(guard ? QLatin1Char(' ') + field : field, width);
}

QString WithComment(const QString &line, const QString &comment)
{
    return line + QStringLiteral(" ;") + comment;
}

QString SegmentCoordinates(const RouteSegment &s)
{
    return Join({LatitudeText(s.lat1), LongitudeText(s.lon1), LatitudeText(s.lat2), LongitudeText(s.lon2)});
}

void WriteNavaids(Writer &w, const QList<VOR> &table, int identifierWidth)
{
    for (const VOR &v : table) {
        w.line(WithComment(Join({LineStart(v.identifier, identifierWidth), PadRight(v.frequency, 7),
                                 LatitudeText(v.latitude), LongitudeText(v.longitude)}),
                           v.comment));
        w.elementDone();
    }
}

// Routes: one line per segment, the name on the first segment's line. Procedures and
// airways are written only when selected; boundaries always, their flag meaning nothing.
// Boundary names take the same 25 columns as procedure names, so that the points stand at
// the columns the reader cuts.
void WriteRoutes(Writer &w, const QList<ROUTE> &table, bool onlySelected)
{
    const QString blanks(kRouteNameWidth, QLatin1Char(' '));
    for (const ROUTE &route : table) {
        if (onlySelected && !route.selected)
            continue;
        for (qsizetype i = 0; i < route.segments.size(); ++i)
            w.line(Join({i == 0 ? LineStart(route.name, kRouteNameWidth) : blanks,
                         SegmentCoordinates(route.segments[i])}));
        w.elementDone();
    }
}

} // namespace

void WriteSector(const SectorTables &tables, const SectorIdentity &identity, const QString &sourceName,
                 QStringList &lines, const WriterProgress &progress)
{
    Writer w(lines, progress);

    w.line(QStringLiteral("; Ce fichier secteur a été modifié par le logiciel ZAZ"));
    w.line(QStringLiteral("; à partir du fichier secteur original: ") + sourceName);

    w.section("[INFO]");
    for (int i = 0; i < kInfoLines; ++i)
        w.line(identity.infoLines[std::size_t(i)]);
    w.elementDone();

    w.separator();
    for (const t_define &d : tables.defines) {
        w.line(QStringLiteral("#define ") + d.name + QLatin1Char(' ') + d.value);
        w.elementDone();
    }

    w.section("[VOR]");
    // VOR identifiers take 4 columns: a three-letter identifier read from a free-form line
    // gets its filling blank, so the frequency and coordinates stand where the reader cuts.
    WriteNavaids(w, tables.vors, 4);
    w.section("[NDB]");
    WriteNavaids(w, tables.ndbs, 5);

    w.section("[FIXES]");
    for (const FIXE &f : tables.fixes) {
        if (!f.selected)
            continue;
        w.line(WithComment(Join({LineStart(f.name, 5), LatitudeText(f.latitude), LongitudeText(f.longitude)}),
                           f.comment));
        w.elementDone();
    }

    w.section("[AIRPORT]");
    for (const Airport &a : tables.airports) {
        w.line(WithComment(Join({LineStart(a.identifier, 4), PadRight(a.frequency, 7), LatitudeText(a.latitude),
                                 LongitudeText(a.longitude), PadRight(a.airspaceClass, 1)}),
                           a.comment));
        w.elementDone();
    }

    w.section("[RUNWAY]");
    for (const RUNWAY &r : tables.runways) {
        w.line(WithComment(Join({LineStart(r.number, 3), PadRight(r.oppositeNumber, 3), PadRight(r.heading, 3),
                                 PadRight(r.oppositeHeading, 3), LatitudeText(r.latitude),
                                 LongitudeText(r.longitude), LatitudeText(r.oppositeLatitude),
                                 LongitudeText(r.oppositeLongitude)}),
                           r.comment));
        w.elementDone();
    }

    w.section("[SID]");
    WriteRoutes(w, tables.sids, true);
    w.section("[STAR]");
    WriteRoutes(w, tables.stars, true);
    w.section("[LOW AIRWAY]");
    WriteRoutes(w, tables.lowAirways, true);
    w.section("[HIGH AIRWAY]");
    WriteRoutes(w, tables.highAirways, true);

    w.section("[ARTCC]");
    WriteRoutes(w, tables.artcc, false);
    w.section("[ARTCC LOW]");
    WriteRoutes(w, tables.artccLow, false);
    w.section("[ARTCC HIGH]");
    WriteRoutes(w, tables.artccHigh, false);

    w.section("[GEO]");
    for (const GEO &g : tables.geo) {
        w.line(Join({LatitudeText(g.lat1), LongitudeText(g.lon1), LatitudeText(g.lat2), LongitudeText(g.lon2),
                     g.colourName}));
        w.elementDone();
    }

    w.line(QStringLiteral(";"));
    w.line(QStringLiteral(";"));
    w.elementDone();
}

bool SaveLines(const QString &path, const QStringList &lines, QString &error)
{
    QString text;
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const QString &line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return SafeSaveBytes(path, EncodeCp1252(text), error);
}

} // namespace zaz
