// The state of the whole run, owned by the main window: one group per subsystem, each kept
// by its own model functions, which take the groups they need. Windows are handed the
// groups they show.
#pragma once

#include "core/IniFile.h"
#include "core/StateNotifier.h"
#include "link/Controllers.h"
#include "link/Dispatcher.h"
#include "link/LinkState.h"
#include "link/Radio.h"
#include "scope/DisplaySettings.h"
#include "scope/ScopeScene.h"
#include "scope/ScopeState.h"
#include "sector/SectorReader.h"
#include "sector/SectorState.h"
#include "sector/ViewState.h"
#include "sim/SimDispatch.h"
#include "sim/SimState.h"
#include "traffic/FlightPlanFile.h"
#include "traffic/TrafficState.h"
#include "weather/WeatherState.h"

#include <QRect>
#include <QString>
#include <memory>

namespace zaz {

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

// Geometry of the windows whose place is kept in the settings.
struct WindowPlaces {
    QRect main;
    QRect commands = QRect(700, 120, 330, 420);   // "cmd..." keys
    QRect flightList = QRect(100, 500, 760, 300); // "listevol..." keys
};

// What the settings file gives that no subsystem keeps as its own state.
struct SettingsState {
    DisplaySettings display;
    PathSettings paths;
    SelectionTexts selections;
    WindowPlaces windows;
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
    RadioState radio; // the radio window's channel, correspondent and tuning, kept while hidden
    WeatherState weather;
    SimState sim;
    StateNotifier notifier;
};

// The groups the server's lines change.
LinkGroups LinkGroupsOf(RadarState &state);
// What the simulator's answers are applied to.
SimGroups SimGroupsOf(RadarState &state);
// What the scope draws.
ScopeScene SceneOf(const RadarState &state);
// The settings the sector reader takes.
SectorReadSettings ReadSettingsOf(const RadarState &state);
// Puts a successful sector load in place and tells the windows.
void ApplySectorLoad(RadarState &state, SectorLoadResult &&result);

// The main window's caption: sector, status and view values, connection status, version.
QString ScopeCaption(const RadarState &state);

} // namespace zaz
