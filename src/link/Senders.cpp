#include "link/Senders.h"

#include "core/RadarState.h"
#include "link/LineProtocol.h"

namespace zaz {

namespace {

// The line as the packet monitor shows it: without its CR LF or lone CR.
QString WithoutLineEnd(const QString &text)
{
    qsizetype end = text.size();
    if (end > 0 && text[end - 1] == QLatin1Char('\n'))
        --end;
    if (end > 0 && text[end - 1] == QLatin1Char('\r'))
        --end;
    return text.left(end);
}

} // namespace

void SendLogged(RadarState &state, LineSender &sender, const QString &text, SendLog policy)
{
    // A builder that has no line to give (an unknown server type's login) sends nothing.
    if (text.isEmpty())
        return;
    LinkState &link = state.link;
    bool log = false;
    bool count = false;
    switch (policy) {
    case SendLog::Always:
        log = count = true;
        break;
    case SendLog::AlwaysUncounted:
        log = true;
        break;
    case SendLog::Ticked:
        log = count = link.monitorTicked;
        break;
    case SendLog::TickedCounted:
        log = link.monitorTicked;
        count = true;
        break;
    case SendLog::Never:
        break;
    }
    if (log)
        link.SentLog.Append(WithoutLineEnd(text));
    if (count)
        ++link.SentCount;
    sender.SendLine(text);
}

void SendPosition(RadarState &state, LineSender &sender, bool periodic)
{
    const LinkState &link = state.link;
    const QString line = PositionLine(link.OwnCallsign, link.Com1Digits, link.Facility, link.VisibilityRange,
                                      link.Rating, link.OwnLat, link.OwnLon, link.OwnAltitude);
    SendLogged(state, sender, line, periodic ? SendLog::TickedCounted : SendLog::AlwaysUncounted);
}

void RequestFlightPlan(RadarState &state, LineSender &sender, int index)
{
    const TrafficTable &table = state.traffic.table;
    if (!table.IsValid(index) || table[index].callsign.isEmpty())
        return;
    RequestFlightPlan(state, sender, table[index].callsign);
}

void RequestFlightPlan(RadarState &state, LineSender &sender, const QString &callsign)
{
    SendLogged(state, sender, FlightPlanQueryLine(state.link.OwnCallsign, callsign), SendLog::Ticked);
}

void RequestFiledPlans(RadarState &state, LineSender &sender, const QString &selection)
{
    SendLogged(state, sender, FiledPlansQueryLine(state.link.OwnCallsign, selection), SendLog::Ticked);
}

void AcceptHandoff(RadarState &state, LineSender &sender, int index)
{
    TrafficTable &table = state.traffic.table;
    if (!table.IsValid(index) || table[index].callsign.isEmpty())
        return;
    const QString offering = table[index].handoffFrom;
    if (offering.isEmpty())
        return;
    SendLogged(state, sender, HandoffAcceptLine(state.link.OwnCallsign, offering, table[index].callsign),
               SendLog::Ticked);
    table.Edit(index).handoffFrom.clear();
    RequestFlightPlan(state, sender, index);
}

} // namespace zaz
