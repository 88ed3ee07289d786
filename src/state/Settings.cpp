#include "state/Settings.h"

#include "core/Text.h"

#include <charconv>
#include <cmath>

namespace zaz {

namespace {

const QString kError = QStringLiteral("ERROR");
constexpr int kSelectionPiece = 2047;

QString FileName(const IniFile &ini)
{
    const QString path = ini.path();
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}

QString Where(const IniFile &ini, const QString &section, const QString &key)
{
    return QStringLiteral("%1, section [%2], clé \"%3\"").arg(FileName(ini), section, key);
}

// An integer key; a missing key or a text that does not convert gives fallback and a line
// in the report.
int ReadInt(const IniFile &ini, const QString &section, const QString &key, int fallback,
            SettingsReport &report)
{
    const QString text = ini.readString(section, key, kError);
    int value = 0;
    if (TryStrToInt(text, value))
        return value;
    if (ini.valueExists(section, key))
        report.add(QStringLiteral("%1 : \"%2\" n'est pas un nombre entier ; valeur utilisée : %3")
                       .arg(Where(ini, section, key), text)
                       .arg(fallback));
    else
        report.add(QStringLiteral("%1 absente ; valeur utilisée : %2")
                       .arg(Where(ini, section, key))
                       .arg(fallback));
    return fallback;
}

bool ReadBool(const IniFile &ini, const QString &section, const QString &key)
{
    return TextIsTrue(ini.readString(section, key, kError));
}

QString ReadText(const IniFile &ini, const QString &section, const QString &key)
{
    return ini.readString(section, key, kError);
}

void ReadColourTable(const IniFile &ini, DisplaySettings &display, SettingsReport &report)
{
    const QString couleur = QStringLiteral("couleur");
    const QString afich = QStringLiteral("afich");
    const QStringList names = ini.readSection(couleur);
    const auto &defaults = DefaultColourTable();
    if (names.size() < kColourCount)
        report.add(QStringLiteral("%1, section [%2] : %3 couleurs sur %4 ; les couleurs "
                                  "manquantes prennent leur valeur par défaut")
                       .arg(FileName(ini), couleur)
                       .arg(names.size())
                       .arg(kColourCount));
    for (int i = 0; i < kColourCount; ++i) {
        t_couleur &entry = display.colours[i];
        if (i >= names.size()) {
            entry = defaults[i];
            continue;
        }
        entry.name = names[i];
        const QString text = ini.readString(couleur, entry.name, kError);
        if (!TryStringToColor(text, entry.colour)) {
            entry.colour = defaults[i].colour;
            report.add(QStringLiteral("%1 : \"%2\" n'est pas une couleur ; valeur utilisée : %3")
                           .arg(Where(ini, couleur, entry.name), text,
                                ColorToString(entry.colour)));
        }
        entry.visible = ReadBool(ini, afich, entry.name) ? 1 : 0;
    }
}

void ReadDetailColours(const IniFile &ini, DisplaySettings &display, SettingsReport &report)
{
    const QString detail = QStringLiteral("detail");
    display.details.clear();
    for (const auto &[key, value] : ini.readSectionPairs(detail)) {
        t_define entry{key, value};
        TColor colour = 0;
        if (!TryStringToMapColor(value, colour)) {
            entry.value = ColorToString(DefaultColourTable()[kColGeo].colour);
            report.add(QStringLiteral("%1 : \"%2\" n'est pas une couleur ; valeur utilisée : %3")
                           .arg(Where(ini, detail, key), value, entry.value));
        }
        display.details.append(entry);
    }
}

bool WriteInt(IniFile &ini, const QString &section, const QString &key, long long value)
{
    return ini.writeString(section, key, IntToStr(value));
}

bool WriteBool(IniFile &ini, const QString &section, const QString &key, bool value)
{
    return ini.writeString(section, key, BoolText(value));
}

void WriteRect(IniFile &ini, const QString &prefix, const QRect &rect)
{
    const QString screen = QStringLiteral("screen");
    WriteInt(ini, screen, prefix + QStringLiteral("top"), rect.top());
    WriteInt(ini, screen, prefix + QStringLiteral("left"), rect.left());
    WriteInt(ini, screen, prefix + QStringLiteral("height"), rect.height());
    WriteInt(ini, screen, prefix + QStringLiteral("width"), rect.width());
}

// Shortest decimal text that reads back as the same float32 ("12.5", "1e+30"); the
// non-finite values as the number formatting writes them.
QString FloatText(float value)
{
    if (!std::isfinite(value))
        return FormatFixed(value, 0);
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

QRect ReadRectOr(const IniFile &ini, const QString &prefix, const QRect &fallback)
{
    const QString screen = QStringLiteral("screen");
    int top = 0, left = 0, height = 0, width = 0;
    if (!TryStrToInt(ini.readString(screen, prefix + QStringLiteral("top"), kError), top)
        || !TryStrToInt(ini.readString(screen, prefix + QStringLiteral("left"), kError), left)
        || !TryStrToInt(ini.readString(screen, prefix + QStringLiteral("height"), kError), height)
        || !TryStrToInt(ini.readString(screen, prefix + QStringLiteral("width"), kError), width))
        return fallback;
    return QRect(left, top, width, height);
}

} // namespace

QString SettingsReport::text() const
{
    return QStringLiteral("Paramètres incomplets, le programme continue avec des valeurs "
                          "par défaut :\n")
           + lines_.join(QLatin1Char('\n'));
}

namespace Settings {

bool ReadWindowRect(const IniFile &ini, QRect &rect)
{
    const QRect invalid(0, 0, -1, -1);
    rect = ReadRectOr(ini, QStringLiteral("radar"), invalid);
    return rect != invalid;
}

void ReadRingSpacing(const IniFile &ini, ViewState &view, SettingsReport &report)
{
    view.ringSpacing = ReadInt(ini, QStringLiteral("screen"), QStringLiteral("eqdist"), ViewState().ringSpacing, report);
}

void ReadDisplay(const IniFile &ini, SettingsState &settings, SettingsReport &report)
{
    const QString fsx = QStringLiteral("FSX");
    const QString caract = QStringLiteral("caract");
    const QString mode = QStringLiteral("mode");
    const QString conflict = QStringLiteral("conflict");
    DisplaySettings &d = settings.display;
    const DisplaySettings defaults;

    settings.paths.simulatorDir = ini.readString(fsx, QStringLiteral("DIR"), QStringLiteral("error"));
    settings.paths.flightPlanDir = ini.readString(fsx, QStringLiteral("FPDIR"), QStringLiteral("error"));

    d.screenFontName = ReadText(ini, caract, QStringLiteral("style"));
    d.screenFontSize = ReadInt(ini, caract, QStringLiteral("size"), defaults.screenFontSize, report);
    d.listFontName = ReadText(ini, caract, QStringLiteral("liststyle"));
    d.listFontSize = ReadInt(ini, caract, QStringLiteral("listsize"), defaults.listFontSize, report);

    d.labelMode = ReadBool(ini, mode, QStringLiteral("charly")) ? 1 : 0;
    d.transponderOnLabel = ReadBool(ini, mode, QStringLiteral("sqwak")) ? 1 : 0;

    ReadColourTable(ini, d, report);
    ReadDetailColours(ini, d, report);

    SeparationMinima &m = d.separation;
    m.minimumAltitude = ReadInt(ini, conflict, QStringLiteral("minimum"), defaults.separation.minimumAltitude, report);
    m.verticalSeparation =
        ReadInt(ini, conflict, QStringLiteral("vertical"), defaults.separation.verticalSeparation, report);
    m.horizontalSeparation =
        ReadInt(ini, conflict, QStringLiteral("horizontal"), defaults.separation.horizontalSeparation, report);
}

void ReadSector(const IniFile &ini, SettingsState &settings)
{
    const QString sector = QStringLiteral("sector");
    DisplaySettings &d = settings.display;
    SelectionTexts &sel = settings.selections;

    settings.paths.sectorDir = ReadText(ini, QStringLiteral("FSX"), QStringLiteral("SCTDIR"));
    settings.paths.sectorFile = ReadText(ini, sector, QStringLiteral("file"));
    d.showSidNames = ReadBool(ini, sector, QStringLiteral("libelsid")) ? 1 : 0;
    d.showStarNames = ReadBool(ini, sector, QStringLiteral("libelstar")) ? 1 : 0;
    d.showLowNames = ReadBool(ini, sector, QStringLiteral("libellow")) ? 1 : 0;
    d.showHighNames = ReadBool(ini, sector, QStringLiteral("libelhi")) ? 1 : 0;
    sel.fixes = ReadText(ini, sector, QStringLiteral("liste_fix"))
                + ReadText(ini, sector, QStringLiteral("liste_fix2"))
                + ReadText(ini, sector, QStringLiteral("liste_fix3"));
    sel.sids = ReadText(ini, sector, QStringLiteral("liste_sid"));
    sel.stars = ReadText(ini, sector, QStringLiteral("liste_star"));
    sel.lowAirways = ReadText(ini, sector, QStringLiteral("liste_low"));
    sel.highAirways = ReadText(ini, sector, QStringLiteral("liste_hi"));
}

void ReadWeather(const IniFile &ini, WeatherState &weather, SettingsReport &report)
{
    for (int i = 0; i < kWeatherDictionaryCount; ++i) {
        WeatherDictionary &dict = weather.dictionaries[i];
        dict.keys.clear();
        dict.values.clear();
        for (const auto &[key, value] : ini.readSectionPairs(QString::fromLatin1(kWeatherDictionarySections[i]))) {
            dict.keys << key;
            dict.values << value;
        }
    }
    const QString meteo = QStringLiteral("server meteo");
    WeatherServerSettings &w = weather.server;
    w.server = ReadText(ini, meteo, QStringLiteral("server"));
    w.address = ReadText(ini, meteo, QStringLiteral("adresse"));
    w.radius = IntToStr(ReadInt(ini, meteo, QStringLiteral("rayon"), WeatherServerSettings().radius.toInt(), report));
}

void ReadVoiceProgram(const IniFile &ini, PathSettings &paths)
{
    const QString teamspeak = QStringLiteral("teamspeak");
    paths.voiceProgram = ini.readString(teamspeak, QStringLiteral("path"), QString()).trimmed();
    paths.voiceParams = ini.readString(teamspeak, QStringLiteral("params"), QString()).trimmed();
}

void ReadWindowPlaces(const IniFile &ini, SettingsState &settings)
{
    const WindowPlaces defaults;
    settings.windows.commands = ReadRectOr(ini, QStringLiteral("cmd"), defaults.commands);
    settings.windows.flightList = ReadRectOr(ini, QStringLiteral("listevol"), defaults.flightList);
}

void ReadCodeTexts(const IniFile &ini, CodeTexts &texts)
{
    const auto read = [&ini](const QString &section, QHash<QString, QString> &byCode, QStringList &captions) {
        byCode.clear();
        captions.clear();
        for (const QString &key : ini.readSection(section)) {
            const QString text = ini.readString(section, key, QStringLiteral("error"));
            byCode.insert(key, text);
            captions << text;
        }
    };
    read(QStringLiteral("facility"), texts.facility, texts.facilityCaptions);
    read(QStringLiteral("rating"), texts.rating, texts.ratingCaptions);
}

LastConnection ReadLastConnection(const IniFile &ini)
{
    const QString connect = QStringLiteral("connect");
    LastConnection last;
    if (ini.valueExists(connect, QStringLiteral("nom")))
        last.name = ini.readString(connect, QStringLiteral("nom"), QString());
    if (ini.valueExists(connect, QStringLiteral("ID")))
        last.id = ini.readString(connect, QStringLiteral("ID"), QString());
    return last;
}

bool WriteConnection(IniFile &ini, const ConnectionChoice &c)
{
    const QString connect = QStringLiteral("connect");
    ini.beginUpdate();
    ini.writeString(connect, QStringLiteral("serveur"), c.serverName);
    ini.writeString(connect, QStringLiteral("adresse"), c.address);
    ini.writeString(connect, QStringLiteral("port"), c.port);
    ini.writeString(connect, QStringLiteral("callsign"), c.callsign);
    ini.writeString(connect, QStringLiteral("ID"), c.userId);
    ini.writeString(connect, QStringLiteral("nom"), c.userName);
    ini.writeString(connect, QStringLiteral("password"), c.password);
    return ini.endUpdate();
}

AngleErrorSink AngleErrorToSettings(IniFile &ini)
{
    return [&ini](const QString &key, float length, float difference) {
        ini.beginUpdate();
        ini.writeString(QStringLiteral("erreur"), QStringLiteral("module"), FloatText(length));
        ini.writeString(QStringLiteral("erreur"), key, FloatText(difference));
        ini.endUpdate();
    };
}

std::array<QString, 3> SplitFixSelection(const QString &text)
{
    return {Copy(text, 1, kSelectionPiece), Copy(text, kSelectionPiece + 1, kSelectionPiece),
            Copy(text, 2 * kSelectionPiece + 1, text.size())};
}

bool WriteExit(IniFile &ini, const RadarState &state)
{
    const SettingsState &s = state.settings;
    const DisplaySettings &d = s.display;
    const SectorTables &t = state.sector.tables;
    const QString caract = QStringLiteral("caract");
    const QString sector = QStringLiteral("sector");
    const QString conflict = QStringLiteral("conflict");

    ini.beginUpdate();
    ini.writeString(caract, QStringLiteral("style"), d.screenFontName);
    WriteInt(ini, caract, QStringLiteral("size"), d.screenFontSize);
    ini.writeString(caract, QStringLiteral("liststyle"), d.listFontName);
    WriteInt(ini, caract, QStringLiteral("listsize"), d.listFontSize);

    WriteBool(ini, QStringLiteral("mode"), QStringLiteral("charly"), d.labelMode != 0);

    for (const t_couleur &entry : d.colours) {
        ini.writeString(QStringLiteral("couleur"), entry.name, ColorToString(entry.colour));
        WriteBool(ini, QStringLiteral("afich"), entry.name, entry.visible != 0);
    }
    for (const t_define &entry : d.details)
        ini.writeString(QStringLiteral("detail"), entry.name, entry.value);

    ini.writeString(sector, QStringLiteral("file"), s.paths.sectorFile);
    WriteBool(ini, sector, QStringLiteral("libelsid"), d.showSidNames != 0);
    WriteBool(ini, sector, QStringLiteral("libelstar"), d.showStarNames != 0);
    WriteBool(ini, sector, QStringLiteral("libellow"), d.showLowNames != 0);
    WriteBool(ini, sector, QStringLiteral("libelhi"), d.showHighNames != 0);

    const auto pieces = SplitFixSelection(SelectionText(t.fixes));
    ini.writeString(sector, QStringLiteral("liste_fix"), pieces[0]);
    ini.writeString(sector, QStringLiteral("liste_fix2"), pieces[1]);
    ini.writeString(sector, QStringLiteral("liste_fix3"), pieces[2]);
    ini.writeString(sector, QStringLiteral("liste_sid"), SelectionText(t.sids));
    ini.writeString(sector, QStringLiteral("liste_star"), SelectionText(t.stars));
    ini.writeString(sector, QStringLiteral("liste_low"), SelectionText(t.lowAirways));
    ini.writeString(sector, QStringLiteral("liste_hi"), SelectionText(t.highAirways));

    WriteInt(ini, conflict, QStringLiteral("minimum"), d.separation.minimumAltitude);
    WriteInt(ini, conflict, QStringLiteral("vertical"), d.separation.verticalSeparation);
    WriteInt(ini, conflict, QStringLiteral("horizontal"), d.separation.horizontalSeparation);

    WriteRect(ini, QStringLiteral("radar"), s.windows.main);
    WriteRect(ini, QStringLiteral("cmd"), s.windows.commands);
    WriteRect(ini, QStringLiteral("listevol"), s.windows.flightList);
    WriteInt(ini, QStringLiteral("screen"), QStringLiteral("eqdist"), state.view.ringSpacing);

    ini.writeString(QStringLiteral("server meteo"), QStringLiteral("rayon"), state.weather.server.radius);
    return ini.endUpdate();
}

bool WriteSimulatorDir(IniFile &ini, SettingsState &settings, const QString &dir)
{
    settings.paths.simulatorDir = dir;
    return ini.writeString(QStringLiteral("FSX"), QStringLiteral("DIR"), dir);
}

bool WriteSectorDir(IniFile &ini, SettingsState &settings, const QString &dir)
{
    settings.paths.sectorDir = dir;
    return ini.writeString(QStringLiteral("FSX"), QStringLiteral("SCTDIR"), dir);
}

bool WriteFlightPlanDir(IniFile &ini, SettingsState &settings, const QString &dir)
{
    settings.paths.flightPlanDir = dir;
    return ini.writeString(QStringLiteral("FSX"), QStringLiteral("FPDIR"), dir);
}

} // namespace Settings
} // namespace zaz
