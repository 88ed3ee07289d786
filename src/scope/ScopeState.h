// What the scope shows besides the sector and the traffic: the measuring tools, the route
// key, the manual wind texts, and the map picture kept between redraws.
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

#include <memory>

namespace zaz {

struct DrawCaches;
class BandWorker;

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
    QString manualWind1;         // manual wind texts of the text block and the strip editor
    QString manualWind2;
    QString atisLetterText;      // "INFO:" + this when no new METAR
    bool weatherTimerRunning = false;
    QString simulatorTime;       // "Z hh:mm" text of the simulator's clock, when connected
    QString simulatorLocalTime;
    // The map layers drawn for the last view, reused while nothing they show has changed.
    QImage mapCache;
    quint64 mapSignature = 0;
    // Texts laid out and outlines rasterised by earlier redraws (created by the first one):
    // for the traffic, and for the map or its upper half; the lower half is drawn at the
    // same time by a thread of its own, with its own caches, when the processor runs two.
    std::shared_ptr<DrawCaches> caches;
    std::shared_ptr<DrawCaches> mapCaches;
    std::shared_ptr<BandWorker> mapWorker;
    // Threads drawing the map: 0 as many as the processor runs at once (at most 2).
    int mapThreads = 0;
};

} // namespace zaz
