#include "link/Radio.h"

#include "core/Text.h"
#include "link/LineProtocol.h"
#include "link/Senders.h"

namespace zaz {

namespace {

constexpr int kWholeLow = 116;
constexpr int kWholeHigh = 138;
constexpr int kDecimalHigh = 975;

// The tag of an entry: between its direction character and the first ":".
QString EntryTag(const QString &entry)
{
    const int colon = entry.indexOf(QLatin1Char(':'));
    return colon < 0 ? QString() : entry.mid(1, colon - 1);
}

// The sender field of an entry: between the first and the second ":".
QString EntrySender(const QString &entry)
{
    const int first = entry.indexOf(QLatin1Char(':'));
    if (first < 0)
        return QString();
    const int second = entry.indexOf(QLatin1Char(':'), first + 1);
    return second < 0 ? QString() : entry.mid(first + 1, second - first - 1);
}

QString CallsignOf(const ControllersState &controllers, int index)
{
    if (index < 0 || index >= controllers.ControllerTable.size())
        return QString();
    return controllers.ControllerTable[index].callsign;
}

void AddOnce(QStringList &list, const QString &callsign)
{
    if (!list.contains(callsign))
        list.append(callsign);
}

} // namespace

QString ChannelTagOf(RadioChannel channel)
{
    switch (channel) {
    case RadioChannel::Unicom:
        return QStringLiteral("UNICOM");
    case RadioChannel::Com1:
        return QStringLiteral("COM1");
    case RadioChannel::Com2:
        return QStringLiteral("COM2");
    case RadioChannel::Telephone:
        return QStringLiteral("TELE");
    }
    return QString();
}

RadioChannel ChannelOfTag(const QString &tag)
{
    for (RadioChannel c : {RadioChannel::Com1, RadioChannel::Com2, RadioChannel::Telephone})
        if (tag == ChannelTagOf(c))
            return c;
    return RadioChannel::Unicom;
}

ChannelSetup ShowChannel(RadioState &radio, RadioChannel channel, const LinkState &link,
                         const TrafficState &traffic, const ControllersState &controllers)
{
    radio.channel = channel;
    ChannelSetup setup;
    if (channel == RadioChannel::Telephone) {
        setup.checkCaption = QStringLiteral("tous les controlleurs");
        for (const QString &index : controllers.ControllerList) {
            const int i = index.toInt();
            if (i >= 0 && i < controllers.ControllerTable.size() && controllers.ControllerTable[i].inRadioList)
                AddOnce(setup.choices, controllers.ControllerTable[i].callsign);
        }
        const QString correspondent = CallsignOf(controllers, radio.Correspondent);
        if (radio.Correspondent != kNoController && !correspondent.isEmpty())
            AddOnce(setup.choices, correspondent);
        for (const QString &waiting : radio.WaitingList)
            AddOnce(setup.choices, waiting);
        setup.windowCaption = QStringLiteral("Telephone");
        const bool calling = radio.Correspondent != kNoController && !correspondent.isEmpty();
        setup.choice = calling ? correspondent : QString();
        setup.sendCaption = calling ? QStringLiteral("envoi ") + correspondent : QStringLiteral("envoi");
        setup.sendEnabled = calling;
        return setup;
    }

    setup.checkCaption = QStringLiteral("tous les avions");
    for (const QString &index : traffic.LiveTrafficList) {
        const int i = index.toInt();
        if (traffic.table.inUse(i))
            setup.choices.append(traffic.table[i].callsign);
    }
    const QString tag = ChannelTagOf(channel);
    radio.ChannelTag = tag;
    setup.windowCaption = QStringLiteral("Radio ") + tag;
    QString digits;
    if (channel == RadioChannel::Unicom)
        digits = QStringLiteral("122800");
    else
        digits = channel == RadioChannel::Com1 ? link.Com1Digits : link.Com2Digits;
    radio.Destination = QLatin1Char('@') + Copy(digits, 2, 5);
    setup.sendEnabled = !digits.isEmpty();
    setup.sendCaption = setup.sendEnabled ? QStringLiteral("envoi ") + FrequencyText(digits) : QStringLiteral("envoi");
    return setup;
}

QString ChooseCorrespondent(RadioState &radio, const ControllersState &controllers, const QString &callsign)
{
    radio.Correspondent = FindController(controllers, callsign);
    return QStringLiteral("envoi ") + callsign;
}

QList<ShownEntry> FillView(const QStringList &messages, RadioChannel channel, bool allChecked,
                           const QString &selected)
{
    const QString tag = ChannelTagOf(channel);
    const bool filtered = channel == RadioChannel::Telephone && !allChecked;
    QList<ShownEntry> shown;
    for (int i = 0; i < messages.size(); ++i) {
        const QString &entry = messages[i];
        if (EntryTag(entry) != tag || (filtered && EntrySender(entry) != selected))
            continue;
        shown.append({i, entry.startsWith(QLatin1Char('>')), entry});
    }
    return shown;
}

void AppendRadioEntry(LinkState &link, const QString &entry)
{
    link.RadioMessages.append(entry);
    while (link.RadioMessages.size() > kMaxRadioMessages)
        link.RadioMessages.removeFirst();
}

bool SendRadioText(RadioState &radio, LinkState &link, LineSender &sender, const QString &text,
                   const QString &selected)
{
    QString message = text;
    if (radio.channel == RadioChannel::Telephone) {
        if (radio.allChecked) {
            radio.Destination = QStringLiteral("@49999");
            radio.ChannelTag = QStringLiteral("ZAZ");
        } else {
            if (selected.isEmpty())
                return false;
            radio.Destination = selected;
            radio.ChannelTag = QStringLiteral("TELE:") + selected;
        }
    } else {
        message = (radio.allChecked ? QStringLiteral("à tous ") : selected + QLatin1Char(' ')) + text;
    }
    if (!SendLogged(link, sender, TextLine(link.OwnCallsign, radio.Destination, message), SendLog::Always))
        return false;
    AppendRadioEntry(link, QLatin1Char('<') + radio.ChannelTag + QLatin1Char(':') + message);
    return true;
}

void PurgeShown(QStringList &messages, const QList<ShownEntry> &shown)
{
    // From the last to the first, so that each removal leaves the earlier indexes valid.
    for (auto it = shown.crbegin(); it != shown.crend(); ++it)
        if (it->index < messages.size() && messages[it->index] == it->text)
            messages.removeAt(it->index);
}

void ClickWhole(RadioState &radio) { ++radio.tuneWhole; }

void ClickDecimal(RadioState &radio) { radio.tuneDecimal += 25; }

void WheelWhole(RadioState &radio, bool up)
{
    radio.tuneWhole += up ? 1 : -1;
    if (radio.tuneWhole < kWholeLow)
        radio.tuneWhole = kWholeHigh;
    else if (radio.tuneWhole > kWholeHigh)
        radio.tuneWhole = kWholeLow;
}

void WheelDecimal(RadioState &radio, bool up)
{
    radio.tuneDecimal += up ? 5 : -5;
    if (radio.tuneDecimal < 0)
        radio.tuneDecimal = kDecimalHigh;
    else if (radio.tuneDecimal > kDecimalHigh)
        radio.tuneDecimal = 0;
}

QString WholeCaption(const RadioState &radio) { return ZeroPad(radio.tuneWhole, 3); }

QString DecimalCaption(const RadioState &radio) { return ZeroPad(radio.tuneDecimal, 3); }

QString TuneCom1(const RadioState &radio, LinkState &link)
{
    link.Com1Digits = WholeCaption(radio) + DecimalCaption(radio);
    return WholeCaption(radio) + QLatin1Char('.') + DecimalCaption(radio);
}

QString TuneCom2(const RadioState &radio, LinkState &link)
{
    link.Com2Digits = WholeCaption(radio) + DecimalCaption(radio);
    return WholeCaption(radio) + QLatin1Char('.') + DecimalCaption(radio);
}

RadioArrival ReceiveRadio(RadioState &radio, const ControllersState &controllers, const QString &channelTag,
                          const QString &sender, bool privateMessage, bool windowActive)
{
    RadioArrival arrival;
    const RadioChannel channel = ChannelOfTag(channelTag);
    const bool telephone = channel == RadioChannel::Telephone;
    if (telephone && privateMessage)
        radio.allChecked = sender == QLatin1String("server");
    if (windowActive && radio.channel != channel) {
        arrival.markUnread = true;
        if (telephone)
            AddOnce(radio.WaitingList, sender);
        return arrival;
    }
    if (telephone) {
        const int caller = FindController(controllers, sender);
        // A call from someone else while talking to a controller waits its turn.
        if (privateMessage && windowActive && radio.Correspondent != kNoController && radio.Correspondent != caller) {
            AddOnce(radio.WaitingList, sender);
            return arrival;
        }
        radio.Correspondent = caller;
        arrival.enableSelector = true;
    }
    radio.channel = channel;
    arrival.showChannel = true;
    return arrival;
}

bool TakeWaiting(RadioState &radio, const ControllersState &controllers, int slot)
{
    if (slot < 0 || slot >= radio.WaitingList.size())
        return false;
    const QString callsign = radio.WaitingList.takeAt(slot);
    radio.Correspondent = FindController(controllers, callsign);
    radio.channel = RadioChannel::Telephone;
    radio.allChecked = false;
    return true;
}

} // namespace zaz
