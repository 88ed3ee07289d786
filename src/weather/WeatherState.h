// The decoded weather of the selected station and what the server and the ATIS keep beside
// it, with the look-up tables and the weather server of the settings. Data only: the
// decoders fill it, the scope, the weather window and the ATIS read it.
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace zaz {

struct t_wind {
    QString altitude;    // layer altitude, ft
    QString temperature; // °C at that layer
    QString direction;   // 3 characters, "VRB" possible
    QString sectorStart; // variable sector
    QString sectorEnd;
    QString speed;
    QString unit;        // "KT", "MPS" or "KMH"
    QString gust;
    QString depth;       // layer depth
    QString turbulence;
    QString shear;
};

struct t_visibility {
    QString distance;
    QString base;
    QString depth;
};

struct t_runwayvisual {
    QString runway;
    QString range;
};

struct t_condition {
    QString intensity;
    QString descriptor;
    QString phenomenon;
};

struct t_cloud {
    QString height;
    QString cover;
    QString top;
    QString turbulence;
    QString precipIntensity;
    QString precipType;
    QString base;
    QString icing;
};

struct t_temperature {
    QString temperature;
    QString dewPoint;
    QString altitude;
};

struct t_weather {
    QString source;
    QString serverAddress;
    QString radius;
    QString station;
    qint16 elevation = 0;
    QString reportType;
    bool autoReport = false;
    bool corrected = false;
    QString time;
    t_wind wind;
    QList<t_wind> windsAloft;
    bool cavok = false;
    QList<t_visibility> visibilities;
    QList<t_runwayvisual> runwayVisualRanges;
    t_condition condition;
    QString skySummary;
    QList<t_cloud> clouds;
    QList<t_temperature> temperatures;
    QString pressureText;
    QString metar;
};

// The ATIS kept for other stations that ask for it.
struct AtisState {
    QString letter;            // "ALPHA" ... "ZOULOU"
    QString takeoffRunway;
    QString landingRunway;
    QString transitionAltitude;
    QString transitionLevel;
    QStringList lines;         // the stored ATIS sent in answer to "$CQ ... ATIS"
    QString soundText;         // sent after the lines to a VIREO-SERVER
};

// A weather look-up table: the key names of one settings section and their values.
struct WeatherDictionary {
    QStringList keys;
    QStringList values;
};

inline constexpr int kWeatherDictionaryCount = 9;
// Settings sections of the nine weather look-up tables, in reading order.
inline constexpr std::array<const char *, kWeatherDictionaryCount> kWeatherDictionarySections = {
    "turbulence",
    "shear",
    "conditions descriptor",
    "conditions phenomena",
    "cloud typ",
    "cloud top",
    "precipitation intensity",
    "precipitation typ",
    "icing rate",
};

// Where real weather comes from.
struct WeatherServerSettings {
    QString server;  // source name of internet weather
    QString address; // base address: address + station + ".TXT"
    QString radius = QStringLiteral("50"); // text holding an integer, nautical miles
};

// A station of the weather window's check list: its METAR arrived; ticked once sent on.
struct StationCheck {
    QString code;
    bool checked = false;
};

// The stations around the own position and their fetch.
struct StationsState {
    QStringList list;               // codes within the radius, in airport-table order
    QList<StationCheck> checkList;  // stations whose METAR arrived, in arrival order
    QString loadingText;            // progress of the fetch, shown by the weather window
    bool busy = false;              // an internet fetch runs
    quint64 fetchGeneration = 0;    // the current fetch; replies of older ones are dropped
    bool publish = false;           // received METARs are forwarded to the server
};

struct WeatherState {
    t_weather CurrentWeather;
    QString windUnit;          // of the last decode
    QString qnhText;           // hPa
    QString altimeterText;     // inHg, two decimals
    QString rawMetar;          // the raw METAR of the selected station
    QString previousMetar;
    bool newMetar = false;     // shown as "NOUVEAU METAR" until the ATIS is made again
    int transitionAltitude = 3000; // ft
    AtisState atis;
    QString atisLetterText;    // shown as "INFO:" + this while there is no new METAR
    QString manualWind1;       // the wind typed by the controller, when the weather timer is off
    QString manualWind2;
    bool timerRunning = false; // the stations' weather is refreshed by its timer
    std::array<WeatherDictionary, kWeatherDictionaryCount> dictionaries;
    WeatherServerSettings server;
    StationsState stations;
};

} // namespace zaz
