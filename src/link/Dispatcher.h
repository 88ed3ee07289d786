// The handling of what the server sends: socket reads are kept in the receive buffer and
// handled at each tick of the 100 ms timer, one read per tick, line by line. Each line is
// decoded into its typed record, then applied to the state groups it changes in one step;
// a line that does not decode changes nothing and counts as a packet error.
#pragma once

#include "core/Clock.h"
#include "core/StateNotifier.h"
#include "link/Controllers.h"
#include "link/IncomingLines.h"
#include "link/LineSender.h"
#include "link/LinkState.h"
#include "sector/SectorState.h"
#include "traffic/TrafficState.h"
#include "weather/WeatherState.h"

#include <QByteArray>
#include <QList>

namespace zaz {

// The state groups the server's lines change, and where their changes are announced.
struct LinkGroups {
    LinkState &link;
    TrafficState &traffic;
    ControllersState &controllers;
    WeatherState &weather;
    SectorState &sector; // the routes of flight plans mark their airways selected
    StateNotifier &notifier;
};

class Dispatcher {
public:
    // Pending received text kept at most; beyond it the excess is dropped and logged.
    static constexpr qsizetype kMaxPendingBytes = 1 << 20;
    // A line longer than this is dropped and counted as an error (servers send lines of
    // at most a few hundred bytes).
    static constexpr qsizetype kMaxLineBytes = 64 * 1024;
    // Lines handled at most in one tick; the rest waits for the next tick.
    static constexpr int kMaxLinesPerTick = 50000;

    Dispatcher(const LinkGroups &groups, LineSender &sender, const Clock &clock);
    Dispatcher(const Dispatcher &) = delete;
    Dispatcher &operator=(const Dispatcher &) = delete;

    // A socket read: appended to the receive buffer.
    void receive(const QByteArray &bytes);
    // Drops everything received and not yet handled (a new login).
    void clearReceiveBuffer();
    bool hasPending() const { return !buffer_.isEmpty(); }

    // One timer tick: handles the lines of the first pending read, then sends the flight
    // plan queries that are due. Returns the number of lines handled. A line whose
    // handling fails goes to the error log, status panel 0 shows "Erreur dans un paquet",
    // and the next line is handled.
    int tick();

    // The handling of one line, before or after the login is accepted. Raises LineError
    // when the line is malformed; nothing has changed then.
    void DispatchLine(const QString &line);

    // Sends the queries of the flight plans that are due (a few per tick).
    void sendDueFlightPlanRequests();

    // The connection closed: handles every read still pending, sending nothing, so that
    // what the server said last (a reason for closing among others) is still read. Nothing
    // when called from the handling of a line.
    void drainPending();

private:
    void apply(const IgnoredLine &) {}
    void apply(const LoginAccepted &line);
    void apply(const LoginRefused &line);
    void apply(const TemperatureLayers &line);
    void apply(const WindLayers &line);
    void apply(const CloudLayers &line);
    void apply(const ServerMetar &line);
    void apply(const ServerFlightPlan &line);
    void apply(const FiledPlan &line);
    void apply(ServerPosition &&line);
    void apply(const AtisQuery &line);
    void apply(const PilotLeft &line);
    void apply(const TextMessage &line);
    void apply(const ControllerPosition &line);
    void apply(const ControllerLeft &line);
    void apply(const HandoffOffer &line);
    void apply(const HandoffAccepted &line);
    void apply(const ServerErrorReport &line);
    void apply(const ServerKick &line);
    void closeWithStatus(const QString &text);
    void applyStrip(const StripTransfer &strip);
    void addRadio(const QString &channel, const QString &entry, const QString &sender, bool isPrivate);
    int handleRead();
    void handleLine(const QString &line);
    void packetError(const QString &logLine);

    LinkGroups g_;
    LineSender &sender_;
    const Clock &clock_;
    QList<QByteArray> buffer_; // socket reads not yet handled
    qsizetype pending_ = 0;    // bytes in buffer_
    QByteArray tail_;          // text after the last CR of the reads handled so far
    bool skipLineFeed_ = false;
    bool discardToCr_ = false; // the rest of a dropped line is still coming
    bool busy_ = false;        // a read is being handled
};

} // namespace zaz
