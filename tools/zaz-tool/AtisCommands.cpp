// zaz-tool atis: the ATIS broadcast lines the program composes for a METAR, a letter, the
// runways and the transitions.
#include "Json.h"
#include "Tool.h"
#include "ToolSettings.h"

#include "state/RadarState.h"
#include "state/Settings.h"
#include "weather/Atis.h"
#include "weather/Metar.h"

namespace zaz::tool {

namespace {

const OptionDef kMetarOption{"--metar", true, "TEXTE"};
const OptionDef kLetterOption{"--letter", true, "LETTRE"};
const OptionDef kTakeoffOption{"--to", true, "PISTE"};
const OptionDef kLandingOption{"--ldg", true, "PISTE"};
const OptionDef kAltitudeOption{"--ta", true, "ALTITUDE"};
const OptionDef kLevelOption{"--tl", true, "NIVEAU"};
const OptionDef kTimeOption{"--time", true, "HEURE"};

} // namespace

int RunAtisCommand(const QStringList &arguments, Output &out)
{
    const ParsedArguments args = ParseArguments(arguments,
                                                {kSettingsOption, kMetarOption, kLetterOption, kTakeoffOption,
                                                 kLandingOption, kAltitudeOption, kLevelOption, kTimeOption},
                                                {});
    if (!args.hasValue("--metar"))
        UsageError(QStringLiteral("option manquante : --metar TEXTE"));
    const QString letter = args.hasValue("--letter") ? args.value("--letter").toUpper() : QStringLiteral("ALPHA");
    if (!AtisLetters().contains(letter))
        UsageError(QStringLiteral("lettre inconnue : %1 (ALPHA, BRAVO, CHARLY ... ZOULOU)").arg(letter));

    RadarState state;
    if (OpenSettingsFile(SettingsFolder(args), state)) {
        SettingsReport report; // the tool shows the ATIS, not the settings' problems
        Settings::ReadWeather(*state.files.zaz, state.weather, report);
    }
    WeatherState &weather = state.weather;
    const QString metar = args.value("--metar");
    DecodeMetar(weather, metar);
    // The observation time: the METAR's own time group unless one is given.
    weather.CurrentWeather.time = args.hasValue("--time") ? args.value("--time")
                                                           : metar.split(QLatin1Char(' ')).value(1);
    SetAtisLetter(weather, letter);
    SetAtisRunways(weather, args.value("--to"), args.value("--ldg"));
    SetAtisTransitions(weather, args.value("--ta"), args.value("--tl"));
    const QStringList lines = AtisBroadcastLines(weather, QStringList(kAtisLineCount));

    JsonWriter json(out.buffer(), 2);
    json.beginArray();
    for (const QString &line : lines)
        json.string(line);
    json.endArray();
    out.write("\n");
    return kExitOk;
}

QString AtisUsage()
{
    return QStringLiteral(
        "\n"
        "  zaz-tool atis --metar TEXTE [--letter LETTRE] [--to PISTE] [--ldg PISTE]\n"
        "                [--ta ALTITUDE] [--tl NIVEAU] [--time HEURE] [--settings DOSSIER]\n"
        "      décode le METAR TEXTE comme le programme et écrit en tableau JSON les sept\n"
        "      lignes de l'ATIS diffusé (information, vent, QNH, visibilité, nuages, pistes,\n"
        "      transitions) ; LETTRE est un mot de la liste ALPHA ... ZOULOU (ALPHA par\n"
        "      défaut) ; HEURE est l'heure d'observation (par défaut le 2e groupe du METAR,\n"
        "      par exemple 071030Z) ; --settings comme pour metar\n");
}

} // namespace zaz::tool
