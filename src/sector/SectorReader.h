// Reads a sector file into fresh sector tables.
//
// Fields are cut at fixed columns. Lines that are not well-formed at their columns (the
// free-form files in circulation: short identifiers, wide route names, TABs, points given
// by name) are read by blank-separated tokens instead; both readings give the same records.
// Point names are resolved through indexes built during the load, with the answers of a
// full scan that keeps the last match.
#pragma once

#include "sector/PointIndex.h"
#include "sector/SectorRecords.h"
#include "sector/SectorState.h"
#include "sector/ViewState.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace zaz {

// What the reader takes from the settings.
struct SectorReadSettings {
    QList<t_define> details;   // detail colour list
    SelectionTexts selections; // fixes, SID, STAR, low and high airways
    // Resolve point names by scanning every table for each point, as a reference for the
    // indexes (tests and benchmarks only).
    bool scanLookups = false;
};

// Progress: the maximum once, then the running line position.
struct SectorProgress {
    std::function<void(int maximum)> setMaximum;
    std::function<void(int position)> setPosition;
};

// Everything a load produces; applied to the state only when the load succeeded.
struct SectorLoadResult {
    SectorTables tables;
    SectorIdentity identity;
    float nmPerDegLon = 60;
    bool hasInfo = false;      // the file has an [INFO] section
    bool hasErrors = false;
    QString errorText;         // coordinate errors, CR separated
    // 1-based numbers of the route and GEO lines that gave no segment: a point there is
    // neither a coordinate pair nor a known name (also listed in the error text).
    QList<int> unresolvedLines;
    QString summary;           // counts and warnings, CR separated
    int tolerantLines = 0;     // lines read by tokens
    SectorIndex index;         // name look-ups over the new tables
    QString statusText;        // name + " " + callsign + " declinaison:" + declination text
};

// Reads the decoded text of a sector file. Never fails: unreadable parts are reported in
// the error text or give (0, 0).
SectorLoadResult ReadSectorText(const QString &text, const SectorReadSettings &settings,
                                const SectorProgress &progress = {});

// Reads the file at path (Windows-1252). Nothing when the file cannot be read; error then
// holds a French text naming the file and the reason.
std::optional<SectorLoadResult> ReadSectorFile(const QString &path, const SectorReadSettings &settings,
                                               QString &error, const SectorProgress &progress = {});

// Puts a successful load in place: tables, identity, own position as the view centre, the
// factor of longitude, the declination; marks the sector loaded.
void ApplySectorLoad(SectorState &sector, ViewState &view, SectorLoadResult &&result);

// The summary message: seven counts, then a warning for each selection that the settings
// file cannot keep whole.
QString SectorSummary(const SectorTables &tables, bool hasInfo);

} // namespace zaz
