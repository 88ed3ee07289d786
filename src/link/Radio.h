// The text radio: which channel the radio window shows, where its messages go, the
// telephone conversation between controllers, and the frequency tuning panels. Kept apart
// from the window so that it lives on while the window is hidden.
#pragma once

#include "link/Controllers.h"
#include "link/LineSender.h"
#include "link/LinkState.h"
#include "traffic/TrafficState.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zaz {

enum class RadioChannel { Unicom, Com1, Com2, Telephone };

// The tag entries of a channel carry in the radio message list ("UNICOM", "COM1", "COM2",
// "TELE"), and the channel of a tag (Unicom for an unknown one).
QString ChannelTagOf(RadioChannel channel);
RadioChannel ChannelOfTag(const QString &tag);

struct RadioState {
    RadioChannel channel = RadioChannel::Unicom;
    QString Destination = QStringLiteral("@22800");
    QString ChannelTag = QStringLiteral("UNICOM");
    int Correspondent = kNoController;
    // Controllers whose telephone messages came while another channel was shown.
    QStringList WaitingList;
    // The box "tous les avions" / "tous les controlleurs".
    bool allChecked = false;
    // The tuning panels: integer part (116 to 138 by the wheel) and decimal part.
    int tuneWhole = 116;
    int tuneDecimal = 0;
};

// How the window looks on a channel.
struct ChannelSetup {
    QString checkCaption;
    QStringList choices;      // the destination selector's items
    QString choice;           // the item to select (telephone: the correspondent)
    QString windowCaption;
    QString sendCaption;
    bool sendEnabled = false;
};

// Sets the radio up for channel (destination and tag of the radio channels) and says how
// the window shows it.
ChannelSetup ShowChannel(RadioState &radio, RadioChannel channel, const LinkState &link,
                         const TrafficState &traffic, const ControllersState &controllers);

// The correspondent chosen in the telephone selector (kNoController when it left); returns
// the send button's caption.
QString ChooseCorrespondent(RadioState &radio, const ControllersState &controllers, const QString &callsign);

// An entry of the message list shown in the view.
struct ShownEntry {
    int index = 0;        // in the radio message list
    bool received = false; // ">" entry
    QString text;
};

// The entries of the list filed under tag. On the telephone channel with the box
// unchecked, only those whose sender field is the selected controller.
QList<ShownEntry> FillView(const QStringList &messages, RadioChannel channel, bool allChecked,
                           const QString &selected);

// Radio messages kept at most; the oldest go first.
inline constexpr qsizetype kMaxRadioMessages = 10000;

// Appends an entry to the radio message list, dropping the oldest beyond the list's bound.
void AppendRadioEntry(LinkState &link, const QString &entry);

// "envoi": sends text on the shown channel to the selected aircraft or controller (or to
// all with the box checked) and files the sent entry. False, with nothing filed, when the
// line was refused or the telephone has nobody to call.
bool SendRadioText(RadioState &radio, LinkState &link, LineSender &sender, const QString &text,
                   const QString &selected);

// "purger": removes the shown entries from the list. An entry that is no longer where it
// was shown (the list dropped its oldest entries meanwhile) is left alone.
void PurgeShown(QStringList &messages, const QList<ShownEntry> &shown);

// Tuning panels: a click adds 1 to the integer part or 25 to the decimal part, without
// wrapping; the wheel steps by 1 within 116..138 or by 5 within 0..975, wrapping around.
void ClickWhole(RadioState &radio);
void ClickDecimal(RadioState &radio);
void WheelWhole(RadioState &radio, bool up);
void WheelDecimal(RadioState &radio, bool up);
QString WholeCaption(const RadioState &radio);
QString DecimalCaption(const RadioState &radio);
// "<->": the tuned frequency becomes COM1 (or COM2); returns the frequency as shown.
QString TuneCom1(const RadioState &radio, LinkState &link);
QString TuneCom2(const RadioState &radio, LinkState &link);

// What a message filed by the line dispatcher does to the radio.
struct RadioArrival {
    bool markUnread = false;      // the channel's indicator turns red, nothing else shows
    bool showChannel = false;     // the channel is pressed, the view rebuilt, the window raised
    bool enableSelector = false;  // the destination selector is enabled
};
// windowActive: the radio window is the active window.
RadioArrival ReceiveRadio(RadioState &radio, const ControllersState &controllers, const QString &channelTag,
                          const QString &sender, bool privateMessage, bool windowActive);

// A waiting controller's button (slot 0 to 2): that controller becomes the correspondent
// (kNoController when it left), leaves the waiting list, and the telephone is shown with
// the box unchecked. False for an empty slot.
bool TakeWaiting(RadioState &radio, const ControllersState &controllers, int slot);

} // namespace zaz
