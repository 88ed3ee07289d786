// The shared state of the whole run, owned by the main window and handed by reference to
// every window it creates. Grouped by subsystem; each group is plain data.
#pragma once

#include "core/ColorText.h"
#include "core/IniFile.h"
#include "core/StateNotifier.h"
#include "link/Controllers.h"
#include "link/LinkState.h"
#include "scope/ScopeState.h"
#include "sector/PointIndex.h"
#include "sector/SectorRecords.h"
#include "traffic/FlightPlanFile.h"
#include "traffic/StripStore.h"
#include "traffic/TrafficTable.h"
#include "weather/WeatherRecord.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>

namespace zaz {

// "No index" in every table look-up.
inline constexpr int kNoIndex = 9999;

// One entry of the colour table: a scope layer or a target colour.
struct t_couleur {
    QString name;
    TColor colour = 0;
    std::uint8_t visible = 0;
};

inline constexpr int kColourCount = 21;
// Indexes of the colour table the code relies on by name.
enum ColourIndex : int {
    kColBackground = 0,
    kColVor = 1,
    kColNdb = 2,
    kColFixes = 3,
    kColAirports = 4,
    kColRunways = 5,
    kColSid = 6,
    kColStar = 7,
    kColLowAirways = 8,
    kColHighAirways = 9,
    kColArtcc = 10,
    kColArtccLow = 11,
    kColArtccHigh = 12,
    kColGeo = 13,
    kColRings = 14,
    kColTarget = 15,
    kColRangeLine = 15,
    kColTargetStrip = 16,
    kColSelected = 17,
    kColAlert = 18,
    kColPendingCommand = 19,
    kColWeather = 20,
};

// A weather look-up table: the key names of one settings section and their values.
struct WeatherDictionary {
    QStringList keys;
    QStringList values;
};

inline constexpr int kWeatherDictionaryCount = 9;
// Settings sections of the nine weather look-up tables, in reading order.
extern const std::array<const char *, kWeatherDictionaryCount> kWeatherDictionarySections;

// Display settings: colours, fonts, flags and behaviour values.
struct DisplaySettings {
    std::array<t_couleur, kColourCount> colours;
    QList<t_define> details;            // detail colour list ("detail" section)
    QString screenFontName;
    int screenFontSize = 9;
    QString listFontName;
    int listFontSize = 9;
    std::uint8_t labelMode = 0;         // 1 = "mode Charly"
    std::uint8_t transponderOnLabel = 0;
    std::uint8_t ringsOnScreen = 0;     // range rings anchored on the screen
    std::uint8_t trailShown = 1;
    std::uint8_t ilsAxesShown = 1;
    std::uint8_t showSidNames = 0;
    std::uint8_t showStarNames = 0;
    std::uint8_t showLowNames = 0;
    std::uint8_t showHighNames = 0;
    std::int16_t zoomSensitivity = 120; // percent per wheel step
    float ExpiryDelay = 1.0f / 1440.0f; // disappearance delay, in days
    int passingDistance = 10;           // waypoint passing distance, nm
    int minimumAltitude = 0;            // ft; no conflict test below
    int verticalSeparation = 0;         // ft
    int horizontalSeparation = 0;       // nm
};

// Where things are: folders and files named in the settings.
struct PathSettings {
    QString programDir;       // current directory at start; every INI file lives there
    QString simulatorDir;     // with trailing separator; "error" when unset
    QString flightPlanDir;
    QString sectorDir;
    QString sectorFile;       // last sector file, reloaded at start
    QString voiceProgram;     // "teamspeak" path
    QString voiceParams;      // "teamspeak" params
};

// Element selections kept between runs, as read at start (applied by the sector load).
struct SelectionTexts {
    QString fixes;            // the three pieces concatenated
    QString sids;
    QString stars;
    QString lowAirways;
    QString highAirways;
};

struct WeatherServerSettings {
    QString server;  // source name of internet weather
    QString address; // base address: address + station + ".TXT"
    QString radius;  // text holding an integer, nautical miles
};

// Geometry of the windows whose place is kept in the settings.
struct WindowPlaces {
    QRect main;
    QRect commands;   // "cmd..." keys
    QRect flightList; // "listevol..." keys
};

struct SettingsState {
    DisplaySettings display;
    PathSettings paths;
    SelectionTexts selections;
    std::array<WeatherDictionary, kWeatherDictionaryCount> weatherDictionaries;
    WeatherServerSettings weatherServer;
    WindowPlaces windows;
};

// View state of the scope.
struct ViewState {
    float centreLat = 0;
    float centreLon = 0;
    int range = 100;            // nm
    float scale = 1;            // pixels per nm
    float nmPerDegLat = 60;
    float nmPerDegLon = 60;
    float topLat = 0;
    float bottomLat = 0;
    float rightLon = 0;
    float leftLon = 0;
    int ringSpacing = 10;       // "eqdist", nm
    float declination = 0;
    int vectorMinutes = 1;      // speed-vector length
};

struct SectorState {
    SectorTables tables;
    SectorIdentity identity;
    // Name look-ups of route points and airways, rebuilt at each load.
    SectorIndex index;
};



struct SimState {
    bool libraryLoaded = false;
    bool connected = false;
    QString simulatorName;      // "FSX", "P3D" or empty
};

// The six settings files, open for the whole run.
struct IniFiles {
    std::unique_ptr<IniFile> zaz;     // ZAZ.ini
    std::unique_ptr<IniFile> ope;     // ope.ini
    std::unique_ptr<IniFile> val;     // val.ini
    std::unique_ptr<IniFile> com;     // com.ini
    std::unique_ptr<IniFile> ldep;    // ldep.ini
    std::unique_ptr<IniFile> servers; // servers.ini
};

struct AppInfo {
    QString versionTag = QStringLiteral("VIREO_3.81");
};

struct RadarState {
    RadarState() = default;
    RadarState(const RadarState &) = delete;
    RadarState &operator=(const RadarState &) = delete;

    AppInfo app;
    IniFiles files;
    SettingsState settings;
    ViewState view;
    SectorState sector;
    TrafficState traffic;
    ScopeState scope;
    FlightPlanFiles planFiles;
    LinkState link;
    ControllersState controllers;
    StripStore strips;
    QStringList FiledPlans;       // one tab-separated row per filed plan
    QStringList RadioMessages;    // channel tag + sender + ":" + text
    WeatherState weather;
    SimState sim;
    StateNotifier notifier;
};

// Fonts of the scope picture and of the lists and strips.
QFont ScreenFont(const DisplaySettings &display);
QFont ListFont(const DisplaySettings &display);

// The colour table a new user starts with; also what stands in for entries the settings
// file lacks. Names are the settings keys.
const std::array<t_couleur, kColourCount> &DefaultColourTable();

} // namespace zaz
