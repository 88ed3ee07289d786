// The handling of what the server sends: socket reads are kept in the receive buffer and
// handled at each tick of the 100 ms timer, one read per tick, line by line. Each line is
// split at ":" and dispatched by its prefix to the model it changes.
#pragma once

#include "core/Clock.h"
#include "core/RadarState.h"
#include "link/LineSender.h"

#include <QByteArray>
#include <QList>

namespace zaz {

class IniFile;

class Dispatcher {
public:
    // Pending received text kept at most; beyond it the excess is dropped and logged.
    static constexpr qsizetype kMaxPendingBytes = 1 << 20;
    // A line longer than this is dropped and counted as an error (servers send lines of
    // at most a few hundred bytes).
    static constexpr qsizetype kMaxLineBytes = 64 * 1024;
    // Lines handled at most in one tick; the rest waits for the next tick.
    static constexpr int kMaxLinesPerTick = 50000;

    Dispatcher(RadarState &state, LineSender &sender, const Clock &clock);
    ~Dispatcher();
    Dispatcher(const Dispatcher &) = delete;
    Dispatcher &operator=(const Dispatcher &) = delete;

    // A socket read: appended to the receive buffer.
    void Receive(const QByteArray &bytes);
    // Drops everything received and not yet handled (a new login).
    void ClearReceiveBuffer();
    bool HasPending() const { return !buffer_.isEmpty(); }

    // One timer tick: handles the lines of the first pending read. Returns the number of
    // lines handled. A line whose handling fails goes to the error log, status panel 0
    // shows "Erreur dans un paquet", and the next line is handled.
    int Tick();

    // The handling of one line, before or after the login is accepted. Raises
    // ConversionError (or LineError) when the line is malformed.
    void DispatchLine(const t_tranches &fields);

private:
    void DispatchBeforeLogin(const t_tranches &fields);
    void DispatchAccepted(const t_tranches &fields);
    void TemperatureLayers(const t_tranches &fields);
    void WindLayers(const t_tranches &fields);
    void CloudLayers(const t_tranches &fields);
    void ServerMetar(const t_tranches &fields);
    void AtisQuery(const t_tranches &fields);
    void TextMessage(const t_tranches &fields);
    void StripTransfer(const QString &text);
    void HandoffOffer(const t_tranches &fields);
    void HandoffAccepted(const t_tranches &fields);
    void ServerError(const t_tranches &fields);
    void AddRadio(const QString &channel, const QString &entry, const QString &sender, bool isPrivate);
    void HandleLine(const QString &line);

    RadarState &state_;
    LineSender &sender_;
    const Clock &clock_;
    QList<QByteArray> buffer_; // socket reads not yet handled
    qsizetype pending_ = 0;    // bytes in buffer_
    QByteArray tail_;          // text after the last CR of the reads handled so far
    bool skipLineFeed_ = false;
    bool discardToCr_ = false; // the rest of a dropped line is still coming
    QMetaObject::Connection planRequests_;
};

} // namespace zaz
