#include "link/Dispatcher.h"

#include "core/Codec.h"
#include "link/Handoff.h"
#include "link/Radio.h"
#include "link/Senders.h"
#include "traffic/StripLine.h"

namespace zaz {

Dispatcher::Dispatcher(const LinkGroups &groups, LineSender &sender, const Clock &clock)
    : g_(groups), sender_(sender), clock_(clock)
{
}

void Dispatcher::receive(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    const qsizetype room = kMaxPendingBytes - pending_;
    if (room <= 0) {
        g_.link.ErrorLog.append(QStringLiteral("réception saturée : %1 octets perdus").arg(bytes.size()));
        return;
    }
    if (bytes.size() > room) {
        g_.link.ErrorLog.append(QStringLiteral("réception saturée : %1 octets perdus").arg(bytes.size() - room));
        buffer_.append(bytes.left(room));
        pending_ += room;
        return;
    }
    buffer_.append(bytes);
    pending_ += bytes.size();
}

void Dispatcher::clearReceiveBuffer()
{
    buffer_.clear();
    pending_ = 0;
    tail_.clear();
    skipLineFeed_ = false;
    discardToCr_ = false;
}

int Dispatcher::tick()
{
    const int handled = handleRead();
    sendDueFlightPlanRequests();
    if (handled > 0)
        emit g_.notifier.trafficChanged();
    return handled;
}

void Dispatcher::drainPending()
{
    int handled = 0;
    while (!busy_ && !buffer_.isEmpty())
        handled += handleRead();
    if (handled > 0)
        emit g_.notifier.trafficChanged();
}

int Dispatcher::handleRead()
{
    int handled = 0;
    if (buffer_.isEmpty())
        return 0;
    busy_ = true;
    QByteArray chunk = buffer_.takeFirst();
    pending_ -= chunk.size();
    // A line cut between two reads is completed by the next one.
    QByteArray text = tail_.isEmpty() ? chunk : tail_ + chunk;
    tail_.clear();

    qsizetype start = 0;
    const qsizetype n = text.size();
    if (skipLineFeed_ && n > 0 && text[0] == '\n')
        start = 1;
    skipLineFeed_ = false;
    while (start < n) {
        const qsizetype cr = text.indexOf('\r', start);
        if (cr < 0)
            break;
        if (discardToCr_) {
            // The end of a line already dropped as too long.
            discardToCr_ = false;
        } else if (cr - start > kMaxLineBytes) {
            packetError(QStringLiteral("ligne trop longue : %1 octets ignorés").arg(cr - start));
        } else {
            handleLine(DecodeCp1252(text.constData() + start, cr - start));
        }
        ++handled;
        start = cr + 1;
        // The line feed after the carriage return belongs to the line.
        if (start < n && text[start] == '\n')
            ++start;
        else if (start == n)
            skipLineFeed_ = true;
        if (handled >= kMaxLinesPerTick && start < n) {
            // Enough for one tick: the rest is handled at the next one.
            QByteArray rest = text.mid(start);
            pending_ += rest.size();
            buffer_.prepend(rest);
            start = n;
        }
    }
    if (start < n) {
        tail_ = text.mid(start);
        if (tail_.size() > kMaxLineBytes) {
            // No line is that long: drop it, and what follows up to its end of line.
            packetError(QStringLiteral("ligne sans fin de ligne : %1 octets perdus").arg(tail_.size()));
            tail_.clear();
            discardToCr_ = true;
        }
    }
    busy_ = false;
    return handled;
}

void Dispatcher::sendDueFlightPlanRequests()
{
    if (!g_.link.Accepted || g_.traffic.planRequests.waiting.isEmpty())
        return;
    for (const QString &callsign : TakeDueRequests(g_.traffic.planRequests, clock_.now()))
        RequestFlightPlan(g_.link, sender_, callsign);
}

void Dispatcher::packetError(const QString &logLine)
{
    g_.link.ErrorLog.append(logLine);
    emit g_.notifier.statusText(0, QStringLiteral("Erreur dans un paquet"));
}

void Dispatcher::handleLine(const QString &line)
{
    LinkState &link = g_.link;
    if (link.monitorTicked)
        link.ReceivedLog.append(line);
    try {
        DispatchLine(line);
    } catch (const ConversionError &) {
        packetError(line);
    }
    ++link.ReceivedCount;
}

void Dispatcher::DispatchLine(const QString &text)
{
    const LineFields line(text);
    // Positions, nearly every line of a busy server, go straight to their record.
    if (g_.link.Accepted && IsPositionLine(line)) {
        apply(DecodePosition(line));
        return;
    }
    IncomingLine decoded = g_.link.Accepted ? DecodeAccepted(line) : DecodeBeforeLogin(line);
    std::visit([this](auto &record) { apply(std::move(record)); }, decoded);
}

void Dispatcher::closeWithStatus(const QString &text)
{
    // The socket-closed event, now or when the server closes, would show "Disconnected":
    // it shows this text instead, which must be what stays in the status bar.
    g_.link.closeStatusText = text;
    emit g_.notifier.statusText(0, text);
    sender_.closeLink();
}

void Dispatcher::apply(const LoginRefused &line)
{
    closeWithStatus(QStringLiteral("connexion refusée: ") + line.reason);
    emit g_.notifier.loginAnswered(false, line.reason);
}

void Dispatcher::apply(const ServerKick &line)
{
    // The server closes the connection after this line; we do not wait for it.
    closeWithStatus(QStringLiteral("déconnecté par le serveur : ") + line.reason);
}

void Dispatcher::apply(const LoginAccepted &line)
{
    LinkState &link = g_.link;
    link.LoginSent = true;
    link.Accepted = true;
    link.loggedIn = true;
    link.VireoServer = line.welcome == QStringLiteral("VIREO-SERVER connexion acceptée");
    emit g_.notifier.statusText(0, QStringLiteral("connecté au serveur: ") + line.welcome
                                       + QStringLiteral(" avec le callsign: ") + line.callsign);
    link.OwnCallsign = line.callsign;
    link.IdentityText = line.callsign + QLatin1Char(' ') + link.facilityText + QLatin1Char(' ') + link.ratingText;
    link.status = QStringLiteral("connecté ") + link.serverType;
    SendPosition(link, sender_, false);
    if (link.serverType == QLatin1String("FSD"))
        SendLogged(link, sender_, WeatherRequestLine(line.callsign, link.WeatherStation), SendLog::Always);
    // Aircraft kept from before (a reconnection) may hold plans that changed meanwhile:
    // they are all asked again, a few per tick from the end of this tick on.
    RequestAllFlightPlans(g_.traffic, clock_.now());
    emit g_.notifier.loginAnswered(true, line.welcome);
}

void Dispatcher::apply(const TemperatureLayers &line)
{
    t_weather &w = g_.weather.CurrentWeather;
    const QDateTime now = clock_.now();
    w.time = now.date().toString(QStringLiteral("dd/MM/yyyy")) + QLatin1Char(' ')
             + now.time().toString(QStringLiteral("HH:mm:ss"));
    w.temperatures = line.layers;
    emit g_.notifier.weatherChanged();
}

void Dispatcher::apply(const WindLayers &line)
{
    t_weather &w = g_.weather.CurrentWeather;
    if (line.surface) {
        // The surface wind keeps what the line does not give (its unit among others).
        w.wind.depth = line.surface->depth;
        w.wind.altitude = line.surface->altitude;
        w.wind.direction = line.surface->direction;
        w.wind.speed = line.surface->speed;
    }
    w.windsAloft = line.aloft;
    emit g_.notifier.weatherChanged();
}

void Dispatcher::apply(const CloudLayers &line)
{
    g_.weather.CurrentWeather.clouds = line.layers;
    emit g_.notifier.weatherChanged();
}

void Dispatcher::apply(const ServerMetar &line)
{
    WeatherState &weather = g_.weather;
    if (line.metar == weather.rawMetar)
        return;
    weather.newMetar = true;
    weather.rawMetar = line.metar;
    weather.CurrentWeather.metar = weather.rawMetar;
    if (weather.rawMetar.isEmpty()) {
        emit g_.notifier.weatherChanged();
        return;
    }
    bool qnhFound = false;
    QString altimeterGroup;
    for (const QString &group : SplitText(QStringLiteral(" "), weather.rawMetar)) {
        if (group.startsWith(QLatin1Char('Q')) && group.size() > 1) {
            bool ok = false;
            const double qnh = StrToFloatLenient(group.mid(1), &ok);
            if (ok) {
                weather.qnhText = group.mid(1);
                weather.altimeterText = FormatFixed(qnh / 33.86, 2, 4);
                weather.CurrentWeather.pressureText = weather.qnhText + QStringLiteral("mb");
                qnhFound = true;
            }
        } else if (group.size() == 5 && group.startsWith(QLatin1Char('A'))) {
            altimeterGroup = group;
        }
        if (Copy(group, 6, 2) == QLatin1String("KT"))
            weather.windUnit = QStringLiteral("KT");
        else if (Copy(group, 6, 3) == QLatin1String("MPS"))
            weather.windUnit = QStringLiteral("MPS");
        weather.CurrentWeather.wind.unit = weather.windUnit;
    }
    int hundredths = 0;
    if (!qnhFound && TryStrToInt(altimeterGroup.mid(1), hundredths)) {
        const double altimeter = hundredths / 100.0;
        weather.altimeterText = FormatFixed(altimeter, 2);
        weather.qnhText = FormatFixed(33.86 * altimeter, 0, 4);
        weather.CurrentWeather.pressureText = weather.qnhText + QStringLiteral("mb");
    } else if (!qnhFound) {
        weather.qnhText.clear();
        weather.altimeterText.clear();
        weather.CurrentWeather.pressureText.clear();
    }
    emit g_.notifier.weatherChanged();
}

void Dispatcher::apply(const ServerFlightPlan &line)
{
    ApplyFlightPlan(g_.traffic, g_.sector, line);
}

void Dispatcher::apply(const FiledPlan &line)
{
    g_.traffic.FiledPlans.append(FiledPlanRow(line));
    emit g_.notifier.filedPlansChanged();
}

void Dispatcher::apply(ServerPosition &&line)
{
    // Field 9 is the heading in whole degrees from a VIREO-SERVER, the packed attitude word
    // of the pilot clients of an "FSD" server; another server's is not read.
    const QString &type = g_.link.serverType;
    bool headingFromServer = type == QLatin1String("VIREO-SERVER");
    if (type == QLatin1String("FSD")) {
        headingFromServer = true;
        line.heading.reset();
        if (line.attitude)
            line.heading = PackedHeading(*line.attitude);
    }
    const int refused = g_.traffic.refusedAircraft;
    ApplyServerPosition(g_.traffic, std::move(line), headingFromServer, clock_.now());
    if (g_.traffic.refusedAircraft != refused)
        throw LineError(QStringLiteral("table du trafic pleine : avion refusé"));
}

void Dispatcher::apply(const AtisQuery &line)
{
    LinkState &link = g_.link;
    for (const QString &atis : std::as_const(g_.weather.atis.lines))
        SendLogged(link, sender_, TextLine(link.OwnCallsign, line.asker, atis), SendLog::Always);
    if (link.serverType == QLatin1String("VIREO-SERVER"))
        SendLogged(link, sender_, AtisAudioLine(link.OwnCallsign, line.asker, g_.weather.atis.soundText),
                   SendLog::Always);
}

void Dispatcher::apply(const PilotLeft &line)
{
    const int index = g_.traffic.table.FindAircraft(line.callsign);
    if (index == kNoAircraft)
        return;
    const bool hadStrip = g_.traffic.table[index].hasStrip;
    RemoveAircraft(g_.traffic, index);
    if (hadStrip)
        emit g_.notifier.stripsChanged();
}

void Dispatcher::addRadio(const QString &channel, const QString &entry, const QString &sender, bool isPrivate)
{
    AppendRadioEntry(g_.link, entry);
    emit g_.notifier.statusText(0, entry);
    emit g_.notifier.radioMessage(channel, entry, sender, isPrivate);
}

void Dispatcher::apply(const TextMessage &line)
{
    const LinkState &link = g_.link;
    const bool toMe = !link.OwnCallsign.isEmpty() && line.destination == link.OwnCallsign;
    // A strip for this controller must be whole; checked before anything is filed.
    if (toMe && line.stripText && !line.strip)
        DecodeStripTransfer(line.text);
    const QString &sender = line.sender;
    const QString &text = line.text;
    const QString separator = QStringLiteral(":");
    // The checks follow one another: a destination matching several is filed under each.
    if (line.destination == QLatin1String("@22800"))
        addRadio(QStringLiteral("UNICOM"), QStringLiteral(">UNICOM:") + sender + separator + text, sender, false);
    if (!link.Com1Digits.isEmpty() && line.destination == QLatin1Char('@') + Copy(link.Com1Digits, 2, 5))
        addRadio(QStringLiteral("COM1"), QStringLiteral(">COM1:") + sender + separator + text, sender, false);
    if (!link.Com2Digits.isEmpty() && line.destination == QLatin1Char('@') + Copy(link.Com2Digits, 2, 5))
        addRadio(QStringLiteral("COM2"), QStringLiteral(">COM2:") + sender + separator + text, sender, false);
    if (line.destination == QLatin1String("@49999"))
        addRadio(QStringLiteral("TELE"),
                 QStringLiteral(">TELE:") + sender + separator + QStringLiteral("A tous les controleurs ") + text,
                 sender, false);
    if (toMe) {
        if (line.stripText)
            applyStrip(*line.strip);
        else
            addRadio(QStringLiteral("TELE"), QStringLiteral(">TELE:") + sender + separator + text, sender, true);
    }
}

void Dispatcher::applyStrip(const StripTransfer &strip)
{
    TrafficState &traffic = g_.traffic;
    const int index = traffic.table.FindAircraft(strip.callsign);
    if (index == kNoAircraft)
        return;
    // The received steps and position (columns 12-44) and the STAR; the handoff and the
    // next point start blank.
    QString line = NewStripLine(index, clock_.now().time());
    for (int f = int(StripField::Clearance); f <= int(StripField::Position); ++f)
        SetStripText(line, StripField(f), StripText(strip.row, StripField(f)));
    SetStripText(line, StripField::Star, StripText(strip.row, StripField::Star));
    // A second strip for the same aircraft adds nothing.
    if (!AddStrip(traffic, index, line))
        return;
    if (strip.nextPoint)
        traffic.table.edit(index).nextPoint = *strip.nextPoint;
    emit g_.notifier.stripsChanged();
    emit g_.notifier.aircraftPanelWanted(index);
}

void Dispatcher::apply(const ControllerPosition &line)
{
    ApplyControllerPosition(g_.controllers, g_.link.codeTexts, line, clock_.now());
    emit g_.notifier.controllersChanged();
}

void Dispatcher::apply(const ControllerLeft &line)
{
    const int index = FindController(g_.controllers, line.callsign);
    if (index == kNoController)
        return;
    RemoveController(g_.controllers, index);
    emit g_.notifier.controllersChanged();
}

void Dispatcher::apply(const HandoffOffer &line)
{
    if (line.recipient != g_.link.OwnCallsign)
        return;
    const int index = g_.traffic.table.FindAircraft(line.aircraft);
    if (index == kNoAircraft)
        return;
    RecordHandoffOffer(g_.traffic, index, line.sender); // also lists it in the console's HO list
    emit g_.notifier.stripsChanged();                   // the console shows the offer at once
}

void Dispatcher::apply(const HandoffAccepted &line)
{
    if (line.recipient != g_.link.OwnCallsign)
        return;
    TrafficState &traffic = g_.traffic;
    const int index = traffic.table.FindAircraft(line.aircraft);
    if (index == kNoAircraft)
        return;
    // The other controller took the aircraft: that stands even when there is no strip to
    // send it, which is then reported as a faulty line.
    traffic.table.edit(index).handoffState = QStringLiteral("A");
    QString *row = StripLineOf(traffic, index);
    if (!row)
        throw LineError(QStringLiteral("pas de strip pour %1").arg(line.aircraft));
    SetStripText(*row, StripField::HandoffMark, QStringLiteral("A"));
    SetStripText(*row, StripField::HandoffController, line.sender);
    emit g_.notifier.stripsChanged();
    emit g_.notifier.aircraftPanelWanted(index);
    SendLogged(g_.link, sender_, StripTransferLine(g_.link.OwnCallsign, line.sender, *row, line.aircraft),
               SendLog::Always);
}

void Dispatcher::apply(const ServerErrorReport &line)
{
    QString text = QStringLiteral("erreur ") + line.code;
    if (!line.parameter.isEmpty())
        text += QStringLiteral(" (") + line.parameter + QLatin1Char(')');
    emit g_.notifier.statusText(0, text + QStringLiteral(" : ") + line.message);
    if (line.code != QLatin1String("009") && line.message != QLatin1String("No such weather profile"))
        return;
    // The station asked for has no weather: it stays the station, with no weather at all
    // (the error is no METAR).
    WeatherState &weather = g_.weather;
    weather.CurrentWeather.station = line.parameter;
    weather.rawMetar.clear();
    weather.CurrentWeather.metar.clear();
    weather.qnhText.clear();
    weather.CurrentWeather.temperatures.clear();
    weather.CurrentWeather.windsAloft.clear();
    weather.CurrentWeather.clouds.clear();
    emit g_.notifier.weatherChanged();
}

} // namespace zaz
