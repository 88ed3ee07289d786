#include "link/PilotTexts.h"

#include "core/Text.h"
#include "link/LineProtocol.h"
#include "link/Radio.h"
#include "link/Senders.h"

namespace zaz {

TextVariableValues CommonTextValues(const WeatherState &weather, const ControllersState &controllers)
{
    TextVariableValues values;
    values.takeoffRunway = weather.atis.takeoffRunway;
    values.landingRunway = weather.atis.landingRunway;
    const t_wind &wind = weather.CurrentWeather.wind;
    values.wind = wind.direction + QLatin1Char(' ') + wind.speed + wind.unit;
    values.qnh = weather.qnhText;
    values.controller = controllers.handoffCallsign;
    values.controllerFrequency = controllers.handoffFrequency;
    return values;
}

QString AppendPickedText(const QString &message, const QString &templateText, const TextVariableValues &values)
{
    return ReplaceTextVariables(message + QLatin1Char('/') + templateText, values);
}

bool SendCom1Message(LinkState &link, LineSender &sender, const QString &callsign, const QString &message)
{
    if (callsign.isEmpty() || link.Com1Digits.isEmpty())
        return false;
    const QString text = callsign + QLatin1Char(' ') + message;
    const QString destination = QLatin1Char('@') + Copy(link.Com1Digits, 2, 5);
    if (!SendLogged(link, sender, TextLine(link.OwnCallsign, destination, text), SendLog::Always))
        return false;
    AppendRadioEntry(link, QStringLiteral("<COM1:") + text);
    return true;
}

} // namespace zaz
