// The decoded weather of the selected station and what the server and the ATIS keep beside
// it. Data only: the decoders fill it, the scope, the weather window and the ATIS read it.
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

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
};

} // namespace zaz
