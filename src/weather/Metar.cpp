#include "weather/Metar.h"

#include "core/Text.h"

#include <algorithm>
#include <limits>

namespace zaz {

namespace {

constexpr double kHpaPerInch = 33.86;

// Bounds-safe pieces of a group, 0-based: a position or length outside the text gives
// less (or nothing), never a read past the end.
QString Head(const QString &s, qsizetype n)
{
    return n <= 0 ? QString() : s.left(n);
}

QString From(const QString &s, qsizetype i)
{
    return i >= s.size() ? QString() : s.mid(std::max<qsizetype>(i, 0));
}

QString Between(const QString &s, qsizetype from, qsizetype to)
{
    from = std::max<qsizetype>(from, 0);
    to = std::min(to, s.size());
    return to <= from ? QString() : s.mid(from, to - from);
}

QString CharAt(const QString &s, qsizetype i)
{
    return i >= 0 && i < s.size() ? QString(s[i]) : QString();
}

bool CharIs(const QString &s, qsizetype i, char c)
{
    return i >= 0 && i < s.size() && s[i] == QLatin1Char(c);
}

bool StartsWithAny(const QString &s, std::initializer_list<const char *> prefixes)
{
    return std::any_of(prefixes.begin(), prefixes.end(),
                       [&s](const char *p) { return s.startsWith(QLatin1String(p)); });
}

// A whole-text number, or 0 when the text is not one.
double NumberOrZero(const QString &s)
{
    bool ok = false;
    const double value = StrToFloatLenient(s, &ok);
    return ok ? value : 0.0;
}

// An integer text times 100 as text; empty when the text is not an integer.
QString Hundreds(const QString &s)
{
    int value = 0;
    return TryStrToInt(s, value) ? IntToStr(value * 100LL) : QString();
}

// The station elevation of the "&A" extension; 0 when it is not a 16-bit integer.
qint16 Elevation(const QString &digits)
{
    int value = 0;
    if (!TryStrToInt(digits, value) || value < std::numeric_limits<qint16>::min()
        || value > std::numeric_limits<qint16>::max())
        return 0;
    return qint16(value);
}

QString AltimeterFromQnh(double qnh)
{
    return FormatFixed(qnh / kHpaPerInch, 2, 4);
}

const WeatherDictionary &Table(const WeatherState &weather, WeatherTable table)
{
    return weather.dictionaries[std::size_t(table)];
}

bool FindWeatherCode(const WeatherDictionary &dictionary, const QString &code, QString &text)
{
    if (code.isEmpty())
        return false;
    for (qsizetype i = 0; i < dictionary.keys.size(); ++i) {
        if (dictionary.keys[i].compare(code, Qt::CaseInsensitive) == 0) {
            text = i < dictionary.values.size() ? dictionary.values[i] : code;
            return true;
        }
    }
    return false;
}

QString Lookup(const WeatherState &weather, WeatherTable table, const QString &code)
{
    return LookupWeatherCode(Table(weather, table), code);
}


// "dddff" or "dddffGgg" (unit already removed): direction, speed, gust.
void ReadWindText(const QString &text, t_wind &wind)
{
    wind.direction = Head(text, 3);
    const qsizetype g = text.indexOf(QLatin1Char('G'));
    if (g >= 0) {
        wind.speed = Between(text, 3, g);
        wind.gust = From(text, g + 1);
    } else {
        wind.speed = From(text, 3);
        wind.gust.clear();
    }
}

// ---- Standard report ----

constexpr struct {
    const char *prefix;
    const char *cover;
} kStandardCovers[] = {{"FEW", "2/8"}, {"SCT", "4/8"}, {"BKN", "6/8"}, {"OVC", "8/8"}};

struct CodeText {
    const char *code;
    const char16_t *text;
};
// Later matches overwrite earlier ones.
constexpr CodeText kPhenomena[] = {{"RA", u"rain"},    {"SN", u"snow"},  {"GR", u"grêle"},
                                   {"DZ", u"drizzle"}, {"BR", u"brume"}, {"FG", u"fog"}};
constexpr CodeText kDescriptors[] = {
    {"SH", u"shower"}, {"VC", u"vicinity"}, {"PR", u"partial"}, {"XX", u"violent"}, {"MI", u"mince"}};

// The wind group at groups[i] with the variable sector and the visibility after it; false
// when the group is no wind.
bool ReadStandardWind(WeatherState &weather, const QStringList &groups, qsizetype i)
{
    const QString &group = groups[i];
    QString text, unit;
    if (group.contains(QLatin1String("KT"))) {
        unit = QStringLiteral("KT");
        text = Head(group, group.size() - 2);
    } else if (group.contains(QLatin1String("KMH")) || group.contains(QLatin1String("MPS"))) {
        unit = From(group, group.size() - 3);
        text = Head(group, group.size() - 3);
    }
    if (text.isEmpty())
        return false;
    if (unit != QLatin1String("KT"))
        weather.windUnit = unit;
    t_weather &w = weather.CurrentWeather;
    w.wind.unit = unit;
    ReadWindText(text, w.wind);
    qsizetype visibility = i + 1;
    if (visibility < groups.size() && CharIs(groups[visibility], 3, 'V')) {
        w.wind.sectorStart = Head(groups[visibility], 3);
        w.wind.sectorEnd = Between(groups[visibility], 4, 7);
        ++visibility;
    }
    if (visibility < groups.size())
        w.visibilities[0].distance = groups[visibility];
    return true;
}

// "Q1013" or "A2992"; false (nothing changed) when the group is neither or its value is
// not a number.
bool ReadStandardPressure(WeatherState &weather, const QString &group)
{
    const QString rest = TrimText(From(group, 1));
    if (group.startsWith(QLatin1Char('Q'))) {
        bool ok = false;
        const double qnh = StrToFloatLenient(rest, &ok);
        if (!ok)
            return false;
        weather.qnhText = rest;
        weather.altimeterText = AltimeterFromQnh(qnh);
    } else if (group.startsWith(QLatin1Char('A'))) {
        int hundredths = 0;
        if (!TryStrToInt(rest, hundredths))
            return false;
        weather.altimeterText = FormatFixed(hundredths / 100.0, 2, 4);
        weather.qnhText = FormatFixed(kHpaPerInch * StrToFloatLenient(weather.altimeterText), 0, 4);
    } else {
        return false;
    }
    weather.CurrentWeather.pressureText = weather.qnhText;
    return true;
}

bool IsStandardTemperature(const QString &group)
{
    return CharIs(group, 2, '/') || (CharIs(group, 3, '/') && group.startsWith(QLatin1Char('M')));
}

// Two digits at i, "-" in front when an "M" stands there.
QString SignedPair(const QString &group, qsizetype i)
{
    return CharIs(group, i, 'M') ? QLatin1Char('-') + Between(group, i + 1, i + 3) : Between(group, i, i + 2);
}

void ReadStandardTemperature(t_temperature &t, const QString &group)
{
    t.temperature = SignedPair(group, 0);
    t.dewPoint = SignedPair(group, group.startsWith(QLatin1Char('M')) ? 4 : 3);
}

void ReadStandardCloud(t_weather &w, const QString &group)
{
    if (group.startsWith(QLatin1String("SKC"))) {
        t_cloud clear;
        clear.cover = QStringLiteral("sky clear");
        w.clouds.append(clear);
    }
    for (const auto &[prefix, cover] : kStandardCovers) {
        if (!group.startsWith(QLatin1String(prefix)))
            continue;
        t_cloud layer;
        layer.cover = QLatin1String(cover) + From(group, 6);
        layer.height = Hundreds(Between(group, 3, 6));
        w.clouds.append(layer);
    }
}

// Descriptor of a weather group: a code in one of the two-letter slots between the
// intensity sign and the phenomenon at phenomenonAt.
QString StandardDescriptor(const QString &group, qsizetype phenomenonAt)
{
    const qsizetype first = StartsWithAny(group, {"+", "-"}) ? 1 : 0;
    QString descriptor;
    for (const CodeText &d : kDescriptors) {
        for (qsizetype slot = first; slot + 2 <= phenomenonAt; slot += 2) {
            if (Between(group, slot, slot + 2) == QLatin1String(d.code))
                descriptor = QString::fromUtf16(d.text);
        }
    }
    return descriptor;
}

void ReadStandardPresentWeather(t_condition &condition, const QString &group)
{
    for (const CodeText &p : kPhenomena) {
        const qsizetype at = group.indexOf(QLatin1String(p.code));
        if (at < 0)
            continue;
        condition.phenomenon = QString::fromUtf16(p.text);
        condition.intensity = group.startsWith(QLatin1Char('+'))   ? QStringLiteral("heavy")
                              : group.startsWith(QLatin1Char('-')) ? QStringLiteral("light")
                                                                   : QStringLiteral("moderate");
        condition.descriptor = StandardDescriptor(group, at);
    }
}

// ---- Simulator report ----

// The groups of a report read one after the other.
class Cursor {
public:
    explicit Cursor(QStringList groups) : groups_(std::move(groups)) {}
    bool atEnd() const { return index_ >= groups_.size(); }
    // The current group; empty past the end.
    QString group() const { return atEnd() ? QString() : groups_[index_]; }
    void skip() { ++index_; }

private:
    QStringList groups_;
    qsizetype index_ = 0;
};

// "&Xddd..TS" after a wind group: depth digits, then turbulence and shear codes.
void ReadWindExtension(const WeatherState &weather, const QString &group, t_wind &wind)
{
    const QString extension = From(group, group.indexOf(QLatin1Char('&')) + 2);
    const qsizetype n = extension.size();
    wind.turbulence = Lookup(weather, WeatherTable::Turbulence, CharAt(extension, n - 2));
    wind.shear = Lookup(weather, WeatherTable::Shear, CharAt(extension, n - 1));
    wind.depth = Head(extension, n - 2);
}

// "digits V digits": a variable wind sector.
bool ReadVariableSector(const QString &group, t_wind &wind)
{
    const qsizetype v = group.indexOf(QLatin1Char('V'));
    if (v <= 0 || v + 1 >= group.size())
        return false;
    const auto digits = [](QStringView s) {
        return std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    };
    if (!digits(QStringView(group).left(v)) || !digits(QStringView(group).mid(v + 1)))
        return false;
    wind.sectorStart = Head(group, v);
    wind.sectorEnd = From(group, v + 1);
    return true;
}

// "@@@ alt temp dir speed | ... |": every layer but the piece after the last bar.
void ReadWindsAloft(t_weather &w, const QString &section)
{
    const QStringList layers = SplitText(QStringLiteral("|"), section);
    for (qsizetype i = 0; i + 1 < layers.size(); ++i) {
        const QStringList p = SplitText(QStringLiteral(" "), TrimText(layers[i]));
        t_wind layer;
        layer.altitude = Hundreds(p.value(0));
        layer.temperature = p.value(1);
        layer.direction = p.value(2);
        layer.speed = p.value(3);
        layer.unit = QStringLiteral("KT");
        w.windsAloft.append(layer);
    }
}

// Each step reads from the current group on and returns false when the decode ends there.
using SimStep = bool (*)(WeatherState &, Cursor &);

bool ReportType(WeatherState &weather, Cursor &c)
{
    const QString g = c.group();
    if (g == QLatin1String("METAR") || g == QLatin1String("SPECI")) {
        weather.CurrentWeather.reportType = g;
        c.skip();
    }
    return true;
}

bool AutoFlag(WeatherState &weather, Cursor &c)
{
    weather.CurrentWeather.autoReport = c.group() == QLatin1String("AUTO");
    if (weather.CurrentWeather.autoReport)
        c.skip();
    return true;
}

bool CorrectedFlag(WeatherState &weather, Cursor &c)
{
    weather.CurrentWeather.corrected = c.group() == QLatin1String("COR");
    if (weather.CurrentWeather.corrected)
        c.skip();
    return true;
}

bool ObservationTime(WeatherState &weather, Cursor &c)
{
    weather.CurrentWeather.time = c.group();
    c.skip();
    return true;
}

bool NotNil(WeatherState &, Cursor &c)
{
    if (c.group() != QLatin1String("NIL"))
        return true;
    c.skip();
    return false;
}

bool SurfaceWind(WeatherState &weather, Cursor &c)
{
    t_wind &wind = weather.CurrentWeather.wind;
    QString text = c.group();
    c.skip();
    const qsizetype amp = text.indexOf(QLatin1Char('&'));
    if (amp >= 0) {
        ReadWindExtension(weather, text, wind);
        text.truncate(amp);
    }
    if (text.endsWith(QLatin1String("KMH")) || text.endsWith(QLatin1String("MPS"))) {
        wind.unit = From(text, text.size() - 3);
        weather.windUnit = wind.unit;
        text.chop(3);
    } else if (text.endsWith(QLatin1String("KT"))) {
        wind.unit = QStringLiteral("KT");
        text.chop(2);
    }
    ReadWindText(text, wind);
    return true;
}

bool VariableWind(WeatherState &weather, Cursor &c)
{
    t_wind &wind = weather.CurrentWeather.wind;
    if (ReadVariableSector(c.group(), wind)) {
        c.skip();
    } else {
        wind.sectorStart.clear();
        wind.sectorEnd.clear();
    }
    return true;
}

// The extension (and variable sector) groups of the winds-aloft layers, in layer order.
bool AloftExtensions(WeatherState &weather, Cursor &c)
{
    QList<t_wind> &layers = weather.CurrentWeather.windsAloft;
    for (qsizetype i = 0; i + 1 < layers.size(); ++i) {
        if (c.atEnd())
            return false;
        if (!c.group().contains(QLatin1Char('&')))
            continue;
        ReadWindExtension(weather, c.group(), layers[i]);
        c.skip();
        if (c.atEnd())
            return false;
        if (ReadVariableSector(c.group(), layers[i]))
            c.skip();
    }
    return true;
}

bool Cavok(WeatherState &weather, Cursor &c)
{
    weather.CurrentWeather.cavok = c.group() == QLatin1String("CAVOK");
    if (weather.CurrentWeather.cavok)
        c.skip();
    return true;
}

bool Visibilities(WeatherState &weather, Cursor &c)
{
    for (QString g = c.group(); g.contains(QLatin1String("&B")) && g.contains(QLatin1String("&D")); g = c.group()) {
        const qsizetype b = g.indexOf(QLatin1String("&B"));
        const qsizetype d = g.indexOf(QLatin1String("&D"));
        weather.CurrentWeather.visibilities.append({Head(g, b), Between(g, b + 2, d), From(g, d + 2)});
        c.skip();
    }
    return true;
}

bool RunwayRanges(WeatherState &weather, Cursor &c)
{
    for (QString g = c.group(); g.startsWith(QLatin1Char('R')) && g.contains(QLatin1String("FT")); g = c.group()) {
        const qsizetype slash = g.indexOf(QLatin1Char('/'));
        t_runwayvisual rvr;
        rvr.runway = slash < 0 ? From(g, 1) : Between(g, 1, slash);
        rvr.range = slash < 0 ? QString() : From(g, slash + 1);
        weather.CurrentWeather.runwayVisualRanges.append(rvr);
        c.skip();
    }
    return true;
}

bool PresentWeather(WeatherState &weather, Cursor &c)
{
    const QString g = c.group();
    t_condition &condition = weather.CurrentWeather.condition;
    condition = t_condition();
    if (!g.contains(QLatin1Char('+')) && !g.contains(QLatin1Char('-')) && !g.contains(QLatin1String("VC")))
        return true;
    const qsizetype n = g.size();
    condition.phenomenon = Lookup(weather, WeatherTable::ConditionsPhenomena, From(g, n - 2));
    condition.descriptor = Lookup(weather, WeatherTable::ConditionsDescriptor, Between(g, n - 4, n - 2));
    condition.intensity = Head(g, n - 4);
    c.skip();
    return true;
}

bool SkySummary(WeatherState &weather, Cursor &c)
{
    const QString g = c.group();
    const bool summary = StartsWithAny(g, {"FEW", "SCT", "BKN"});
    weather.CurrentWeather.skySummary = summary ? g : QString();
    if (summary)
        c.skip();
    return true;
}

// "BKN030" (a cover code of the table, or an okta digit and a cloud code) with an optional
// extension: "&" at a, then top (a+6), turbulence, precipitation intensity and type, base
// in hundreds of feet (a+10..a+12) and icing (a+13).
t_cloud SimCloud(const WeatherState &weather, const QString &g)
{
    t_cloud cloud;
    const QString code = Head(g, 3);
    const WeatherDictionary &types = Table(weather, WeatherTable::CloudType);
    QString text;
    if (FindWeatherCode(types, code, text))
        cloud.cover = text;
    else if (FindWeatherCode(types, From(code, 1), text))
        cloud.cover = Head(code, 1) + QLatin1String("/8 ") + text;
    else
        cloud.cover = code;
    cloud.height = Between(g, 3, 6) + QLatin1String("00");
    const qsizetype a = g.indexOf(QLatin1Char('&'));
    if (a >= 0) {
        cloud.top = Lookup(weather, WeatherTable::CloudTop, CharAt(g, a + 6));
        cloud.turbulence = Lookup(weather, WeatherTable::Turbulence, CharAt(g, a + 7));
        cloud.precipIntensity = Lookup(weather, WeatherTable::PrecipitationIntensity, CharAt(g, a + 8));
        cloud.precipType = Lookup(weather, WeatherTable::PrecipitationType, CharAt(g, a + 9));
        cloud.base = Hundreds(Between(g, a + 10, a + 13));
        cloud.icing = Lookup(weather, WeatherTable::IcingRate, CharAt(g, a + 13));
    }
    return cloud;
}

// Whether a group ends the cloud layers: a temperature ("/"), or, in a report without
// temperatures, the pressure ("Q1013", "A2992") or nothing at all.
bool EndsClouds(const QString &g)
{
    const bool pressure = g.size() > 1 && (g[0] == QLatin1Char('Q') || g[0] == QLatin1Char('A')) && g[1].isDigit();
    return g.isEmpty() || g.contains(QLatin1Char('/')) || pressure;
}

bool Clouds(WeatherState &weather, Cursor &c)
{
    for (; !c.atEnd() && !EndsClouds(c.group()); c.skip())
        weather.CurrentWeather.clouds.append(SimCloud(weather, c.group()));
    return true;
}

// "tt/dd&Xaltitude", as written.
bool Temperatures(WeatherState &weather, Cursor &c)
{
    for (QString g = c.group(); g.contains(QLatin1Char('/')); g = c.group()) {
        const qsizetype slash = g.indexOf(QLatin1Char('/'));
        const qsizetype amp = g.indexOf(QLatin1Char('&'));
        t_temperature t;
        t.temperature = Head(g, slash);
        t.dewPoint = amp < 0 ? From(g, slash + 1) : Between(g, slash + 1, amp);
        t.altitude = amp < 0 ? QString() : From(g, amp + 2);
        weather.CurrentWeather.temperatures.append(t);
        c.skip();
    }
    return true;
}

bool Pressure(WeatherState &weather, Cursor &c)
{
    const QString g = c.group();
    const QString rest = From(g, 1);
    if (g.startsWith(QLatin1Char('A'))) {
        weather.CurrentWeather.pressureText = rest + QLatin1String("inchHG");
        weather.altimeterText = FormatFixed(NumberOrZero(rest) / 100.0, 2);
        weather.qnhText = IntToStr(RoundHalfEven64(kHpaPerInch * StrToFloatLenient(weather.altimeterText)));
    } else if (g.startsWith(QLatin1Char('Q'))) {
        weather.CurrentWeather.pressureText = rest + QLatin1String("hPa");
        weather.qnhText = rest;
        weather.altimeterText = AltimeterFromQnh(NumberOrZero(rest));
    }
    c.skip();
    return true;
}

constexpr SimStep kSimSteps[] = {
    ReportType,   AutoFlag,       CorrectedFlag,  ObservationTime, NotNil,     SurfaceWind,
    VariableWind, AloftExtensions, Cavok,         Visibilities,    RunwayRanges, PresentWeather,
    SkySummary,   Clouds,         Temperatures,   Pressure,
};

} // namespace

void ResetWeather(t_weather &w)
{
    w.cavok = false;
    w.reportType.clear();
    w.wind = t_wind();
    w.condition = t_condition();
    w.skySummary.clear();
    w.pressureText.clear();
    w.visibilities.clear();
    w.temperatures.clear();
    w.clouds.clear();
    w.windsAloft.clear();
    w.runwayVisualRanges.clear();
}

QString LookupWeatherCode(const WeatherDictionary &dictionary, const QString &code)
{
    QString text;
    return FindWeatherCode(dictionary, code, text) ? text : code;
}

void DecodeMetar(WeatherState &weather, const QString &metar)
{
    t_weather &w = weather.CurrentWeather;
    ResetWeather(w);
    w.visibilities.resize(1);
    w.temperatures.resize(1);
    const QStringList groups = SplitText(QStringLiteral(" "), metar);
    const QString &first = groups[0];
    w.station = Head(first, 4);
    if (Between(first, 4, 6) == QLatin1String("&A"))
        w.elevation = Elevation(Between(first, 6, 9));
    w.autoReport = false;

    bool windFound = false, pressureFound = false, temperatureFound = false;
    for (qsizetype i = 1; i < groups.size(); ++i) {
        const QString &g = groups[i];
        if (g == QLatin1String("AUTO"))
            w.autoReport = true;
        if (!windFound)
            windFound = ReadStandardWind(weather, groups, i);
        if (g == QLatin1String("CAVOK"))
            w.cavok = true;
        if (!pressureFound)
            pressureFound = ReadStandardPressure(weather, g);
        if (!temperatureFound && IsStandardTemperature(g)) {
            ReadStandardTemperature(w.temperatures[0], g);
            temperatureFound = true;
        }
        ReadStandardCloud(w, g);
        ReadStandardPresentWeather(w.condition, g);
    }
}

QString NormalizeSimMetar(WeatherState &weather, const QString &simMetar)
{
    QStringList groups = SplitText(QStringLiteral(" "), simMetar);
    for (QString &g : groups) {
        if (g.startsWith(QLatin1Char('Q'))) {
            weather.qnhText = From(g, 1);
            weather.altimeterText = AltimeterFromQnh(NumberOrZero(weather.qnhText));
        }
        if (Between(g, 5, 7) == QLatin1String("KT"))
            weather.windUnit = QStringLiteral("KT");
        if (Between(g, 5, 8) == QLatin1String("MPS"))
            weather.windUnit = QStringLiteral("MPS");
        const qsizetype amp = g.indexOf(QLatin1Char('&'));
        if (amp >= 0)
            g.truncate(amp);
    }
    QString plain = groups.join(QLatin1Char(' '));
    const qsizetype at = plain.indexOf(QLatin1Char('@'));
    if (at >= 0)
        plain.truncate(at);
    return TrimText(plain);
}

void DecodeSimMetar(WeatherState &weather, const QString &simMetar)
{
    t_weather &w = weather.CurrentWeather;
    ResetWeather(w);
    QString text = simMetar;
    const qsizetype aloft = text.indexOf(QLatin1String("@@@"));
    if (aloft >= 0) {
        ReadWindsAloft(w, text.mid(aloft + 3));
        text.truncate(aloft);
    }
    const QStringList groups = SplitText(QStringLiteral(" "), text);
    const QString &first = groups[0];
    w.station = Head(first, 4);
    if (Between(first, 4, 6) == QLatin1String("&A"))
        w.elevation = Elevation(Between(first, 6, 11));

    Cursor cursor(groups);
    cursor.skip();
    for (const SimStep step : kSimSteps) {
        if (cursor.atEnd() || !step(weather, cursor))
            return;
    }
}

} // namespace zaz
