#include "link/Handoff.h"

#include "core/StateNotifier.h"
#include "core/Text.h"
#include "link/LineProtocol.h"
#include "link/Senders.h"
#include "traffic/Console.h"
#include "traffic/StripLine.h"
#include "traffic/TrafficOps.h"

#include <algorithm>

namespace zaz {

bool CanOfferHandoff(TrafficState &traffic, int index)
{
    const QString *line = StripLineOf(traffic, index);
    return line && StripText(*line, StripField::HandoffMark) == QLatin1String(" ");
}

bool OfferHandoff(LinkState &link, TrafficState &traffic, ControllersState &controllers, StateNotifier &notifier,
                  LineSender &sender, int index)
{
    const QString chosen = controllers.chosenCallsign;
    if (chosen.isEmpty() || !CanOfferHandoff(traffic, index))
        return false;
    const AVION &aircraft = traffic.table[index];
    const QString offer = HandoffOfferLine(link.OwnCallsign, chosen, aircraft.callsign);
    if (!SendLogged(link, sender, offer, SendLog::Always))
        return false;
    emit notifier.statusText(0, WithoutLineEnd(offer));
    QString &strip = *StripLineOf(traffic, index);
    const QString notice = HandoffNoticeLine(link.OwnCallsign, chosen, aircraft.callsign, strip, aircraft.destination);
    SendLogged(link, sender, notice, SendLog::Always);

    SetStripText(strip, StripField::HandoffMark, QStringLiteral("D"));
    SetStripText(strip, StripField::HandoffController, chosen);
    // The next point as two digits ("07"); -1 (no point passed yet) as "-1".
    SetStripNumber(strip, StripField::NextPoint, aircraft.nextPoint);
    traffic.table.edit(index).handoffState = QStringLiteral("D");

    controllers.handoffCallsign = chosen;
    const int controller = FindController(controllers, chosen);
    controllers.handoffFrequency =
        controller == kNoController ? QString() : FrequencyText(controllers.ControllerTable[controller].frequency);
    emit notifier.stripsChanged();
    return true;
}

void RecordHandoffOffer(TrafficState &traffic, int index, const QString &offering)
{
    if (!traffic.table.inUse(index))
        return;
    traffic.table.edit(index).handoffFrom = offering;
    const QString callsign = traffic.table[index].callsign;
    QStringList &list = traffic.console.handoffs;
    const auto listed = std::find_if(list.begin(), list.end(),
                                     [&](const QString &entry) { return HandoffEntryCallsign(entry) == callsign; });
    // Offered again: the entry keeps its place and names the latest offering controller.
    if (listed != list.end())
        *listed = HandoffEntry(offering, callsign);
    else
        list.append(HandoffEntry(offering, callsign));
}

void AcceptHandoff(LinkState &link, TrafficState &traffic, LineSender &sender, int index)
{
    TrafficTable &table = traffic.table;
    if (!table.inUse(index))
        return;
    traffic.console.handoffs.removeIf(
        [&](const QString &entry) { return HandoffEntryCallsign(entry) == table[index].callsign; });
    const QString offering = table[index].handoffFrom;
    if (offering.isEmpty())
        return;
    SendLogged(link, sender, HandoffAcceptLine(link.OwnCallsign, offering, table[index].callsign), SendLog::Ticked);
    table.edit(index).handoffFrom.clear();
    RequestFlightPlan(link, sender, table[index].callsign);
}

bool RefuseHandoff(LinkState &link, TrafficState &traffic, LineSender &sender, int index)
{
    TrafficTable &table = traffic.table;
    if (!table.inUse(index))
        return false;
    const QString callsign = table[index].callsign;
    const qsizetype removed = traffic.console.handoffs.removeIf(
        [&](const QString &entry) { return HandoffEntryCallsign(entry) == callsign; });
    if (removed == 0)
        return false;
    const QString offering = table[index].handoffFrom;
    if (!offering.isEmpty())
        SendLogged(link, sender, TextLine(link.OwnCallsign, offering, QStringLiteral("handoff refusé pour ") + callsign),
                   SendLog::Ticked);
    table.edit(index).handoffFrom.clear();
    return true;
}

} // namespace zaz
