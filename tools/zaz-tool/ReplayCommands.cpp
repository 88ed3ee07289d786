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
    json.Key("traffic").BeginArray();
    const TrafficTable &table = state.traffic.table;
    for (int i = 0; i < table.size(); ++i) {
        const AVION &a = table[i];
        if (a.callsign.isEmpty())
            continue;
        json.BeginObject()
            .Member("index", i)
            .Key("live")
            .Flag(live.contains(QString::number(i)))
            .Member("callsign", a.callsign)
            .Member("squawk", a.squawk)
            .Member("lat", a.lat)
            .Member("lon", a.lon)
            .Member("altitude", a.altitude)
            .Member("prevAltitude", a.prevAltitude)
            .Member("groundSpeed", a.groundSpeed)
            .Key("heading")
            .Float(float(a.heading))
            .Member("transponderMode", a.transponderMode)
            .Key("hasFlightPlan")
            .Flag(a.hasFlightPlan)
            .Key("ifr")
            .Flag(a.ifr)
            .Member("acType", a.acType)
            .Member("departure", a.departure)
            .Member("destination", a.destination)
            .Member("alternate", a.alternate)
            .Member("tas", a.tas)
            .Member("cruiseLevel", a.cruiseLevel)
            .Member("route", a.route)
            .Member("remarks", a.remarks)
            .Member("routePoints", a.routePoints.size())
            .Member("nextPoint", a.nextPoint)
            .Member("handoffFrom", a.handoffFrom)
            .Member("handoffState", a.handoffState)
            .Key("hasStrip")
            .Flag(a.hasStrip)
            .Key("alert")
            .Flag(a.alert)
            .EndObject();
        out.Commit();
    }
    json.EndArray();
}

void WriteControllers(JsonWriter &json, const RadarState &state)
{
    json.Key("controllers").BeginArray();
    const QList<t_controller> &table = state.controllers.ControllerTable;
    for (qsizetype i = 0; i < table.size(); ++i) {
        const t_controller &c = table[i];
        if (c.callsign.isEmpty())
            continue;
        json.BeginObject()
            .Member("index", i)
            .Member("callsign", c.callsign)
            .Member("frequency", c.frequency)
            .Member("facilityText", c.facilityText)
            .Member("ratingText", c.ratingText)
            .Member("range", c.range)
            .Member("lat", c.lat)
            .Member("lon", c.lon)
            .Member("altitude", c.altitude)
            .Key("inRadioList")
            .Flag(c.inRadioList)
            .EndObject();
    }
    json.EndArray();
}

void WriteWind(JsonWriter &json, const t_wind &w)
{
    json.BeginObject()
        .Member("altitude", w.altitude)
        .Member("temperature", w.temperature)
        .Member("direction", w.direction)
        .Member("sectorStart", w.sectorStart)
        .Member("sectorEnd", w.sectorEnd)
        .Member("speed", w.speed)
        .Member("unit", w.unit)
        .Member("gust", w.gust)
        .Member("depth", w.depth)
        .Member("turbulence", w.turbulence)
        .Member("shear", w.shear)
        .EndObject();
}

void WriteWeather(JsonWriter &json, const WeatherState &weather)
{
    const t_weather &w = weather.CurrentWeather;
    json.Key("weather")
        .BeginObject()
        .Member("station", w.station)
        .Member("time", w.time)
        .Member("rawMetar", weather.rawMetar)
        .Key("newMetar")
        .Flag(weather.newMetar)
        .Member("qnh", weather.qnhText)
        .Member("altimeter", weather.altimeterText)
        .Member("pressure", w.pressureText)
        .Member("windUnit", weather.windUnit)
        .Key("wind");
    WriteWind(json, w.wind);
    json.Key("windsAloft").BeginArray();
    for (const t_wind &layer : w.windsAloft)
        WriteWind(json, layer);
    json.EndArray();
    json.Key("clouds").BeginArray();
    for (const t_cloud &c : w.clouds) {
        json.BeginObject()
            .Member("height", c.height)
            .Member("cover", c.cover)
            .Member("top", c.top)
            .Member("turbulence", c.turbulence)
            .Member("precipIntensity", c.precipIntensity)
            .Member("precipType", c.precipType)
            .Member("base", c.base)
            .Member("icing", c.icing)
            .EndObject();
    }
    json.EndArray();
    json.Key("temperatures").BeginArray();
    for (const t_temperature &t : w.temperatures) {
        json.BeginObject()
            .Member("temperature", t.temperature)
            .Member("dewPoint", t.dewPoint)
            .Member("altitude", t.altitude)
            .EndObject();
    }
    json.EndArray();
    json.EndObject();
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
    if (args.HasValue("--sector"))
        ApplySectorLoad(state, LoadSector(args.Value("--sector"), readSettings));
    const ReplayResult replay = ReplayCapture(state, args.positional[0], login);

    JsonWriter json(out.buffer(), 2);
    json.BeginObject();
    WriteTraffic(json, out, state);
    WriteControllers(json, state);
    json.Member("radio", state.link.RadioMessages);
    QStringList strips, stripKeys, stripCallsigns;
    for (const Strip &strip : state.traffic.strips.entries) {
        strips << strip.line;
        stripKeys << Copy(strip.line, 1, 3);
        stripCallsigns << strip.callsign;
    }
    json.Member("strips", strips);
    json.Member("stripKeys", stripKeys);
    json.Member("stripCallsigns", stripCallsigns);
    json.Member("filedPlans", state.traffic.FiledPlans);
    WriteWeather(json, state.weather);
    out.Commit();
    json.Member("sent", replay.sent);
    const LineLog &errors = state.link.ErrorLog;
    json.Member("errors", errors.total());
    json.Member("errorLines", errors.lines);
    json.Member("refusedAircraft", state.traffic.refusedAircraft);
    json.Key("elapsed_ms").Fixed(replay.elapsedMs, 3).EndObject();
    out.Write("\n");
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
        "      tick par lecture ; toute fin de ligne du fichier (CR LF, LF ou CR) compte comme\n"
        "      CR LF ; horloge fixe partant du 01/01/2000 12:00:00 UTC, 100 ms par tick.\n"
        "      Écrit un objet JSON : trafic, contrôleurs, radio, strips, plans déposés,\n"
        "      météo, lignes envoyées, erreurs et durée (ms) ; --settings donne le ZAZ.ini\n"
        "      des textes de qualification et de position\n");
}

} // namespace zaz::tool
