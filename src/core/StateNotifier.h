// Announces changes of the shared state. Model code emits; windows connect to what they
// show and repaint when visible. Nothing in the model calls a window.
#pragma once

#include <QObject>
#include <QString>

namespace zaz {

class StateNotifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    // The whole scope must be drawn again (map, traffic, tools).
    void redrawWanted();
    // The offscreen picture changed and only needs copying to the window.
    void repaintWanted();
    void trafficChanged();
    void stripsChanged();
    void weatherChanged();
    void controllersChanged();
    void settingsChanged();
    // The flight plan of a newly seen aircraft is to be asked of the server.
    void flightPlanWanted(const QString &callsign);
    // A line for the packet monitor.
    void monitorLine(const QString &text);
    // The strip of the aircraft at this index is to be removed from the strip board.
    void stripRemovalWanted(int index);
    // The selected aircraft passed a route point: the aircraft panel's route grid changes.
    void selectedRouteAdvanced();
    // A text message was filed under a radio channel ("UNICOM", "COM1", "COM2", "TELE").
    // privateMessage: addressed to the own callsign; sender: the sending callsign.
    void radioMessage(const QString &channel, const QString &entry, const QString &sender,
                      bool privateMessage);
    // The server answered the login: accepted, or refused with its reason.
    void loginAnswered(bool accepted, const QString &reason);
    // The server asked the connection to end (refused login).
    void disconnectWanted();
    void filedPlansChanged();
    // The aircraft panel is to show this aircraft again (strip received, handoff accepted).
    void aircraftPanelWanted(int index);
    // A sector has just been loaded (the weather stations around it are to be rebuilt).
    void sectorLoaded();
    // Text for a panel of the main window's status bar (0 or 1).
    void statusText(int panel, const QString &text);
    // Text for the main window's caption.
    void captionText(const QString &text);
};

} // namespace zaz
