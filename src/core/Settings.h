// Reading ZAZ.ini into the state at start, writing it back at "exit", and the two keys
// written at once during the run.
//
// A key whose text must convert and does not (or is missing) never stops the start: the
// reader uses a sane value and notes the problem in French, naming the file, the section
// and the key, so the controller sees one message listing what to mend.
#pragma once

#include "core/IniFile.h"
#include "core/RadarState.h"

#include <QRect>
#include <QString>
#include <QStringList>
#include <array>

namespace zaz {

// Problems met while reading the settings, one French line each.
class SettingsReport {
public:
    void Add(const QString &line) { lines_ << line; }
    bool IsEmpty() const { return lines_.isEmpty(); }
    const QStringList &Lines() const { return lines_; }
    // The whole message shown to the controller.
    QString Text() const;

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
// The nine weather look-up tables.
void ReadWeatherTables(const IniFile &ini, SettingsState &settings);
// "server meteo" and the voice program.
void ReadWeatherServer(const IniFile &ini, SettingsState &settings, SettingsReport &report);
// Places of the command console and of the flight list.
void ReadWindowPlaces(const IniFile &ini, SettingsState &settings);

// Everything "exit" writes, in its order, as one atomic write. False when the file could
// not be written (it is then left as it was).
bool WriteExit(IniFile &ini, const RadarState &state);
// The simulator folder chosen by the controller, written at once.
bool WriteSimulatorDir(IniFile &ini, SettingsState &settings, const QString &dir);
// The sector folder chosen by the controller, written at once.
bool WriteSectorDir(IniFile &ini, SettingsState &settings, const QString &dir);

// The fix selection text cut into the three keys: at most 2047 characters in each of the
// first two, the rest in the third.
std::array<QString, 3> SplitFixSelection(const QString &text);

} // namespace Settings
} // namespace zaz
