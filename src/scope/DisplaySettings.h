// How the scope is drawn: the colour table, fonts, label modes, layer flags and the
// separation minima of the conflict alert.
#pragma once

#include "core/ColorText.h"
#include "sector/SectorRecords.h"

#include <QFont>
#include <QList>
#include <QString>
#include <array>
#include <cstdint>

namespace zaz {

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

// The colour table a new user starts with; also what stands in for entries the settings
// file lacks. Names are the settings keys.
const std::array<t_couleur, kColourCount> &DefaultColourTable();

// The separation minima of the conflict alert.
struct SeparationMinima {
    int minimumAltitude = 2000;    // ft; no conflict test below
    int verticalSeparation = 1000; // ft
    int horizontalSeparation = 5;  // nm
};

struct DisplaySettings {
    std::array<t_couleur, kColourCount> colours = DefaultColourTable();
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
    SeparationMinima separation;
};

// Fonts of the scope picture and of the lists and strips.
QFont ScreenFont(const DisplaySettings &display);
QFont ListFont(const DisplaySettings &display);

} // namespace zaz
