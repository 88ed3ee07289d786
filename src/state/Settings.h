// Every key of ZAZ.ini is read and written here: read into the state groups at start,
// written back at "exit", and the few keys written at once during the run. The value a
// missing or unreadable key falls back on is the state's own initial value, defined once
// beside the field.
//
// A key whose text must convert and does not (or is missing) never stops the start: the
// reader uses a sane value and notes the problem in French, naming the file, the section
// and the key, so the controller sees one message listing what to mend.
#pragma once

#include "core/IniFile.h"
#include "link/Connection.h"
#include "sector/Projection.h"
#include "state/RadarState.h"

#include <QRect>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace zaz {

// Problems met while reading the settings, one French line each.
class SettingsReport {
public:
    void add(const QString &line) { lines_ << line; }
    bool isEmpty() const { return lines_.isEmpty(); }
    const QStringList &lines() const { return lines_; }
    // The whole message shown to the controller.
    QString text() const;

private:
    QStringList lines_;
};

namespace Settings {

// The main window rectangle of section "screen"; false when any of the four keys does not
// convert (the caller then applies its fallback).
bool ReadWindowRect(const IniFile &ini, QRect &rect);
// "screen" "eqdist": the range-ring spacing.
void ReadRingSpacing(const IniFile &ini, ViewState &view, SettingsReport &report);
// Simulator folders, fonts, label modes, colour table, detail colours, separations.
void ReadDisplay(const IniFile &ini, SettingsState &settings, SettingsReport &report);
// Sector folder and file, show-names flags, selection texts.
void ReadSector(const IniFile &ini, SettingsState &settings);
// The nine weather look-up tables and the weather server.
void ReadWeather(const IniFile &ini, WeatherState &weather, SettingsReport &report);
// The voice program ("teamspeak").
void ReadVoiceProgram(const IniFile &ini, PathSettings &paths);
// Places of the command console and of the flight list.
void ReadWindowPlaces(const IniFile &ini, SettingsState &settings);
// The texts of the facility and rating codes controllers report.
void ReadCodeTexts(const IniFile &ini, CodeTexts &texts);
// The user's name and ID of the last connection ("connect" section), when there.
struct LastConnection {
    std::optional<QString> name;
    std::optional<QString> id;
};
LastConnection ReadLastConnection(const IniFile &ini);
// The connection chosen in the dialog, written at once. False when the file could not be
// written.
bool WriteConnection(IniFile &ini, const ConnectionChoice &choice);

// Everything "exit" writes, in its order, as one atomic write. False when the file could
// not be written (it is then left as it was).
bool WriteExit(IniFile &ini, const RadarState &state);
// The simulator folder chosen by the controller, written at once.
bool WriteSimulatorDir(IniFile &ini, SettingsState &settings, const QString &dir);
// The sector folder chosen by the controller, written at once.
bool WriteSectorDir(IniFile &ini, SettingsState &settings, const QString &dir);
// The flight-plan folder of the last plan file chosen, written at once.
bool WriteFlightPlanDir(IniFile &ini, SettingsState &settings, const QString &dir);

// A sink for the failures of PointAtAngle that records them in section "erreur": key
// "module" for the length and the difference's key for the difference.
AngleErrorSink AngleErrorToSettings(IniFile &ini);

// The fix selection text cut into the three keys: at most 2047 characters in each of the
// first two, the rest in the third.
std::array<QString, 3> SplitFixSelection(const QString &text);

} // namespace Settings
} // namespace zaz
