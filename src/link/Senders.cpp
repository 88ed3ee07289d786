#include "link/Senders.h"

#include "link/LineProtocol.h"

namespace zaz {

bool SendLogged(LinkState &link, LineSender &sender, const QString &text, SendLog policy)
{
    if (text.isEmpty()) {
        link.ErrorLog.append(QStringLiteral("ligne non envoyée : un champ contient « : », un retour chariot ou un "
                                            "saut de ligne"));
        return false;
    }
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
        link.SentLog.append(WithoutLineEnd(text));
    if (count)
        ++link.SentCount;
    sender.SendLine(text);
    return true;
}

void SendPosition(LinkState &link, LineSender &sender, bool periodic)
{
    const QString line = PositionLine(link.OwnCallsign, link.Com1Digits, link.Facility, link.VisibilityRange,
                                      link.Rating, link.OwnLat, link.OwnLon, link.OwnAltitude);
    SendLogged(link, sender, line, periodic ? SendLog::TickedCounted : SendLog::AlwaysUncounted);
}

void RequestFlightPlan(LinkState &link, LineSender &sender, const QString &callsign)
{
    SendLogged(link, sender, FlightPlanQueryLine(link.OwnCallsign, callsign), SendLog::Ticked);
}

void RequestFiledPlans(LinkState &link, LineSender &sender, const QString &selection)
{
    SendLogged(link, sender, FiledPlansQueryLine(link.OwnCallsign, selection), SendLog::Ticked);
}

} // namespace zaz
