// A capture of server lines fed to the program's own dispatcher as if the server had sent
// them after an accepted login: what "replay" prints and what "render" draws the traffic of.
#pragma once

#include "Tool.h"

#include "state/RadarState.h"

#include <QDateTime>
#include <QStringList>

namespace zaz::tool {

extern const OptionDef kServerTypeOption;
extern const OptionDef kOwnOption;

// The replay's clock: a fixed start, moved by one timer period at each tick, so that the
// times the lines leave in the state (strips, weather) are the same at every run.
extern const QDateTime kReplayStart;

// The login the capture comes after.
struct ReplayLogin {
    QString serverType = QStringLiteral("FSD");
    QString own = QStringLiteral("ZAZ_OBS");
};

// --server-type (FSD or VIREO-SERVER, FSD by default) and --own (ZAZ_OBS by default); a
// server type of another name is a usage error.
ReplayLogin ReplayLoginFrom(const ParsedArguments &args);

struct ReplayResult {
    QStringList sent;     // lines the dispatcher sent, without their ends
    QDateTime end;        // the replay clock after the last tick
    double elapsedMs = 0; // duration of the feed
};

// Logs state in (the server accepted the own callsign; COM1 is the frequency of the sector's
// own airport), then feeds the file at path as 64 KiB socket reads, one tick per read (the
// lines of the read, then the model step of a redraw), every line end of the file (CR LF,
// LF or CR) sent as CR LF, until every line is handled and every flight plan query has gone
// out. A missing or unreadable file is an I/O error.
ReplayResult ReplayCapture(RadarState &state, const QString &path, const ReplayLogin &login);

} // namespace zaz::tool
