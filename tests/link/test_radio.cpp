// The text radio on the model: each channel's set-up, where typed messages go and how they
// are filed, the views and their purge, the tuning panels, incoming messages and the
// telephone waiting list; then the predefined texts and their variables.
#include "core/Codec.h"
#include "link/Radio.h"
#include "link/TextVariables.h"

#include <QTemporaryDir>
#include "support/RecordingSender.h"

#include <gtest/gtest.h>

using namespace zaz;

namespace {

using Recorder = test::RecordingSender;

// LFLL_APP on COM1 118.700, COM2 never tuned, two aircraft and three controllers (LFLL_TWR
// and LFMN_APP in the radio list, LFPG_CTR not).
struct Radio : ::testing::Test {
    Radio()
    {
        link.OwnCallsign = QStringLiteral("LFLL_APP");
        link.Com1Digits = QStringLiteral("118700");
        for (const char *callsign : {"AFR123", "EZY45"}) {
            traffic.table.setCallsign(traffic.table.AcquireRecord(), QLatin1String(callsign));
            traffic.LiveTrafficList.append(QString::number(traffic.table.FindAircraft(QLatin1String(callsign))));
        }
        for (const char *callsign : {"LFLL_TWR", "LFMN_APP", "LFPG_CTR"}) {
            const int i = ApplyControllerPosition(controllers, {}, {QLatin1String(callsign), {}, {}, 0, {}, 0, 0, 0}, {});
            controllers.ControllerTable[i].inRadioList = QByteArray(callsign) != "LFPG_CTR";
        }
    }
    int controller(const char *callsign) { return FindController(controllers, QLatin1String(callsign)); }

    LinkState link;
    TrafficState traffic;
    ControllersState controllers;
    RadioState radio;
    Recorder wire;
};

} // namespace

TEST_F(Radio, EachChannelIsSetUpWithItsTargetsAndWhetherItCanSend)
{
    struct Case { RadioChannel channel; int correspondent; const char *check, *destination, *tag, *caption, *send;
        bool enabled; QStringList choices; };
    const int ctr = controller("LFPG_CTR");
    const QStringList aircraft{"AFR123", "EZY45"};
    const Case cases[] = {
        {RadioChannel::Com1, kNoController, "tous les avions", "@18700", "COM1", "Radio COM1", "envoi 118.700",
         true, aircraft},
        {RadioChannel::Com2, kNoController, "tous les avions", "@", "COM2", "Radio COM2", "envoi", false, aircraft},
        // A correspondent outside the radio list is offered too.
        {RadioChannel::Telephone, ctr, "tous les controlleurs", "@", "COM2", "Telephone", "envoi LFPG_CTR", true,
         {"LFLL_TWR", "LFMN_APP", "LFPG_CTR", "LFPG_WAIT"}},
    };
    radio.WaitingList = QStringList{"LFPG_WAIT"};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.send);
        radio.Correspondent = c.correspondent;
        const ChannelSetup setup = ShowChannel(radio, c.channel, link, traffic, controllers);
        EXPECT_EQ(setup.checkCaption, c.check);
        EXPECT_EQ(setup.choices, c.choices);
        EXPECT_EQ(setup.windowCaption, c.caption);
        EXPECT_EQ(setup.sendCaption, c.send);
        EXPECT_EQ(setup.sendEnabled, c.enabled);
        // The telephone leaves destination and tag to the sending.
        EXPECT_EQ(radio.Destination, c.destination);
        EXPECT_EQ(radio.ChannelTag, c.tag);
    }
}

TEST_F(Radio, SendingRoutesTheLineAndFilesTheEntryByChannelAndBox)
{
    struct Case { RadioChannel channel; bool all; const char *line, *entry; };
    const Case cases[] = {
        {RadioChannel::Unicom, false, "#TMLFLL_APP:@22800:EZY45 bonjour", "<UNICOM:EZY45 bonjour"},
        {RadioChannel::Com1, true, "#TMLFLL_APP:@18700:à tous bonjour", "<COM1:à tous bonjour"},
        {RadioChannel::Telephone, false, "#TMLFLL_APP:EZY45:bonjour", "<TELE:EZY45:bonjour"},
        {RadioChannel::Telephone, true, "#TMLFLL_APP:@49999:bonjour", "<ZAZ:bonjour"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        ShowChannel(radio, c.channel, link, traffic, controllers);
        radio.allChecked = c.all;
        ASSERT_TRUE(SendRadioText(radio, link, wire, QStringLiteral("bonjour"), QStringLiteral("EZY45")));
        EXPECT_EQ(wire.sent.last(), QString::fromUtf8(c.line) + "\r\n");
        EXPECT_EQ(link.RadioMessages.last(), QString::fromUtf8(c.entry));
        EXPECT_EQ(link.SentLog.lines.last(), QString::fromUtf8(c.line)) << "logged even with the monitor unticked";
    }
    EXPECT_EQ(link.SentCount, 4);

    // A refused line files nothing; the telephone without anyone to call sends nothing.
    EXPECT_FALSE(SendRadioText(radio, link, wire, QStringLiteral("a:b"), QStringLiteral("EZY45")));
    radio.allChecked = false;
    EXPECT_FALSE(SendRadioText(radio, link, wire, QStringLiteral("allo"), QString()));
    EXPECT_EQ(wire.sent.size(), 4);
    EXPECT_EQ(link.RadioMessages.size(), 4);
}

TEST_F(Radio, TheMessageListKeepsItsBoundWhenTheControllerSends)
{
    for (qsizetype i = 0; i < kMaxRadioMessages; ++i)
        link.RadioMessages.append(QStringLiteral(">UNICOM:X:%1").arg(i));
    ShowChannel(radio, RadioChannel::Unicom, link, traffic, controllers);
    ASSERT_TRUE(SendRadioText(radio, link, wire, QStringLiteral("fin"), QStringLiteral("AFR123")));
    EXPECT_EQ(link.RadioMessages.size(), kMaxRadioMessages);
    EXPECT_EQ(link.RadioMessages.first(), ">UNICOM:X:1");
}

TEST(RadioView, ViewsShowTheirChannelAndTheTelephoneFiltersByController)
{
    const QStringList messages{
        ">UNICOM:AFR1:a", ">TELE:LFLL_TWR:b", "<TELE:LFLL_TWR:c", "<ZAZ:d",
        ">TELE:LFMN_APP:A tous les controleurs e", ">COM1:AFR1:f", "<COM1:AFR1 g", ">COM12:X:h",
    };
    struct Case { RadioChannel channel; bool all; const char *selected; QList<int> shown; };
    const Case cases[] = {
        {RadioChannel::Unicom, false, "", {0}},
        {RadioChannel::Com1, false, "", {5, 6}},
        {RadioChannel::Com2, true, "", {}},
        {RadioChannel::Telephone, false, "LFLL_TWR", {1, 2}},
        {RadioChannel::Telephone, true, "LFLL_TWR", {1, 2, 4}},
        {RadioChannel::Telephone, false, "", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(ChannelTagOf(c.channel).toStdString() + (c.all ? " all" : " one"));
        QList<int> shown;
        for (const ShownEntry &e : FillView(messages, c.channel, c.all, QLatin1String(c.selected))) {
            shown.append(e.index);
            EXPECT_EQ(e.received, messages[e.index].startsWith('>'));
        }
        EXPECT_EQ(shown, c.shown);
    }
}

TEST(RadioView, PurgeRemovesExactlyTheShownEntries)
{
    QStringList messages{">COM1:A:1", ">UNICOM:B:2", "<COM1:A 3", ">TELE:C:4", ">COM1:D:5", "<UNICOM:E 6"};
    const QList<ShownEntry> shown = FillView(messages, RadioChannel::Com1, false, QString());
    PurgeShown(messages, shown);
    EXPECT_EQ(messages, QStringList({">UNICOM:B:2", ">TELE:C:4", "<UNICOM:E 6"}));
}

TEST(RadioTuning, ClicksAddWithoutWrappingAndTheWheelWraps)
{
    struct Case { const char *what; int whole, decimal; void (*act)(RadioState &);
        const char *wholeCaption, *decimalCaption; };
    const Case cases[] = {
        {"click 138", 138, 0, ClickWhole, "139", "000"},
        {"click 975", 116, 975, ClickDecimal, "116", "1000"},
        {"wheel up 138", 138, 0, [](RadioState &r) { WheelWhole(r, true); }, "116", "000"},
        {"wheel down 116", 116, 0, [](RadioState &r) { WheelWhole(r, false); }, "138", "000"},
        {"wheel up 975", 116, 975, [](RadioState &r) { WheelDecimal(r, true); }, "116", "000"},
        {"wheel down 0", 116, 0, [](RadioState &r) { WheelDecimal(r, false); }, "116", "975"},
        {"wheel up 970", 137, 970, [](RadioState &r) { WheelDecimal(r, true); }, "137", "975"},
        {"wheel up 137", 137, 0, [](RadioState &r) { WheelWhole(r, true); }, "138", "000"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        RadioState radio;
        radio.tuneWhole = c.whole;
        radio.tuneDecimal = c.decimal;
        c.act(radio);
        EXPECT_EQ(WholeCaption(radio), c.wholeCaption);
        EXPECT_EQ(DecimalCaption(radio), c.decimalCaption);
    }
}

TEST_F(Radio, TuningCom1MovesTheChannel)
{
    radio.tuneWhole = 121;
    radio.tuneDecimal = 250;
    EXPECT_EQ(TuneCom1(radio, link), "121.250");
    EXPECT_EQ(link.Com1Digits, "121250");
    ShowChannel(radio, RadioChannel::Com1, link, traffic, controllers);
    EXPECT_EQ(radio.Destination, "@21250");
}

TEST_F(Radio, IncomingMessagesMarkUnreadOrShowTheChannelAndFeedTheWaitingList)
{
    struct Case { const char *what; RadioChannel shown; int correspondent; bool active; const char *tag, *sender;
        bool isPrivate; bool unread, show; RadioChannel channelAfter; int correspondentAfter; QStringList waiting;
        bool allAfter; };
    const int twr = controller("LFLL_TWR");
    const int nice = controller("LFMN_APP");
    const Case cases[] = {
        {"phone while on com1", RadioChannel::Com1, kNoController, true, "TELE", "LFMN_APP", true, true,
         false, RadioChannel::Com1, kNoController, {"LFMN_APP"}, false},
        {"phone while hidden", RadioChannel::Unicom, twr, false, "TELE", "LFMN_APP", true, false, true,
         RadioChannel::Telephone, nice, {}, false},
        {"from the server", RadioChannel::Unicom, twr, false, "TELE", "server", true, false, true,
         RadioChannel::Telephone, kNoController, {}, true},
        {"another caller during a call", RadioChannel::Telephone, twr, true, "TELE", "LFMN_APP", true, false,
         false, RadioChannel::Telephone, twr, {"LFMN_APP"}, false},
        {"the correspondent calls", RadioChannel::Telephone, twr, true, "TELE", "LFLL_TWR", true, false, true,
         RadioChannel::Telephone, twr, {}, false},
        {"to all controllers during a call", RadioChannel::Telephone, twr, true, "TELE", "LFMN_APP", false, false,
         true, RadioChannel::Telephone, nice, {}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        RadioState r;
        r.channel = c.shown;
        r.Correspondent = c.correspondent;
        r.allChecked = true;
        // Twice: a caller waits only once.
        ReceiveRadio(r, controllers, QLatin1String(c.tag), QLatin1String(c.sender), c.isPrivate, c.active);
        const RadioArrival arrival =
            ReceiveRadio(r, controllers, QLatin1String(c.tag), QLatin1String(c.sender), c.isPrivate, c.active);
        EXPECT_EQ(arrival.markUnread, c.unread);
        EXPECT_EQ(arrival.showChannel, c.show);
        EXPECT_EQ(r.channel, c.channelAfter);
        EXPECT_EQ(r.Correspondent, c.correspondentAfter);
        EXPECT_EQ(r.WaitingList, c.waiting);
        EXPECT_EQ(r.allChecked, c.allAfter);
    }
}

TEST(TextVariables, EveryOccurrenceOfEveryNameIsReplacedWhateverItsCase)
{
    const TextVariableValues v{"LFPG", "MTL5A", -120, 250, "$NUM", "2",   "12:30",   "090",
                               "36L",  "36R",   "270 12KT", "1013", "LFMN_APP", "121.250"};
    struct Case { const char *text, *expected; };
    const Case cases[] = {
        {"montez $niv soit $ALT pieds, $Niv", "montez 120 soit 12000 pieds, 120"},
        {"$DEST $SID $VIT $CAP $TEMPS $QNH $vent", "LFPG MTL5A 250 090 12:30 1013 270 12KT"},
        {"piste $PISTE_DE puis $piste_ldg", "piste 36L puis 36R"},
        {"contactez $CONT sur $FREQ", "contactez LFMN_APP sur 121.250"},
        {"direct $POINTS $NUMERO $", "direct $NUMS 2ERO $"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReplaceTextVariables(QString::fromUtf8(c.text), v), QString::fromUtf8(c.expected));
    }
}

TEST(TextVariables, PickedTextsComeFromTheirCategoryOrGeneralAndAreJoined)
{
    QTemporaryDir dir;
    IniFile texts(dir.filePath("com.ini"));
    texts.loadFromBytes(EncodeCp1252("[GEN]\r\nmt=montez $NIV\r\n[départ]\r\nmt=montée initiale\r\nrt=rappelez $POINT\r\n"));
    struct Case { const char *category, *command, *expected; };
    const Case cases[] = {
        {"", "mt", "montez $NIV"},
        {"départ", "MT", "montée initiale"},
        {"départ", "xx", "ERROR"},
        {"arrivée", "mt", "ERROR"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(PredefinedText(texts, QString::fromUtf8(c.category), QLatin1String(c.command)),
                  QString::fromUtf8(c.expected));
    }
    TextVariableValues v;
    v.altitudePosition = -80;
    v.point = "MTL";
    const QString joined = JoinPickedTexts({PredefinedText(texts, "", "mt"), PredefinedText(texts, "départ", "rt")});
    EXPECT_EQ(ReplaceTextVariables(joined, v), "montez 80/rappelez MTL");
}

TEST(TextVariables, ASectionIsWrittenBackWholeAndOthersAreLeftAsTheyWere)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("com.ini");
    IniFile texts(path);
    texts.loadFromBytes(EncodeCp1252("[GEN]\r\nmt=montez\r\n[départ]\r\nold=ancien\r\nrt=rappelez\r\n[arrivée]\r\nx=y\r\n"));
    QString error;
    ASSERT_TRUE(WriteTextSection(texts, "départ", {{"rt", "rappelez $POINT"}, {"  new ", "nouveau"}, {"", "x"}},
                                 error))
        << error.toStdString();
    IniFile reread(path);
    EXPECT_EQ(reread.readSectionPairs("départ"),
              (QList<QPair<QString, QString>>{{"rt", "rappelez $POINT"}, {"new", "nouveau"}}));
    EXPECT_EQ(reread.readString("GEN", "mt", ""), "montez");
    EXPECT_EQ(reread.readString("arrivée", "x", ""), "y");

    EXPECT_FALSE(WriteTextSection(texts, "départ", {{"a=b", "c"}}, error));
    EXPECT_FALSE(error.isEmpty());
}
