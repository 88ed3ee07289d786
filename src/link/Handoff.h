// Handing an aircraft over between controllers: the offer made from the command console
// to the controller picked in "choix control", and the acceptance of an offer by a click
// on the target.
#pragma once

#include "link/Controllers.h"
#include "link/LineSender.h"
#include "link/LinkState.h"
#include "traffic/TrafficState.h"

namespace zaz {

class StateNotifier;

// The aircraft can be offered: it is in the table, has a strip, and no handoff is under
// way (column 45 of its strip is blank).
bool CanOfferHandoff(TrafficState &traffic, int index);

// Offers the aircraft to controllers.chosenCallsign: sends "$HO", shows it in status
// panel 0, sends the "demande de Handoff pour" notice, then marks the strip (45 "D",
// 46-53 the controller cut or padded to eight columns, 57-58 the next point) and the
// aircraft (handoffState "D"), and keeps the controller and their frequency for the text
// variables. Nothing at all happens, and false is returned, when the aircraft cannot be
// offered, no controller is chosen or the "$HO" line is refused.
bool OfferHandoff(LinkState &link, TrafficState &traffic, ControllersState &controllers, StateNotifier &notifier,
                  LineSender &sender, int index);

// The HO list of the command console holds the aircraft other controllers offer us, one
// entry per callsign (HandoffEntry: the offering controller, then the callsign): an
// incoming "$HO" for an aircraft of the table records the offering controller in its
// handoffFrom and lists the aircraft, once however often it is offered (the entry then
// names the latest controller). Accepting the offer takes it off the list, and so does the
// aircraft leaving the table or its strip being removed (ForgetConsoleEntries). An offer
// for an unknown callsign is ignored. Refusing the offer (RefuseHandoff) takes it off too.
void RecordHandoffOffer(TrafficState &traffic, int index, const QString &offering);

// The controller accepts the handoff offered for an aircraft: "$HA", then its plan query;
// the aircraft leaves the HO list.
void AcceptHandoff(LinkState &link, TrafficState &traffic, LineSender &sender, int index);

// The controller refuses the handoff offered for an aircraft: the offering controller is
// told by a private text "handoff refusé pour " + callsign (the protocol has no refusal
// line), the aircraft leaves the HO list and forgets who offered it. False when no offer
// is listed for the aircraft.
bool RefuseHandoff(LinkState &link, TrafficState &traffic, LineSender &sender, int index);

} // namespace zaz
