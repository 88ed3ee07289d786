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
    json.beginObject()
        .member("info", t.info.size())
        .member("vor", t.vors.size())
        .member("ndb", t.ndbs.size())
        .member("fixes", t.fixes.size())
        .member("airports", t.airports.size())
        .member("runways", t.runways.size());
    for (const RouteTable &r : kRouteTables)
        json.member(r.name, (t.*r.table).size());
    json.member("geo", t.geo.size())
        .member("taxiways", t.taxiways.size())
        .member("parkings", t.parkings.size())
        .member("defines", t.defines.size())
        .endObject();
}

int Check(const QStringList &arguments, Output &out)
{
    const ParsedArguments args = ParseArguments(arguments, {kSettingsOption}, {QStringLiteral("FICHIER")});
    const SectorReadSettings settings = ReadSettingsFrom(args);
    double elapsedMs = 0;
    const SectorLoadResult result = LoadSector(args.positional[0], settings, &elapsedMs);
    const SectorIdentity &id = result.identity;

    JsonWriter json(out.buffer(), 2);
    json.beginObject().key("counts");
    WriteCounts(json, result.tables);
    json.key("identity")
        .beginObject()
        .member("name", id.name)
        .member("callsign", id.callsign)
        .member("airport", id.airport)
        .member("lat", id.ownLat)
        .member("lon", id.ownLon)
        .member("frequency", id.ownFrequency)
        .member("declination_text", id.declinationText)
        .member("declination", id.declination)
        .member("nm_per_deg_lon", result.nmPerDegLon)
        .endObject();
    json.member("tolerant_lines", result.tolerantLines)
        .member("errors", result.errorText)
        .key("unresolved_lines")
        .beginArray();
    for (const int line : result.unresolvedLines)
        json.integer(line);
    json.endArray()
        .member("summary", result.summary)
        .key("elapsed_ms")
        .fixed(elapsedMs, 3)
        .endObject();
    out.write("\n");
    return kExitOk;
}

// One JSON line: {"table":..,"index":.., <fields>}.
class DumpLine {
public:
    DumpLine(Output &out, const char *table, qsizetype index) : out_(out), json_(out.buffer())
    {
        json_.beginObject().key("table").Utf8(table).member("index", index);
    }
    ~DumpLine()
    {
        json_.endObject();
        out_.buffer() += '\n';
        out_.commit();
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
            .member("identifier", v.identifier)
            .member("frequency", v.frequency)
            .member("lat", v.latitude)
            .member("lon", v.longitude)
            .key("details_shown")
            .flag(v.detailsShown)
            .member("comment", v.comment);
    }
}

void DumpLabels(Output &out, const char *table, const QList<Taxiway> &labels)
{
    for (qsizetype i = 0; i < labels.size(); ++i) {
        const Taxiway &t = labels[i];
        DumpLine(out, table, i)
            .json()
            .member("label", t.label)
            .member("lat", t.latitude)
            .member("lon", t.longitude)
            .member("detail", int(t.detailIndex));
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
        line.json().key("lines").beginArray();
        for (const QString &text : t.info[i])
            line.json().string(text);
        line.json().endArray();
    }
    DumpNavaids(out, "vor", t.vors);
    DumpNavaids(out, "ndb", t.ndbs);
    for (qsizetype i = 0; i < t.fixes.size(); ++i) {
        const FIXE &f = t.fixes[i];
        DumpLine(out, "fixes", i)
            .json()
            .member("name", f.name)
            .member("lat", f.latitude)
            .member("lon", f.longitude)
            .key("selected")
            .flag(f.selected)
            .member("comment", f.comment);
    }
    for (qsizetype i = 0; i < t.airports.size(); ++i) {
        const Airport &a = t.airports[i];
        DumpLine(out, "airports", i)
            .json()
            .member("identifier", a.identifier)
            .member("frequency", a.frequency)
            .member("lat", a.latitude)
            .member("lon", a.longitude)
            .member("airspace_class", a.airspaceClass)
            .member("comment", a.comment);
    }
    for (qsizetype i = 0; i < t.runways.size(); ++i) {
        const RUNWAY &r = t.runways[i];
        DumpLine(out, "runways", i)
            .json()
            .member("number", r.number)
            .member("opposite_number", r.oppositeNumber)
            .member("heading", r.heading)
            .member("opposite_heading", r.oppositeHeading)
            .member("lat", r.latitude)
            .member("lon", r.longitude)
            .member("opposite_lat", r.oppositeLatitude)
            .member("opposite_lon", r.oppositeLongitude)
            .member("comment", r.comment);
    }
    for (const RouteTable &table : kRouteTables) {
        const QList<ROUTE> &routes = t.*table.table;
        for (qsizetype i = 0; i < routes.size(); ++i) {
            const ROUTE &r = routes[i];
            DumpLine line(out, table.name, i);
            JsonWriter &json = line.json();
            json.member("name", r.name).key("selected").flag(r.selected).key("segments").beginArray();
            for (const RouteSegment &s : r.segments)
                json.beginArray().real(s.lat1).real(s.lon1).real(s.lat2).real(s.lon2).endArray();
            json.endArray();
        }
    }
    for (qsizetype i = 0; i < t.geo.size(); ++i) {
        const GEO &g = t.geo[i];
        DumpLine(out, "geo", i)
            .json()
            .member("lat1", g.lat1)
            .member("lon1", g.lon1)
            .member("lat2", g.lat2)
            .member("lon2", g.lon2)
            .member("color", ToQColor(g.colour).name())
            .member("detail", int(g.detailIndex))
            .member("color_name", g.colourName);
    }
    DumpLabels(out, "taxiways", t.taxiways);
    DumpLabels(out, "parkings", t.parkings);
    for (qsizetype i = 0; i < t.defines.size(); ++i) {
        const t_define &d = t.defines[i];
        DumpLine(out, "defines", i).json().member("name", d.name).member("value", d.value);
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
    if (args.hasFlag("--select-all")) {
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
        "      coordonnées, lignes de route ou GEO dont un point n'est ni une coordonnée\n"
        "      ni un nom connu, message de résumé, durée du chargement (ms)\n"
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
