// zaz-tool replay: the lines of a capture fed to the program's own dispatcher as if the
// server had sent them after a login, then everything the lines changed printed as JSON.
#include "ReplayCommands.h"

#include "Json.h"
#include "ReplayFeed.h"
#include "ToolSettings.h"

#include "state/RadarState.h"
#include "state/Settings.h"

#include <QSet>

namespace zaz::tool {

namespace {

void WriteTraffic(JsonWriter &json, Output &out, const RadarState &state)
{
    QSet<QString> live;
    for (const QString &index : state.traffic.LiveTrafficList)
        live.insert(index);
    json.key("traffic").beginArray();
    const TrafficTable &table = state.traffic.table;
    for (int i = 0; i < table.size(); ++i) {
        const AVION &a = table[i];
        if (a.callsign.isEmpty())
            continue;
        json.beginObject()
            .member("index", i)
            .key("live")
            .flag(live.contains(QString::number(i)))
            .member("callsign", a.callsign)
            .member("squawk", a.squawk)
            .member("lat", a.lat)
            .member("lon", a.lon)
            .member("altitude", a.altitude)
            .member("prevAltitude", a.prevAltitude)
            .member("groundSpeed", a.groundSpeed)
            .key("heading")
            .real(float(a.heading))
            .member("transponderMode", a.transponderMode)
            .key("hasFlightPlan")
            .flag(a.hasFlightPlan)
            .key("ifr")
            .flag(a.ifr)
            .member("acType", a.acType)
            .member("departure", a.departure)
            .member("destination", a.destination)
            .member("alternate", a.alternate)
            .member("tas", a.tas)
            .member("cruiseLevel", a.cruiseLevel)
            .member("route", a.route)
            .member("remarks", a.remarks)
            .member("routePoints", a.routePoints.size())
            .member("nextPoint", a.nextPoint)
            .member("handoffFrom", a.handoffFrom)
            .member("handoffState", a.handoffState)
            .key("hasStrip")
            .flag(a.hasStrip)
            .key("alert")
            .flag(a.alert)
            .endObject();
        out.commit();
    }
    json.endArray();
}

void WriteControllers(JsonWriter &json, const RadarState &state)
{
    json.key("controllers").beginArray();
    const QList<t_controller> &table = state.controllers.ControllerTable;
    for (qsizetype i = 0; i < table.size(); ++i) {
        const t_controller &c = table[i];
        if (c.callsign.isEmpty())
            continue;
        json.beginObject()
            .member("index", i)
            .member("callsign", c.callsign)
            .member("frequency", c.frequency)
            .member("facilityText", c.facilityText)
            .member("ratingText", c.ratingText)
            .member("range", c.range)
            .member("lat", c.lat)
            .member("lon", c.lon)
            .member("altitude", c.altitude)
            .key("inRadioList")
            .flag(c.inRadioList)
            .endObject();
    }
    json.endArray();
}

void WriteWeather(JsonWriter &json, const WeatherState &weather)
{
    json.key("weather").beginObject();
    WriteWeatherMembers(json, weather);
    json.member("rawMetar", weather.rawMetar).key("newMetar").flag(weather.newMetar).endObject();
}

} // namespace

int RunReplayCommand(const QStringList &arguments, Output &out)
{
    const ParsedArguments args = ParseArguments(
        arguments, {kServerTypeOption, kSectorOption, kSettingsOption, kOwnOption}, {QStringLiteral("FICHIER")});
    const ReplayLogin login = ReplayLoginFrom(args);

    // The settings folder is checked even without a sector; its ZAZ.ini names the ratings
    // and facilities of the controllers.
    const SectorReadSettings readSettings = ReadSettingsFrom(args);
    RadarState state;
    if (OpenSettingsFile(SettingsFolder(args), state))
        Settings::ReadCodeTexts(*state.files.zaz, state.link.codeTexts);
    if (args.hasValue("--sector"))
        ApplySectorLoad(state, LoadSector(args.value("--sector"), readSettings));
    const ReplayResult replay = ReplayCapture(state, args.positional[0], login);

    JsonWriter json(out.buffer(), 2);
    json.beginObject();
    WriteTraffic(json, out, state);
    WriteControllers(json, state);
    json.member("radio", state.link.RadioMessages);
    QStringList strips, stripKeys, stripCallsigns;
    for (const Strip &strip : state.traffic.strips.entries) {
        strips << strip.line;
        stripKeys << Copy(strip.line, 1, 3);
        stripCallsigns << strip.callsign;
    }
    json.member("strips", strips);
    json.member("stripKeys", stripKeys);
    json.member("stripCallsigns", stripCallsigns);
    json.member("filedPlans", state.traffic.FiledPlans);
    WriteWeather(json, state.weather);
    out.commit();
    json.member("sent", replay.sent);
    const LineLog &errors = state.link.ErrorLog;
    json.member("errors", errors.total());
    json.member("errorLines", errors.lines);
    json.member("refusedAircraft", state.traffic.refusedAircraft);
    json.key("elapsed_ms").fixed(replay.elapsedMs, 3).endObject();
    out.write("\n");
    return kExitOk;
}

QString ReplayUsage()
{
    return QStringLiteral(
        "\n"
        "  zaz-tool replay FICHIER [--server-type FSD|VIREO-SERVER] [--sector FICHIER]\n"
        "                  [--settings DOSSIER] [--own INDICATIF]\n"
        "      rejoue une capture de lignes du serveur comme si elles arrivaient après une\n"
        "      connexion acceptée (indicatif INDICATIF, ZAZ_OBS par défaut ; serveur FSD par\n"
        "      défaut ; COM1 : fréquence de l'aéroport du secteur) : lectures de 64 Kio, un\n"
        "      tick par lecture suivi du pas du modèle d'un redessin, jusqu'à ce que toutes\n"
        "      les demandes de plan de vol soient parties ; toute fin de ligne du fichier (CR\n"
        "      LF, LF ou CR) compte comme CR LF ; horloge fixe partant du 01/01/2000 12:00:00\n"
        "      UTC, 100 ms par tick. Écrit un objet JSON : trafic, contrôleurs, radio, strips\n"
        "      (et l'indicatif de chacun : stripCallsigns), plans déposés, météo, lignes\n"
        "      envoyées, erreurs, avions refusés table pleine (refusedAircraft) et durée (ms) ;\n"
        "      --settings donne le ZAZ.ini\n"
        "      des textes de qualification et de position\n");
}

} // namespace zaz::tool
