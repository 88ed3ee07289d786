#include "link/Dispatcher.h"

#include "core/Codec.h"
#include "link/Controllers.h"
#include "link/LineProtocol.h"
#include "link/Senders.h"
#include "traffic/FiledPlans.h"
#include "traffic/TrafficOps.h"

namespace zaz {

namespace {

// Radio messages kept at most; the oldest go first.
constexpr qsizetype kMaxRadioMessages = 10000;

bool Is(const QString &a, const char *b)
{
    return a == QLatin1String(b);
}

} // namespace

Dispatcher::Dispatcher(RadarState &state, LineSender &sender, const Clock &clock)
    : state_(state), sender_(sender), clock_(clock)
{
    planRequests_ = QObject::connect(&state_.notifier, &StateNotifier::flightPlanWanted, &state_.notifier,
                                     [this](const QString &callsign) {
                                         RequestFlightPlan(state_, sender_, callsign);
                                     });
}

Dispatcher::~Dispatcher()
{
    QObject::disconnect(planRequests_);
}

void Dispatcher::Receive(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    qsizetype room = kMaxPendingBytes - pending_;
    if (room <= 0) {
        state_.link.ErrorLog.Append(QStringLiteral("réception saturée : %1 octets perdus").arg(bytes.size()));
        return;
    }
    if (bytes.size() > room) {
        state_.link.ErrorLog.Append(
            QStringLiteral("réception saturée : %1 octets perdus").arg(bytes.size() - room));
        buffer_.append(bytes.left(room));
        pending_ += room;
        return;
    }
    buffer_.append(bytes);
    pending_ += bytes.size();
}

void Dispatcher::ClearReceiveBuffer()
{
    buffer_.clear();
    pending_ = 0;
    tail_.clear();
    skipLineFeed_ = false;
    discardToCr_ = false;
}

int Dispatcher::Tick()
{
    if (buffer_.isEmpty())
        return 0;
    QByteArray chunk = buffer_.takeFirst();
    pending_ -= chunk.size();
    // A line cut between two reads is completed by the next one.
    QByteArray text = tail_.isEmpty() ? chunk : tail_ + chunk;
    tail_.clear();

    int handled = 0;
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
            state_.link.ErrorLog.Append(QStringLiteral("ligne trop longue : %1 octets ignorés").arg(cr - start));
            emit state_.notifier.statusText(0, QStringLiteral("Erreur dans un paquet"));
        } else {
            HandleLine(DecodeCp1252(text.constData() + start, cr - start));
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
            state_.link.ErrorLog.Append(
                QStringLiteral("ligne sans fin de ligne : %1 octets perdus").arg(tail_.size()));
            emit state_.notifier.statusText(0, QStringLiteral("Erreur dans un paquet"));
            tail_.clear();
            discardToCr_ = true;
        }
    }
    emit state_.notifier.trafficChanged();
    return handled;
}

void Dispatcher::HandleLine(const QString &line)
{
    LinkState &link = state_.link;
    if (link.monitorTicked)
        link.ReceivedLog.Append(line);
    try {
        DispatchLine(SplitText(QStringLiteral(":"), line));
    } catch (const ConversionError &) {
        link.ErrorLog.Append(line);
        emit state_.notifier.statusText(0, QStringLiteral("Erreur dans un paquet"));
    }
    ++link.ReceivedCount;
}

void Dispatcher::DispatchLine(const t_tranches &fields)
{
    if (state_.link.Accepted)
        DispatchAccepted(fields);
    else
        DispatchBeforeLogin(fields);
}

void Dispatcher::DispatchBeforeLogin(const t_tranches &fields)
{
    LinkState &link = state_.link;
    if (IsLine(fields, "$ERserver")) {
        const QString reason = JoinFrom(fields, 2);
        // Closing first: the socket-closed event shows "Disconnected", and the reason must
        // be what stays in the status bar.
        emit state_.notifier.disconnectWanted();
        emit state_.notifier.statusText(0, QStringLiteral("connexion refusée: ") + reason);
        emit state_.notifier.loginAnswered(false, reason);
        return;
    }
    if (!IsLine(fields, "#TMserver"))
        return;
    const QString callsign = FieldAt(fields, 2);
    const QString welcome = FieldOr(fields, 3);
    link.LoginSent = true;
    link.Accepted = true;
    link.loggedIn = true;
    link.VireoServer = welcome == QStringLiteral("VIREO-SERVER connexion acceptée");
    emit state_.notifier.statusText(
        0, QStringLiteral("connecté au serveur: ") + welcome + QStringLiteral(" avec le callsign: ") + callsign);
    link.OwnCallsign = callsign;
    link.IdentityText = callsign + QLatin1Char(' ') + link.FacilityText + QLatin1Char(' ') + link.RatingText;
    link.status = QStringLiteral("connecté ") + link.serverType;
    SendPosition(state_, sender_, false);
    if (Is(link.serverType, "FSD"))
        SendLogged(state_, sender_, WeatherRequestLine(callsign, link.WeatherStation), SendLog::Always);
    emit state_.notifier.loginAnswered(true, welcome);
}

void Dispatcher::DispatchAccepted(const t_tranches &fields)
{
    // No line matches two of these tests (their first fields differ in their first
    // characters or are exact texts), so their order only matters for speed: positions,
    // nearly every line of a busy server, are tested first.
    if (IsLine(fields, "@N") || IsLine(fields, "@S") || IsLine(fields, "@Y")) {
        // A new aircraft's flight plan is asked for through flightPlanWanted.
        ApplyServerPosition(state_, fields, clock_.Now());
    } else if (IsLine(fields, "#TDserver"))
        TemperatureLayers(fields);
    else if (IsLine(fields, "#WDserver"))
        WindLayers(fields);
    else if (IsLine(fields, "#CDserver"))
        CloudLayers(fields);
    else if (IsLine(fields, "$ARserver"))
        ServerMetar(fields);
    else if (StartsLine(fields, "$FP"))
        ApplyFlightPlan(state_, fields);
    else if (StartsLine(fields, "$DEPOTFP")) {
        state_.FiledPlans.append(FiledPlanRow(fields));
        emit state_.notifier.filedPlansChanged();
    } else if (StartsLine(fields, "$CQ")) {
        AtisQuery(fields);
    } else if (StartsLine(fields, "#DP")) {
        const int index = state_.traffic.table.FindAircraft(Sender(fields, 3));
        if (index != kNoAircraft)
            RemoveAircraft(state_, index);
    } else if (StartsLine(fields, "#TM")) {
        TextMessage(fields);
    } else if (StartsLine(fields, "%")) {
        ApplyControllerPosition(state_, fields, clock_.Now(), state_.files.zaz.get());
    } else if (StartsLine(fields, "#DA")) {
        const int index = FindController(state_.controllers, Sender(fields, 3));
        if (index != kNoIndex)
            RemoveController(state_, index);
    } else if (StartsLine(fields, "$HO")) {
        HandoffOffer(fields);
    } else if (StartsLine(fields, "$HA")) {
        HandoffAccepted(fields);
    } else if (IsLine(fields, "$ERserver")) {
        ServerError(fields);
    }
}

void Dispatcher::TemperatureLayers(const t_tranches &fields)
{
    t_weather &w = state_.weather.CurrentWeather;
    const QDateTime now = clock_.Now();
    w.time = now.date().toString(QStringLiteral("dd/MM/yyyy")) + QLatin1Char(' ')
             + now.time().toString(QStringLiteral("HH:mm:ss"));
    w.temperatures.clear();
    for (qsizetype i = 2; i + 1 < fields.size(); i += 2) {
        t_temperature t;
        t.temperature = fields[i + 1];
        t.altitude = fields[i];
        w.temperatures.append(t);
    }
    emit state_.notifier.weatherChanged();
}

void Dispatcher::WindLayers(const t_tranches &fields)
{
    t_weather &w = state_.weather.CurrentWeather;
    w.windsAloft.clear();
    int group = 0;
    for (qsizetype i = 2; i + 3 < fields.size(); i += 6, ++group) {
        t_wind &wind = group == 0 ? w.wind : w.windsAloft.emplace_back();
        wind.depth = fields[i];
        wind.altitude = fields[i + 1];
        wind.direction = fields[i + 2];
        wind.speed = fields[i + 3];
    }
    emit state_.notifier.weatherChanged();
}

void Dispatcher::CloudLayers(const t_tranches &fields)
{
    t_weather &w = state_.weather.CurrentWeather;
    w.clouds.clear();
    for (qsizetype i = 2; i + 4 < fields.size(); i += 5) {
        t_cloud c;
        c.base = fields[i];
        c.height = fields[i + 1];
        c.cover = fields[i + 4] + QLatin1Char(',') + fields[i + 3] + QLatin1Char(',') + fields[i + 2];
        w.clouds.append(c);
    }
    emit state_.notifier.weatherChanged();
}

void Dispatcher::ServerMetar(const t_tranches &fields)
{
    WeatherState &weather = state_.weather;
    if (FieldOr(fields, 3) != QLatin1String("METAR") || FieldAt(fields, 4) == weather.rawMetar)
        return;
    weather.newMetar = true;
    weather.rawMetar = fields[3];
    weather.CurrentWeather.metar = weather.rawMetar;
    if (weather.rawMetar.isEmpty()) {
        emit state_.notifier.weatherChanged();
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
    emit state_.notifier.weatherChanged();
}

void Dispatcher::AtisQuery(const t_tranches &fields)
{
    if (FieldAt(fields, 3).trimmed() != QLatin1String("ATIS"))
        return;
    const QString asker = Sender(fields, 3);
    const LinkState &link = state_.link;
    for (const QString &line : std::as_const(state_.weather.atis.lines))
        SendLogged(state_, sender_, TextLine(link.OwnCallsign, asker, line), SendLog::Always);
    if (Is(link.serverType, "VIREO-SERVER"))
        SendLogged(state_, sender_, AtisAudioLine(link.OwnCallsign, asker, state_.weather.atis.soundText),
                   SendLog::Always);
}

void Dispatcher::AddRadio(const QString &channel, const QString &entry, const QString &sender, bool isPrivate)
{
    state_.RadioMessages.append(entry);
    if (state_.RadioMessages.size() > kMaxRadioMessages)
        state_.RadioMessages.removeFirst();
    emit state_.notifier.statusText(0, entry);
    emit state_.notifier.radioMessage(channel, entry, sender, isPrivate);
}

void Dispatcher::TextMessage(const t_tranches &fields)
{
    const QString sender = Sender(fields, 3);
    const QString &destination = FieldAt(fields, 2);
    const QString &text = FieldAt(fields, 3);
    const LinkState &link = state_.link;
    const QString separator = QStringLiteral(":");
    // The checks follow one another: a destination matching several is filed under each.
    if (destination == QLatin1String("@22800"))
        AddRadio(QStringLiteral("UNICOM"), QStringLiteral(">UNICOM:") + sender + separator + text, sender, false);
    if (!link.Com1Digits.isEmpty() && destination == QLatin1Char('@') + Copy(link.Com1Digits, 2, 5))
        AddRadio(QStringLiteral("COM1"), QStringLiteral(">COM1:") + sender + separator + text, sender, false);
    if (!link.Com2Digits.isEmpty() && destination == QLatin1Char('@') + Copy(link.Com2Digits, 2, 5))
        AddRadio(QStringLiteral("COM2"), QStringLiteral(">COM2:") + sender + separator + text, sender, false);
    if (destination == QLatin1String("@49999"))
        AddRadio(QStringLiteral("TELE"),
                 QStringLiteral(">TELE:") + sender + separator + QStringLiteral("A tous les controleurs ") + text,
                 sender, false);
    if (!link.OwnCallsign.isEmpty() && destination == link.OwnCallsign) {
        if (text.startsWith(QLatin1String("~STRIP")))
            StripTransfer(text);
        else
            AddRadio(QStringLiteral("TELE"), QStringLiteral(">TELE:") + sender + separator + text, sender, true);
    }
}

void Dispatcher::StripTransfer(const QString &text)
{
    // The callsign follows the 61-column row: a shorter text lacks fields the transfer needs.
    if (text.size() < 68)
        throw LineError(QStringLiteral("strip incomplet"));
    const QString row = Copy(text, 7, 58).replace(QLatin1Char('/'), QLatin1Char(':'));
    const QString callsign = Copy(text, 68, text.size());
    TrafficTable &table = state_.traffic.table;
    const int index = table.FindAircraft(callsign);
    if (index == kNoAircraft)
        return;
    StripStore &strips = state_.strips;
    const QString key = StripKey(index);
    if (strips.keys.contains(key))
        return;
    strips.keys.append(key);
    strips.lines.append(key + clock_.Now().time().toString(QStringLiteral("HH:mm:ss")) + Copy(row, 12, 33)
                        + QString(9, QLatin1Char(' ')) + Copy(row, 54, 3) + QString(5, QLatin1Char(' ')));
    AVION &a = table.Edit(index);
    a.hasStrip = true;
    emit state_.notifier.stripsChanged();
    // Blank columns 57-58 (a strip that never offered a handoff) keep the next point.
    const QString nextPoint = Copy(row, 57, 2).trimmed();
    if (!nextPoint.isEmpty())
        a.nextPoint = StrToInt(nextPoint);
    emit state_.notifier.aircraftPanelWanted(index);
}

void Dispatcher::HandoffOffer(const t_tranches &fields)
{
    if (FieldAt(fields, 2) != state_.link.OwnCallsign)
        return;
    const int index = state_.traffic.table.FindAircraft(FieldAt(fields, 3));
    if (index != kNoAircraft)
        state_.traffic.table.Edit(index).handoffFrom = Sender(fields, 3);
}

void Dispatcher::HandoffAccepted(const t_tranches &fields)
{
    if (FieldAt(fields, 2) != state_.link.OwnCallsign)
        return;
    const QString &callsign = FieldAt(fields, 3);
    const int index = state_.traffic.table.FindAircraft(callsign);
    if (index == kNoAircraft)
        return;
    const QString from = Sender(fields, 3);
    state_.traffic.table.Edit(index).handoffState = QStringLiteral("A");
    const int position = StripPosition(state_.strips, index);
    if (position < 0 || position >= state_.strips.lines.size())
        throw LineError(QStringLiteral("pas de strip pour %1").arg(callsign));
    QString &row = state_.strips.lines[position];
    const qsizetype length = row.size();
    row = ReplaceColumns(ReplaceColumns(row, 45, QStringLiteral("A")), 46, from).left(length);
    emit state_.notifier.stripsChanged();
    emit state_.notifier.aircraftPanelWanted(index);
    const LinkState &link = state_.link;
    SendLogged(state_, sender_, StripTransferLine(link.OwnCallsign, from, row, callsign), SendLog::Always);
}

void Dispatcher::ServerError(const t_tranches &fields)
{
    emit state_.notifier.statusText(0, QStringLiteral("erreur: ") + JoinFrom(fields, 2));
    if (FieldOr(fields, 5) != QLatin1String("No such weather profile"))
        return;
    WeatherState &weather = state_.weather;
    weather.CurrentWeather.station = FieldAt(fields, 4);
    weather.rawMetar = fields[4];
    weather.qnhText.clear();
    weather.CurrentWeather.temperatures.clear();
    weather.CurrentWeather.windsAloft.clear();
    weather.CurrentWeather.clouds.clear();
    emit state_.notifier.weatherChanged();
}

} // namespace zaz
