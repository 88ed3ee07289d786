// zaz-tool metar: one METAR decoded by the program's decoders, the result printed as JSON.
#include "Json.h"
#include "Tool.h"
#include "ToolSettings.h"

#include "state/RadarState.h"
#include "state/Settings.h"
#include "weather/Metar.h"

namespace zaz::tool {

namespace {

const OptionDef kSimOption{"--sim", false, ""};

} // namespace

int RunMetarCommand(const QStringList &arguments, Output &out)
{
    const ParsedArguments args = ParseArguments(arguments, {kSimOption, kSettingsOption}, {QStringLiteral("TEXTE")});
    RadarState state;
    if (OpenSettingsFile(SettingsFolder(args), state)) {
        SettingsReport report; // the tool shows the decode, not the settings' problems
        Settings::ReadWeather(*state.files.zaz, state.weather, report);
    }
    WeatherState &weather = state.weather;
    const QString &text = args.positional[0];
    const bool sim = args.hasFlag("--sim");
    QString plain;
    if (sim) {
        plain = NormalizeSimMetar(weather, text);
        DecodeSimMetar(weather, text);
    } else {
        DecodeMetar(weather, text);
    }

    JsonWriter json(out.buffer(), 2);
    json.beginObject();
    WriteWeatherMembers(json, weather);
    if (sim)
        json.member("plainMetar", plain);
    json.endObject();
    out.write("\n");
    return kExitOk;
}

QString MetarUsage()
{
    return QStringLiteral(
        "\n"
        "  zaz-tool metar [--sim] [--settings DOSSIER] TEXTE\n"
        "      décode le METAR TEXTE comme le programme et écrit un objet JSON : tous les\n"
        "      champs de la météo décodée, QNH, altimètre et unité de vent ; --sim lit un\n"
        "      METAR du simulateur (extensions « & », vents en altitude après « @@@ ») et\n"
        "      ajoute le METAR simple qu'en tire le programme (plainMetar) ; --settings donne\n"
        "      le ZAZ.ini des tables de codes météo (par défaut le dossier courant)\n");
}

} // namespace zaz::tool
