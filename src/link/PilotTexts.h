// Radio texts to a pilot on COM1, composed from the predefined texts of com.ini: the strip
// editor and the console's quick popup build and send them the same way.
#pragma once

#include "link/Controllers.h"
#include "link/LineSender.h"
#include "link/LinkState.h"
#include "link/TextVariables.h"
#include "weather/WeatherState.h"

#include <QString>

namespace zaz {

// The variables that do not depend on the window composing the text: the runways of the
// ATIS, the current wind and QNH, and the controller of the last handoff with their
// frequency. The window fills in the others.
TextVariableValues CommonTextValues(const WeatherState &weather, const ControllersState &controllers);

// The message after one more pick: "/" and the picked template appended, then every
// variable of the whole message replaced.
QString AppendPickedText(const QString &message, const QString &templateText, const TextVariableValues &values);

// Sends callsign + " " + message on COM1 ("#TM" own ":@" COM1 digits 2-6), logged and
// counted, and files "<COM1:" + callsign + " " + message in the radio message list. False,
// with nothing filed, when there is no callsign, COM1 is not set or the line is refused (a
// ':' in the message).
bool SendCom1Message(LinkState &link, LineSender &sender, const QString &callsign, const QString &message);

} // namespace zaz
