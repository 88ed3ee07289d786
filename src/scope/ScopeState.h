// What the controller has put on the scope besides the sector and the traffic: the
// measuring tools, the route key, the pan anchor, the point picked last and the stored views.
#pragma once

#include <QPoint>
#include <QString>
#include <array>

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

// A view the controller stored: centre and scale. A scale of 0 is an empty slot.
struct StoredView {
    float centreLat = 0;
    float centreLon = 0;
    float scale = 0;
    bool isEmpty() const { return scale == 0; }
};

inline constexpr int kStoredViews = 4;

struct ScopeState {
    bool routeKeyHeld = false;   // the selected aircraft's route is drawn while held
    MeasuringCursor cursor;
    RangeLine rangeLine;
    // The position under the pointer when the right button went down: the pan keeps it
    // under the pointer, and "C" sends it to the AI-control program.
    float panAnchorLat = 0;
    float panAnchorLon = 0;
    // The fix, VOR or NDB under the last left click (blanks trimmed); empty when none.
    QString pickedPointName;
    std::array<StoredView, kStoredViews> views{};
};

} // namespace zaz
