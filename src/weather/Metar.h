// METAR decoders: the standard report (fetched over HTTP or received from the server) and
// the extended report of the simulator (standard groups with '&' extensions and a
// winds-aloft section after "@@@"). Both fill WeatherState::CurrentWeather and the
// QNH / altimeter / wind-unit texts beside it. Neither ever throws: malformed groups
// leave the fields they would have filled in their reset state.
#pragma once

#include "weather/WeatherState.h"

#include <QString>

namespace zaz {

// What both decoders clear before reading a report (and the weather window when it has no
// weather to show). Station, elevation, flags other than CAVOK, time, source, server and raw
// METAR are kept.
void ResetWeather(t_weather &w);

// Standard METAR -> weather.CurrentWeather, qnhText, altimeterText, windUnit.
void DecodeMetar(WeatherState &weather, const QString &metar);

// The simulator's METAR made plain (extensions and winds aloft removed); fills
// qnhText / altimeterText / windUnit on the way.
QString NormalizeSimMetar(WeatherState &weather, const QString &simMetar);

// Simulator METAR -> weather.CurrentWeather (extension codes translated through the
// weather dictionaries), qnhText, altimeterText, windUnit.
void DecodeSimMetar(WeatherState &weather, const QString &simMetar);

// Text of a code in one weather dictionary; a code missing from it stands for itself.
QString LookupWeatherCode(const WeatherDictionary &dictionary, const QString &code);

// Indexes of WeatherState::dictionaries, in the order of kWeatherDictionarySections.
enum class WeatherTable {
    Turbulence,
    Shear,
    ConditionsDescriptor,
    ConditionsPhenomena,
    CloudType,
    CloudTop,
    PrecipitationIntensity,
    PrecipitationType,
    IcingRate,
};

} // namespace zaz
