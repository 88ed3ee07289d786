// What the controller has put on the scope besides the sector and the traffic: the
// measuring tools and the route key.
#pragma once

#include <QPoint>
#include <QString>

namespace zaz {

struct MeasuringCursor {
    bool shown = false;
    QPoint point1;
    QString distanceText;
    QString timeText;
    QString bearingText;
};

struct RangeLine {
    bool shown = false;
    QPoint point1;
    QPoint point2;
    QString distanceText;
    QString bearingText;
};

struct ScopeState {
    bool routeKeyHeld = false;   // the selected aircraft's route is drawn while held
    MeasuringCursor cursor;
    RangeLine rangeLine;
};

} // namespace zaz
