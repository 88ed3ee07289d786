// Announces changes of the state to the windows that show it. The orchestrators (the line
// dispatcher, the timer ticks) emit once the model has changed; windows connect to what
// they show and repaint when visible. No rule of the model depends on anyone listening.
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
    // The selected aircraft passed a route point: the aircraft panel's route grid changes.
    void selectedRouteAdvanced();
    // A text message was filed under a radio channel ("UNICOM", "COM1", "COM2", "TELE").
    // privateMessage: addressed to the own callsign; sender: the sending callsign.
    void radioMessage(const QString &channel, const QString &entry, const QString &sender,
                      bool privateMessage);
    // The server answered the login: accepted, or refused with its reason.
    void loginAnswered(bool accepted, const QString &reason);
    void filedPlansChanged();
    // The aircraft panel is to show this aircraft again (strip received, handoff accepted).
    void aircraftPanelWanted(int index);
    // The controller picked an aircraft on the scope or deselected it (SelectedAircraft is
    // then kNoAircraft): the lists showing the selection repaint, and a deselection closes
    // the aircraft panel.
    void selectionChanged();
    // A sector has just been loaded (the weather stations around it are to be rebuilt).
    void sectorLoaded();
    // Text for a panel of the main window's status bar (0 or 1).
    void statusText(int panel, const QString &text);
    // Text for the main window's caption.
    void captionText(const QString &text);
};

} // namespace zaz
