// zaz-tool route | plan: the route builder of the program on a loaded sector, and the
// reading of a simulator flight-plan file, as the program does them.
#include "Json.h"
#include "Tool.h"
#include "ToolSettings.h"

#include "state/RadarState.h"
#include "core/Text.h"
#include "traffic/FlightPlanFile.h"
#include "traffic/Routes.h"

#include <QFileInfo>

namespace zaz::tool {

namespace {

// The names of the airways of one table that the builder marked, each once, in the order
// the route met them.
void AppendAirwayNames(QStringList &names, const QList<ROUTE> &table, const QList<int> &found)
{
    QList<int> seen;
    for (int index : found) {
        if (index < 0 || index >= table.size() || seen.contains(index))
            continue;
        seen << index;
        names << TrimText(table[index].name);
    }
}

} // namespace

int RunRouteCommand(const QStringList &arguments, Output &out)
{
    const ParsedArguments args = ParseArguments(arguments, {kSectorOption, kSettingsOption},
                                                {QStringLiteral("ROUTE")});
    if (!args.hasValue("--sector"))
        UsageError(QStringLiteral("option manquante : --sector FICHIER"));
    const SectorReadSettings settings = ReadSettingsFrom(args);
    RadarState state;
    ApplySectorLoad(state, LoadSector(args.value("--sector"), settings));

    const t_tranches fields = SplitText(QStringLiteral("/"), NormaliseRoute(args.positional[0]));
    QList<int> high, low;
    const t_proute points = BuildRoute(state.sector, fields, int(fields.size()) - 1, &high, &low);
    QStringList airways;
    AppendAirwayNames(airways, state.sector.tables.highAirways, high);
    AppendAirwayNames(airways, state.sector.tables.lowAirways, low);

    JsonWriter json(out.buffer(), 2);
    json.beginObject();
    json.member("fields", fields);
    json.key("points").beginArray();
    for (const RoutePoint &p : points) {
        const bool known = p.element >= 0 && p.element < fields.size();
        json.beginObject()
            .member("lat", p.lat)
            .member("lon", p.lon)
            .member("element", p.element)
            .member("text", known ? fields[p.element] : QString())
            .endObject();
    }
    json.endArray();
    json.member("selected_airways", airways);
    json.endObject();
    out.write("\n");
    return kExitOk;
}

int RunPlanCommand(const QStringList &arguments, Output &out)
{
    const ParsedArguments args = ParseArguments(arguments, {}, {QStringLiteral("FICHIER.PLN")});
    const QString path = args.positional[0];
    const QFileInfo info(path);
    if (!info.exists())
        IoError(QStringLiteral("fichier introuvable : %1").arg(path));
    if (info.isDir())
        IoError(QStringLiteral("c'est un dossier, pas un fichier : %1").arg(path));
    FlightPlanFiles files;
    QString error;
    if (!LoadPlanFile(files, path, error))
        IoError(OneLine(error.isEmpty() ? QStringLiteral("lecture impossible : %1").arg(path) : error));
    ParsePlan(files);

    JsonWriter json(out.buffer(), 2);
    json.beginObject();
    json.member("display", files.PlanDisplayList);
    json.member("waypoints", files.PlanWaypointList);
    json.member("route", JoinWaypoints(files.PlanWaypointList)).endObject();
    out.write("\n");
    return kExitOk;
}

QString RouteUsage()
{
    return QStringLiteral(
        "\n"
        "  zaz-tool route --sector FICHIER [--settings DOSSIER] ROUTE\n"
        "      normalise ROUTE comme la route d'un plan de vol, la construit sur le secteur\n"
        "      (--settings comme ci-dessus) et écrit un objet JSON : éléments, points (lat,\n"
        "      lon, élément, texte) et airways sélectionnées (hautes puis basses)\n");
}

QString PlanUsage()
{
    return QStringLiteral(
        "  zaz-tool plan FICHIER.PLN\n"
        "      lit un plan de vol du simulateur et écrit un objet JSON : lignes affichées,\n"
        "      points de report et texte de la route\n");
}

} // namespace zaz::tool
