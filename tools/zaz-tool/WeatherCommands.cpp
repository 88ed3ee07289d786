// zaz-tool weather fetch: the stations around the sector's own position fetched from the
// weather server of the settings, as the program fetches them.
#include "Json.h"
#include "Tool.h"
#include "ToolSettings.h"

#include "core/Text.h"
#include "state/RadarState.h"
#include "state/Settings.h"
#include "weather/MetarFetch.h"
#include "weather/Stations.h"

#include <QEventLoop>
#include <QTimer>

namespace zaz::tool {

namespace {

const OptionDef kRadiusOption = {"--radius", true, "MILLES"};
// The whole fetch may take this long; each station's reply at most kReplyTimeoutMs.
constexpr int kOverallTimeoutMs = 120000;
constexpr int kReplyTimeoutMs = 20000;

int RunFetch(const QStringList &arguments, Output &out)
{
    const ParsedArguments args = ParseArguments(arguments, {kSectorOption, kSettingsOption, kRadiusOption}, {});
    if (!args.hasValue("--sector"))
        UsageError(QStringLiteral("option manquante : --sector FICHIER"));
    int radius = 0;
    if (args.hasValue("--radius") && (!TryStrToInt(args.value("--radius"), radius) || radius < 0))
        UsageError(QStringLiteral("rayon invalide : %1").arg(args.value("--radius")));

    RadarState state;
    if (OpenSettingsFile(SettingsFolder(args), state)) {
        SettingsReport report;
        Settings::ReadWeather(*state.files.zaz, state.weather, report);
    }
    if (state.weather.server.address.trimmed().isEmpty())
        IoError(QStringLiteral("pas d'adresse de serveur météo (ZAZ.ini, [server meteo] adresse)"));
    if (args.hasValue("--radius"))
        state.weather.server.radius = IntToStr(radius);
    // The load builds the station list around the sector's own position.
    ApplySectorLoad(state, LoadSector(args.value("--sector"), ReadSettingsFrom(args)));
    state.weather.CurrentWeather.source = state.weather.server.server;

    MetarFetch fetch(state.weather, state.sector);
    fetch.setReplyTimeout(kReplyTimeoutMs);
    QEventLoop loop;
    QString status;
    QObject::connect(&fetch, &MetarFetch::finished, &loop, [&](const QString &text) {
        status = text;
        loop.quit();
    });
    QTimer::singleShot(kOverallTimeoutMs, &loop, &QEventLoop::quit);
    fetch.StartInternetFetch();
    loop.exec();
    if (status.isEmpty())
        status = state.weather.stations.loadingText; // still running at the timeout

    JsonWriter json(out.buffer(), 2);
    json.beginObject();
    json.key("stations").beginArray();
    for (const StationCheck &check : state.weather.stations.checkList) {
        const int index = FindStation(state.sector, check.code);
        const Airport &a = state.sector.tables.airports[index];
        json.beginObject().member("code", check.code).member("date", a.dateLine).member("metar", a.metar).endObject();
    }
    json.endArray();
    json.member("status", status).endObject();
    out.write("\n");
    return status == MetarFetch::kCompleted ? kExitOk : kExitIo;
}

} // namespace

int RunWeatherCommand(const QStringList &arguments, Output &out)
{
    if (arguments.isEmpty())
        UsageError(QStringLiteral("sous-commande weather manquante (attendu : fetch)"));
    if (arguments[0] != QLatin1String("fetch"))
        UsageError(QStringLiteral("sous-commande weather inconnue : %1 (attendu : fetch)").arg(arguments.value(0)));
    return RunFetch(arguments.mid(1), out);
}

QString WeatherUsage()
{
    return QStringLiteral(
        "  zaz-tool weather fetch --sector FICHIER --settings DOSSIER [--radius MILLES]\n"
        "      liste les aéroports du secteur autour de la position propre (rayon de ZAZ.ini\n"
        "      ou --radius), demande leur METAR au serveur météo de ZAZ.ini comme le programme\n"
        "      et écrit un objet JSON : stations reçues (code, date, metar) et état final ;\n"
        "      code de sortie 1 quand la récupération n'a pas abouti\n");
}

} // namespace zaz::tool
