// The ATIS: the letter, runways and transitions the controller sets, the seven summary
// lines shown in the ATIS window, and the English broadcast lines composed from the decoded
// weather when the controller accepts. The stored lines and the sound text kept in
// WeatherState::atis are what another station asking for our ATIS receives.
#pragma once

#include "weather/WeatherState.h"

#include <QString>
#include <QStringList>

namespace zaz {

// The letter words of the letter list, in order.
QStringList AtisLetters();

// Number of summary lines and of broadcast lines.
inline constexpr int kAtisLineCount = 7;

// The edits of the ATIS window: each takes effect at once, whichever button closes it.
// The letter is also the scope's "INFO:" text.
void SetAtisLetter(WeatherState &weather, const QString &letter);
void SetAtisRunways(WeatherState &weather, const QString &takeoff, const QString &landing);
// The altitude is also kept as a number when it reads as one (the previous number stays
// otherwise).
void SetAtisTransitions(WeatherState &weather, const QString &altitude, const QString &level);

// Summary line 0: own + " info " + letter + " enregitré à " + the observation's hour "H" and
// minutes (with the trailing "Z").
QString AtisSummaryHeader(const QString &own, const QString &letter, const QString &time);
// Summary lines 5 and 6.
QString AtisSummaryRunways(const AtisState &atis);
QString AtisSummaryTransitions(const AtisState &atis);
// Summary lines 1 to 4 from the decoded weather (wind, QNH and temperature, visibility,
// first cloud layer); the visibility and cloud lines keep their text without an entry.
// The list is grown to seven lines first.
void FillAtisSummaryWeather(QStringList &summary, const t_weather &weather);

// The window's lists on opening: from the stored ATIS, lines 0 to 6 to the summary and the
// rest to the additional text; without a stored ATIS, own + " info " and six empty lines.
struct AtisOpening {
    QStringList summary;
    QStringList additional;
};
AtisOpening OpenAtis(const QStringList &stored, const QString &own);

// "ATIS  " + own + "  " + "118.700" from "118700".
QString AtisCaption(const QString &own, const QString &frequencyDigits);

// The seven broadcast lines from the weather and the ATIS settings. A line without data
// (no temperature, visibility or cloud entry, or a wind speed that is no number) keeps its
// text from previous. Removes the leading "0" of the first visibility and of the first
// cloud base in the weather record itself.
QStringList AtisBroadcastLines(WeatherState &weather, QStringList previous);

// The controller accepted the ATIS window: clears the new-METAR flag, rebuilds broadcast
// from the weather, stores summary + additional as the ATIS lines and the broadcast
// joined as ", " + line for each line as the sound text.
void AcceptAtis(WeatherState &weather, const QStringList &summary, const QStringList &additional,
                QStringList &broadcast);

} // namespace zaz
