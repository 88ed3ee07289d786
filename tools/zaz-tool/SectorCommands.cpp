// zaz-tool sector check | dump | save: the sector reader and writer of the program, driven
// from the command line with the settings of a ZAZ.ini folder.
#include "Json.h"
#include "Tool.h"
#include "ToolSettings.h"

#include "core/ColorText.h"
#include "sector/SectorReader.h"
#include "sector/SectorWriter.h"

namespace zaz::tool {

namespace {

const OptionDef kSelectAllOption{"--select-all", false, ""};

// The tables in the order of the counts and of the dump.
struct RouteTable {
    const char *name;
    const QList<ROUTE> SectorTables::*table;
};
constexpr RouteTable kRouteTables[] = {
    {"sid", &SectorTables::sids},
    {"star", &SectorTables::stars},
    {"low_airways", &SectorTables::lowAirways},
    {"high_airways", &SectorTables::highAirways},
    {"artcc", &SectorTables::artcc},
    {"artcc_low", &SectorTables::artccLow},
    {"artcc_high", &SectorTables::artccHigh},
};

void WriteCounts(JsonWriter &json, const SectorTables &t)
{
    json.BeginObject()
        .Member("info", t.info.size())
        .Member("vor", t.vors.size())
        .Member("ndb", t.ndbs.size())
        .Member("fixes", t.fixes.size())
        .Member("airports", t.airports.size())
        .Member("runways", t.runways.size());
    for (const RouteTable &r : kRouteTables)
        json.Member(r.name, (t.*r.table).size());
    json.Member("geo", t.geo.size())
        .Member("taxiways", t.taxiways.size())
        .Member("parkings", t.parkings.size())
        .Member("defines", t.defines.size())
        .EndObject();
}

int Check(const QStringList &arguments, Output &out)
{
    const ParsedArguments args = ParseArguments(arguments, {kSettingsOption}, {QStringLiteral("FICHIER")});
    const SectorReadSettings settings = ReadSettingsFrom(args);
    double elapsedMs = 0;
    const SectorLoadResult result = LoadSector(args.positional[0], settings, &elapsedMs);
    const SectorIdentity &id = result.identity;

    JsonWriter json(out.buffer(), 2);
    json.BeginObject().Key("counts");
    WriteCounts(json, result.tables);
    json.Key("identity")
        .BeginObject()
        .Member("name", id.name)
        .Member("callsign", id.callsign)
        .Member("airport", id.airport)
        .Member("lat", id.ownLat)
        .Member("lon", id.ownLon)
        .Member("frequency", id.ownFrequency)
        .Member("declination_text", id.declinationText)
        .Member("declination", id.declination)
        .Member("nm_per_deg_lon", result.nmPerDegLon)
        .EndObject();
    json.Member("tolerant_lines", result.tolerantLines)
        .Member("errors", result.errorText)
        .Member("summary", result.summary)
        .Key("elapsed_ms")
        .Fixed(elapsedMs, 3)
        .EndObject();
    out.Write("\n");
    return kExitOk;
}

// One JSON line: {"table":..,"index":.., <fields>}.
class DumpLine {
public:
    DumpLine(Output &out, const char *table, qsizetype index) : out_(out), json_(out.buffer())
    {
        json_.BeginObject().Key("table").Utf8(table).Member("index", index);
    }
    ~DumpLine()
    {
        json_.EndObject();
        out_.buffer() += '\n';
        out_.Commit();
    }
    JsonWriter &json() { return json_; }

private:
    Output &out_;
    JsonWriter json_;
};

void DumpNavaids(Output &out, const char *table, const QList<VOR> &navaids)
{
    for (qsizetype i = 0; i < navaids.size(); ++i) {
        const VOR &v = navaids[i];
        DumpLine line(out, table, i);
        line.json()
            .Member("identifier", v.identifier)
            .Member("frequency", v.frequency)
            .Member("lat", v.latitude)
            .Member("lon", v.longitude)
            .Key("details_shown")
            .Flag(v.detailsShown)
            .Member("comment", v.comment);
    }
}

void DumpLabels(Output &out, const char *table, const QList<Taxiway> &labels)
{
    for (qsizetype i = 0; i < labels.size(); ++i) {
        const Taxiway &t = labels[i];
        DumpLine(out, table, i)
            .json()
            .Member("label", t.label)
            .Member("lat", t.latitude)
            .Member("lon", t.longitude)
            .Member("detail", int(t.detailIndex));
    }
}

int Dump(const QStringList &arguments, Output &out)
{
    const ParsedArguments args = ParseArguments(arguments, {kSettingsOption}, {QStringLiteral("FICHIER")});
    const SectorReadSettings settings = ReadSettingsFrom(args);
    const SectorLoadResult result = LoadSector(args.positional[0], settings);
    const SectorTables &t = result.tables;

    for (qsizetype i = 0; i < t.info.size(); ++i) {
        DumpLine line(out, "info", i);
        line.json().Key("lines").BeginArray();
        for (const QString &text : t.info[i])
            line.json().String(text);
        line.json().EndArray();
    }
    DumpNavaids(out, "vor", t.vors);
    DumpNavaids(out, "ndb", t.ndbs);
    for (qsizetype i = 0; i < t.fixes.size(); ++i) {
        const FIXE &f = t.fixes[i];
        DumpLine(out, "fixes", i)
            .json()
            .Member("name", f.name)
            .Member("lat", f.latitude)
            .Member("lon", f.longitude)
            .Key("selected")
            .Flag(f.selected)
            .Member("comment", f.comment);
    }
    for (qsizetype i = 0; i < t.airports.size(); ++i) {
        const Airport &a = t.airports[i];
        DumpLine(out, "airports", i)
            .json()
            .Member("identifier", a.identifier)
            .Member("frequency", a.frequency)
            .Member("lat", a.latitude)
            .Member("lon", a.longitude)
            .Member("airspace_class", a.airspaceClass)
            .Member("comment", a.comment);
    }
    for (qsizetype i = 0; i < t.runways.size(); ++i) {
        const RUNWAY &r = t.runways[i];
        DumpLine(out, "runways", i)
            .json()
            .Member("number", r.number)
            .Member("opposite_number", r.oppositeNumber)
            .Member("heading", r.heading)
            .Member("opposite_heading", r.oppositeHeading)
            .Member("lat", r.latitude)
            .Member("lon", r.longitude)
            .Member("opposite_lat", r.oppositeLatitude)
            .Member("opposite_lon", r.oppositeLongitude)
            .Member("comment", r.comment);
    }
    for (const RouteTable &table : kRouteTables) {
        const QList<ROUTE> &routes = t.*table.table;
        for (qsizetype i = 0; i < routes.size(); ++i) {
            const ROUTE &r = routes[i];
            DumpLine line(out, table.name, i);
            JsonWriter &json = line.json();
            json.Member("name", r.name).Key("selected").Flag(r.selected).Key("segments").BeginArray();
            for (const RouteSegment &s : r.segments)
                json.BeginArray().Float(s.lat1).Float(s.lon1).Float(s.lat2).Float(s.lon2).EndArray();
            json.EndArray();
        }
    }
    for (qsizetype i = 0; i < t.geo.size(); ++i) {
        const GEO &g = t.geo[i];
        DumpLine(out, "geo", i)
            .json()
            .Member("lat1", g.lat1)
            .Member("lon1", g.lon1)
            .Member("lat2", g.lat2)
            .Member("lon2", g.lon2)
            .Member("color", ToQColor(g.colour).name())
            .Member("detail", int(g.detailIndex))
            .Member("color_name", g.colourName);
    }
    DumpLabels(out, "taxiways", t.taxiways);
    DumpLabels(out, "parkings", t.parkings);
    for (qsizetype i = 0; i < t.defines.size(); ++i) {
        const t_define &d = t.defines[i];
        DumpLine(out, "defines", i).json().Member("name", d.name).Member("value", d.value);
    }
    return kExitOk;
}

template <typename Record>
void SelectEvery(QList<Record> &table)
{
    for (Record &r : table)
        r.selected = 1;
}

int Save(const QStringList &arguments, Output &)
{
    const ParsedArguments args = ParseArguments(arguments, {kSettingsOption, kSelectAllOption},
                                                {QStringLiteral("ENTRÉE"), QStringLiteral("SORTIE")});
    const SectorReadSettings settings = ReadSettingsFrom(args);
    const QString in = args.positional[0];
    const QString outPath = args.positional[1];
    SectorLoadResult result = LoadSector(in, settings);
    if (args.HasFlag("--select-all")) {
        SelectEvery(result.tables.fixes);
        SelectEvery(result.tables.sids);
        SelectEvery(result.tables.stars);
        SelectEvery(result.tables.lowAirways);
        SelectEvery(result.tables.highAirways);
    }
    QStringList lines;
    WriteSector(result.tables, result.identity, in, lines);
    QString error;
    if (!SaveLines(outPath, lines, error))
        IoError(OneLine(error.isEmpty() ? QStringLiteral("écriture impossible : %1").arg(outPath) : error));
    return kExitOk;
}

} // namespace

QString SectorUsage()
{
    return QStringLiteral(
        "  zaz-tool sector check FICHIER [--settings DOSSIER]\n"
        "      charge le secteur comme le programme et écrit un objet JSON : nombre\n"
        "      d'éléments de chaque table, identité, lignes lues par mots, erreurs de\n"
        "      coordonnées, message de résumé, durée du chargement (ms)\n"
        "  zaz-tool sector dump FICHIER [--settings DOSSIER]\n"
        "      écrit chaque élément du secteur, un objet JSON par ligne, table par table\n"
        "  zaz-tool sector save ENTRÉE SORTIE [--select-all] [--settings DOSSIER]\n"
        "      charge ENTRÉE et l'écrit dans SORTIE avec l'écriture de secteur du programme ;\n"
        "      --select-all sélectionne d'abord tous les fixes, SID, STAR et airways\n"
        "\n"
        "  --settings DOSSIER  dossier de ZAZ.ini (couleurs de détail, sélections) ;\n"
        "                      par défaut le dossier courant ; sans ZAZ.ini, réglages vides\n");
}

int RunSectorCommand(const QStringList &arguments, Output &out)
{
    if (arguments.isEmpty())
        UsageError(QStringLiteral("commande incomplète : sector check, sector dump ou sector save"));
    const QString command = arguments[0];
    const QStringList rest = arguments.mid(1);
    if (command == QLatin1String("check"))
        return Check(rest, out);
    if (command == QLatin1String("dump"))
        return Dump(rest, out);
    if (command == QLatin1String("save"))
        return Save(rest, out);
    UsageError(QStringLiteral("commande inconnue : sector %1").arg(command));
}

} // namespace zaz::tool
