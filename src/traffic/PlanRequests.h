// The flight plans to ask the server for. A newly seen aircraft wants its plan; the wishes
// leave a few at a time at each tick, and a callsign is asked at most once a minute, so a
// server announcing thousands of aircraft at once (or the same ones again and again) is not
// answered by a flood of queries.
#pragma once

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <deque>
#include <utility>

namespace zaz {

struct FlightPlanRequests {
    // Queries sent at most per tick.
    static constexpr int kPerTick = 20;
    // A callsign is not asked again within this delay.
    static constexpr qint64 kRepeatMs = 60 * 1000;

    QStringList waiting;                // callsigns of live aircraft, oldest wish first
    QSet<QString> waitingSet;           // the same, to look them up
    QHash<QString, qint64> lastAsked;   // callsign -> when it was last asked (ms since the epoch)
    std::deque<std::pair<qint64, QString>> asked; // the queries of the last minute, oldest first
};

// The aircraft wants its plan: queued unless it waits already or was asked within a minute.
void WantFlightPlan(FlightPlanRequests &requests, const QString &callsign, const QDateTime &now);
// The queries to send now: at most kPerTick of the oldest wishes, remembered as asked.
QStringList TakeDueRequests(FlightPlanRequests &requests, const QDateTime &now);
// The aircraft left: its wish goes with it.
void ForgetRequest(FlightPlanRequests &requests, const QString &callsign);
// Every aircraft left (sign-off): no wish is left.
void ClearRequests(FlightPlanRequests &requests);
// A new connection: the queries of the old one no longer hold any callsign back.
void ForgetAskedRequests(FlightPlanRequests &requests);

} // namespace zaz
