// The simulator's flight-plan files (".PLN"): the lines of the last file read, the lines
// shown in the AI dialogs and the waypoints that become an AI aircraft's route.
#pragma once

#include <QString>
#include <QStringList>

namespace zaz {

struct FlightPlanFiles {
    QStringList PlanFileLines;    // the trimmed lines of the last file read
    QStringList PlanDisplayList;  // header line, then one line per waypoint
    QStringList PlanWaypointList; // waypoint identifiers in file order
};

// Reads path into PlanFileLines (emptied first): one line per line feed, trimmed. False,
// with a French reason in error, when the file cannot be read (the list is then empty).
bool LoadPlanFile(FlightPlanFiles &files, const QString &path, QString &error);

// Reads PlanFileLines and appends to PlanDisplayList and PlanWaypointList: the title, type
// and cruising altitude line, then "n:  identifier  type" and the identifier of every
// waypoint. Nothing unless the first line holds "xml". Stops at the closing
// "</FlightPlan.FlightPlan>" or at the last line.
void ParsePlan(FlightPlanFiles &files);

// The route text of a waypoint list: item 1, then "/" and each item from 2 to Count-2 (the
// departure and arrival airports are left out). Fewer than two items give an empty text.
QString JoinWaypoints(const QStringList &waypoints);

} // namespace zaz
