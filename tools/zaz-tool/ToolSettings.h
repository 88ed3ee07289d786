// What the commands that read a sector share: the --settings option, the reader's settings
// taken from a ZAZ.ini folder, and the load of a sector file with its errors as tool errors.
#pragma once

#include "Tool.h"

#include "sector/SectorReader.h"
#include "state/RadarState.h"

namespace zaz::tool {

extern const OptionDef kSettingsOption;
// --sector FILE of the commands that draw or route on a sector.
extern const OptionDef kSectorOption;

// The folder --settings names (checked to be a folder), or the current folder.
QString SettingsFolder(const ParsedArguments &args);

// Opens FOLDER/ZAZ.ini as the state's settings file when it exists; false when it does not.
bool OpenSettingsFile(const QString &folder, RadarState &state);

// The reader's settings from DIR/ZAZ.ini (default: the current folder), read as the
// program reads them at start. Without ZAZ.ini the settings are empty: no detail colours,
// no selection texts.
SectorReadSettings ReadSettingsFrom(const ParsedArguments &args);

// Keeps error texts on one line of standard error.
QString OneLine(QString text);

// Reads the sector file at path; a missing or unreadable file is an I/O error. elapsedMs,
// when given, receives the duration of the load.
SectorLoadResult LoadSector(const QString &path, const SectorReadSettings &settings, double *elapsedMs = nullptr);

} // namespace zaz::tool
