// Feeds arbitrary text to both METAR decoders and checks that nothing crashes and that what
// they keep stays within what the text can hold.
//
// Input layout: the bytes (Windows-1252) up to the first line feed are a standard METAR,
// the rest a simulator METAR; without a line feed both decoders read the whole input. The
// two decodes run on the same weather state, standard first, so each also starts from what
// the other left.
#include "core/Codec.h"
#include "weather/Metar.h"

#include <cstddef>
#include <cstdint>

using namespace zaz;

namespace {

constexpr qsizetype kMaxInput = 8192;

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

WeatherState MakeWeather()
{
    WeatherState weather;
    const auto set = [&weather](WeatherTable table, QStringList keys, QStringList values) {
        weather.dictionaries[std::size_t(table)] = {std::move(keys), std::move(values)};
    };
    set(WeatherTable::Turbulence, {"N", "L"}, {"aucune", "légère"});
    set(WeatherTable::Shear, {"G"}, {"graduelle"});
    set(WeatherTable::ConditionsPhenomena, {"RA"}, {"pluie"});
    set(WeatherTable::ConditionsDescriptor, {"SH"}, {"averses"});
    set(WeatherTable::CloudType, {"BKN", "ST"}, {"fragmenté", "stratus"});
    set(WeatherTable::CloudTop, {"F"}, {"plat"});
    set(WeatherTable::IcingRate, {"N"}, {"ERROR"});
    return weather;
}

// Longest text a decoder can make of the input: the input itself plus the longest text
// it adds (a dictionary text, a unit, "sky clear"...).
bool Bounded(const QString &field, qsizetype inputSize)
{
    return field.size() <= inputSize + 16;
}

void CheckRecord(const WeatherState &weather, qsizetype inputSize, qsizetype groups)
{
    const t_weather &w = weather.CurrentWeather;
    Check(w.station.size() <= 4);
    Check(w.clouds.size() <= groups && w.visibilities.size() <= groups && w.temperatures.size() <= groups);
    Check(w.runwayVisualRanges.size() <= groups && w.windsAloft.size() <= inputSize);
    for (const QString &s : {w.reportType, w.skySummary, w.pressureText, w.wind.direction, w.wind.speed,
                             w.wind.gust, w.wind.depth, w.wind.turbulence, w.condition.phenomenon,
                             w.condition.intensity})
        Check(Bounded(s, inputSize + 32)); // a huge number written out in full is at most ~330 digits
    // The time and the pressure texts stay until a later report replaces them, so they may
    // come from any earlier input, never from more than one.
    for (const QString &s : {w.time, weather.qnhText, weather.altimeterText, weather.windUnit})
        Check(Bounded(s, kMaxInput + 330 + 32));
    for (const t_cloud &c : w.clouds)
        Check(Bounded(c.cover, inputSize) && Bounded(c.height, inputSize) && Bounded(c.base, inputSize));
    for (const t_temperature &t : w.temperatures)
        Check(Bounded(t.temperature, inputSize) && Bounded(t.dewPoint, inputSize));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // A METAR is a line; a long input adds nothing.
    if (size > std::size_t(kMaxInput))
        return 0;
    const QString text = DecodeCp1252(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype lf = text.indexOf(QLatin1Char('\n'));
    const QString standard = lf < 0 ? text : text.left(lf);
    const QString sim = lf < 0 ? text : text.mid(lf + 1);

    static WeatherState weather = MakeWeather();
    DecodeMetar(weather, standard);
    const qsizetype standardGroups = standard.count(QLatin1Char(' ')) + 1;
    Check(weather.CurrentWeather.visibilities.size() == 1 && weather.CurrentWeather.temperatures.size() == 1);
    CheckRecord(weather, standard.size() + 330, standardGroups);

    const QString plain = NormalizeSimMetar(weather, sim);
    Check(plain.size() <= sim.size() && !plain.contains(QLatin1Char('@')) && !plain.contains(QLatin1Char('&')));
    DecodeSimMetar(weather, sim);
    Check(weather.CurrentWeather.windsAloft.size() <= sim.count(QLatin1Char('|')));
    CheckRecord(weather, sim.size() + 330, sim.count(QLatin1Char(' ')) + 1);
    return 0;
}
