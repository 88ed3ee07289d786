// The server link end to end: the real main window, offscreen, talks over TCP to a scripted
// server on 127.0.0.1. Login accepted and refused, traffic and flight plans, texts on each
// channel, handoffs and strips, filed plans, ATIS queries, weather, lines the client does
// not handle, the server closing the connection, a refused connection and the sign-off.
#include "app/AppWindows.h"
#include "core/Codec.h"
#include "app/TForm1.h"
#include "link/Connection.h"
#include "link/Senders.h"
#include "ui/TForm2.h"
#include "support/ScriptedPeer.h"
#include "support/TestEnv.h"
#include "traffic/StripStore.h"
#include "traffic/TrafficOps.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zaz;
using zaz::test::ScriptedPeer;
using zaz::test::TestEnv;

namespace {

// What the connection dialog is given before "Connecter" is clicked.
struct DialogInput {
    QString server = QStringLiteral("FSD-LOCAL");
    QString callsign = QStringLiteral("LFLL_APP");
    int facility = 5;   // "Approche Departure Control (100nm)": rating "Controller1" (5)
    quint16 port = 0;
};

// The windows of the program, shown offscreen, with a scripted server listening.
struct Rig {
    Rig()
    {
        env.clock.set(QDateTime(QDate(2024, 5, 12), QTime(14, 5, 9)));
        windows = CreateAppWindows(env.services());
        form = windows->form1.get();
        QSignalSpy shown(form, &TForm1::shown);
        form->show();
        ready = shown.wait(5000) && peer.listen();
        env.prompts.clear();
    }

    RadarState &state() { return form->state(); }
    LinkState &link() { return form->state().link; }
    QAction *menu(const char *name) { return form->MenuItem(QLatin1String(name)); }
    int Find(const char *callsign) { return state().traffic.table.FindAircraft(QLatin1String(callsign)); }

    // Opens the connection through the menu "connect serveur": the modal dialog is filled
    // and confirmed from the event loop it runs.
    void connectThroughMenu(DialogInput input)
    {
        if (input.port == 0)
            input.port = peer.port();
        TForm2 *dialog = windows->form2.get();
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, dialog, [&] {
            if (!dialog->isVisible())
                return;
            poll.stop();
            auto *servers = dialog->findChild<QComboBox *>(QStringLiteral("ComboBox2"));
            auto *callsign = dialog->findChild<QLineEdit *>(QStringLiteral("Callsign"));
            auto *facility = dialog->findChild<QRadioButton *>(QStringLiteral("RadioGroup1_%1").arg(input.facility));
            auto *connect = dialog->findChild<QPushButton *>(QStringLiteral("Button1"));
            if (!servers || !callsign || !facility || !connect) {
                ADD_FAILURE() << "connection dialog controls not found";
                dialog->reject();
                return;
            }
            servers->setCurrentIndex(servers->findText(input.server));
            auto set = [dialog](const char *name, const QString &text) {
                if (auto *edit = dialog->findChild<QLineEdit *>(QLatin1String(name)))
                    edit->setText(text);
            };
            set("adresse", QStringLiteral("127.0.0.1"));
            set("Port", QString::number(input.port));
            set("ID", QStringLiteral("1234567"));
            set("Password", QStringLiteral("secret"));
            set("Nom", QStringLiteral("Jean Martin"));
            callsign->setText(input.callsign);
            facility->click();
            connect->click();
        });
        poll.start();
        menu("connect1")->trigger();
        poll.stop();
    }

    // The server accepts the login with a welcome text; done once the first "%" (and, from
    // an FSD server, the "#WX") has come back.
    ::testing::AssertionResult logIn(const QString &confirmed = QStringLiteral("LFLL_APP"),
                                     const QString &welcome = QStringLiteral("bienvenue"),
                                     DialogInput input = DialogInput())
    {
        if (!ready)
            return ::testing::AssertionFailure() << "windows or peer not ready";
        peer.expect(QStringLiteral("#AA"))
            .send({QStringLiteral("#TMserver:") + confirmed + QLatin1Char(':') + welcome})
            .expect(QLatin1Char('%') + confirmed + QLatin1Char(':'));
        if (input.server == QLatin1String("FSD-LOCAL"))
            peer.expect(QStringLiteral("#WX"));
        connectThroughMenu(input);
        if (!peer.waitDone())
            return ::testing::AssertionFailure() << peer.failure().toStdString() << " / received: "
                                                 << peer.received().join(QLatin1Char('|')).toStdString();
        if (!link().Accepted)
            return ::testing::AssertionFailure() << "login not accepted";
        return ::testing::AssertionSuccess();
    }

    // Sends lines and waits until the condition holds (the client handles a read per tick).
    bool sendAndWait(const QStringList &lines, const std::function<bool()> &condition, int ms = 1000)
    {
        peer.send(lines);
        return QTest::qWaitFor(condition, ms);
    }

    // An aircraft position the way the server sends it, and the flight plan query it brings.
    ::testing::AssertionResult AddAircraft(const QString &callsign, const QString &altitude = QStringLiteral("12000"))
    {
        peer.send({QStringLiteral("@N:") + callsign + QStringLiteral(":4521:1:45.80000:5.20000:") + altitude
                   + QStringLiteral(":250:0:0")})
            .expect(QStringLiteral("$CQ") + link().OwnCallsign + QStringLiteral(":SERVER:FP:") + callsign);
        if (!peer.waitDone())
            return ::testing::AssertionFailure() << peer.failure().toStdString() << " / errors: "
                                                 << link().ErrorLog.lines.join(QLatin1Char('|')).toStdString()
                                                 << " / table: " << state().traffic.table.size();
        if (!QTest::qWaitFor([&] { return state().traffic.table.FindAircraft(callsign) != kNoAircraft; }, 500))
            return ::testing::AssertionFailure() << "aircraft not in the table";
        return ::testing::AssertionSuccess();
    }

    TestEnv env = TestEnv::withStartingData();
    std::unique_ptr<AppWindows> windows;
    TForm1 *form = nullptr;
    ScriptedPeer peer;
    bool ready = false;
};

} // namespace

TEST(ServerLink, FsdLoginThroughTheMenuIsAcceptedAndReportsPositionAndWeatherRequest)
{
    Rig r;
    ASSERT_TRUE(r.ready);
    EXPECT_FALSE(r.menu("reconnexion1")->isEnabled());
    ASSERT_TRUE(r.logIn());

    // The login with the server type "FSD", then the first report and the weather request.
    EXPECT_EQ(r.peer.received(),
              QStringList({"#AALFLL_APP:SERVER:Jean Martin:1234567:secret:5:9",
                           "%LFLL_APP:27575:5:100:5:45.72556: 5.08111:0", "#WXLFLL_APP:SERVER:LFLL"}));
    EXPECT_TRUE(r.peer.rawReceived().startsWith("#AALFLL_APP:SERVER:Jean Martin:1234567:secret:5:9\r\n%"));
    EXPECT_TRUE(r.peer.rawReceived().endsWith("\r\n"));

    EXPECT_EQ(r.form->StatusText(0), "connecté au serveur: bienvenue avec le callsign: LFLL_APP");
    EXPECT_EQ(r.link().status, "connecté FSD");
    EXPECT_EQ(r.link().IdentityText, "LFLL_APP Approche Departure Control (100nm) Controller1");
    EXPECT_EQ(r.link().VisibilityRange, 100);
    EXPECT_TRUE(r.form->Timer1()->isActive());
    EXPECT_TRUE(r.form->Timer2()->isActive());
    EXPECT_EQ(r.form->Timer2()->interval(), 10000);
    EXPECT_FALSE(r.menu("connect1")->isEnabled());
    EXPECT_TRUE(r.menu("disconnect1")->isEnabled());
    EXPECT_FALSE(r.menu("Depot")->isEnabled());
    // The login counts 1, the report at acceptance is logged but not counted, "#WX" counts.
    EXPECT_EQ(r.link().SentLog.lines, r.peer.received());
    EXPECT_EQ(r.link().SentCount, 2);
    // "Connecter" kept the edits for the chosen server.
    EXPECT_EQ(r.state().files.servers->readString("FSD-LOCAL", "port", QString()), QString::number(r.peer.port()));
    EXPECT_EQ(r.state().files.zaz->readString("connect", "callsign", QString()), "LFLL_APP");

    // The 10-second report goes out counted, but stays out of the unticked packet monitor.
    r.peer.expect(QStringLiteral("%LFLL_APP:"));
    r.form->Timer2Timer();
    ASSERT_TRUE(r.peer.waitDone()) << r.peer.failure().toStdString();
    EXPECT_EQ(r.peer.received().last(), "%LFLL_APP:27575:5:100:5:45.72556: 5.08111:0");
    EXPECT_EQ(r.link().SentLog.lines.size(), 3);
    EXPECT_EQ(r.link().SentCount, 3);

    // Further welcome lines arrive once accepted: a private text from "server".
    QSignalSpy radio(&r.state().notifier, &StateNotifier::radioMessage);
    ASSERT_TRUE(r.sendAndWait({"#TMserver:LFLL_APP:serveur de test"}, [&] { return !r.state().RadioMessages.isEmpty(); }));
    EXPECT_EQ(r.state().RadioMessages, QStringList({">TELE:server:serveur de test"}));
    ASSERT_EQ(radio.size(), 1);
    EXPECT_EQ(radio[0][0].toString(), "TELE");
    EXPECT_TRUE(radio[0][3].toBool());
}

TEST(ServerLink, VireoServerWelcomeUsesTheConfirmedCallsignAndAnswersAtisWithSound)
{
    Rig r;
    ASSERT_TRUE(r.ready);
    DialogInput input;
    input.server = QStringLiteral("VIREO-SERVER");
    ASSERT_TRUE(r.logIn(QStringLiteral("LFLL_X_APP"), QStringLiteral("VIREO-SERVER connexion acceptée"), input));

    ASSERT_GE(r.peer.received().size(), 2);
    EXPECT_EQ(r.peer.received()[0], "#AALFLL_APP:VIREO-SERVER:Jean Martin:1234567:secret:5:9");
    EXPECT_EQ(r.peer.received()[1], "%LFLL_X_APP:27575:5:100:5:45.72556: 5.08111:0");
    EXPECT_EQ(r.form->StatusText(0),
              "connecté au serveur: VIREO-SERVER connexion acceptée avec le callsign: LFLL_X_APP");
    EXPECT_TRUE(r.link().VireoServer);
    EXPECT_TRUE(r.menu("Depot")->isEnabled());
    EXPECT_EQ(r.link().status, "connecté VIREO-SERVER");

    r.state().weather.atis.lines = QStringList({"LYON INFORMATION ALPHA", "QNH 1013"});
    r.state().weather.atis.soundText = QStringLiteral("atis_lfll");
    r.peer.send({"$CQLFLL_TWR:LFLL_X_APP: ATIS "})
        .expect("#TMLFLL_X_APP:LFLL_TWR:LYON")
        .expect("#TMLFLL_X_APP:LFLL_TWR:QNH")
        .expect("#TMAUDIOLFLL_X_APP:LFLL_TWR:");
    ASSERT_TRUE(r.peer.waitDone()) << r.peer.failure().toStdString();
    EXPECT_EQ(r.peer.received().mid(2),
              QStringList({"#TMLFLL_X_APP:LFLL_TWR:LYON INFORMATION ALPHA", "#TMLFLL_X_APP:LFLL_TWR:QNH 1013",
                           "#TMAUDIOLFLL_X_APP:LFLL_TWR:atis_lfll"}));
    // No weather request goes to a VIREO-SERVER.
    EXPECT_TRUE(r.peer.receivedStartingWith("#WX").isEmpty());
}

TEST(ServerLink, RefusedLoginClosesTheSocketAndShowsTheReason)
{
    Rig r;
    ASSERT_TRUE(r.ready);
    r.peer.expect("#AA").send({"$ERserver:unknown:001:LFLL_APP:nom deja pris"}).expectClientClose();
    r.connectThroughMenu(DialogInput());
    ASSERT_TRUE(r.peer.waitDone()) << r.peer.failure().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.menu("connect1")->isEnabled(); }, 500));

    EXPECT_EQ(r.form->StatusText(0), "connexion refusée: unknown001LFLL_APPnom deja pris");
    EXPECT_EQ(r.peer.received(), QStringList({"#AALFLL_APP:SERVER:Jean Martin:1234567:secret:5:9"}));
    EXPECT_FALSE(r.link().Accepted);
    EXPECT_FALSE(r.link().LoginSent);
    EXPECT_FALSE(r.form->Timer1()->isActive());
    EXPECT_FALSE(r.form->Timer2()->isActive());
    EXPECT_FALSE(r.menu("disconnect1")->isEnabled());
    EXPECT_TRUE(r.menu("reconnexion1")->isEnabled());
    EXPECT_EQ(r.link().status, "non connecté");
}

TEST(ServerLink, PositionsAndFlightPlansMakeAircraftAndAskForTheirPlansOnce)
{
    Rig r;
    ASSERT_TRUE(r.logIn());
    ASSERT_TRUE(r.addAircraft(QStringLiteral("AFR123")));

    // The plan, a new aircraft whose first line fails half-way then comes right, and a
    // position that updates the first aircraft.
    r.peer
        .send({"$FPAFR123:LFLL_APP:I:A320:450:LFPG:1200:1210:FL350:LFLL:1:10:3:0:LFLY:remarques:DCT",
               "@S:BAD1:1000:1:45.70000:5.00000:abc:200:0:0", "@S:BAD1:1000:1:45.70000:5.00000:3000:200:0:0",
               "@Y:AFR123:4521:1:45.81000:5.21000:12500:255:0:0"})
        .expect("$CQLFLL_APP:SERVER:FP:BAD1");
    ASSERT_TRUE(r.peer.waitDone()) << r.peer.failure().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.state().traffic.table[r.find("AFR123")].altitude == 12500; }, 500));

    EXPECT_EQ(r.peer.receivedStartingWith("$CQ"),
              QStringList({"$CQLFLL_APP:SERVER:FP:AFR123", "$CQLFLL_APP:SERVER:FP:BAD1"}));
    const AVION &a = r.state().traffic.table[r.find("AFR123")];
    EXPECT_TRUE(a.hasFlightPlan);
    EXPECT_EQ(a.acType, "A320");
    EXPECT_EQ(a.departure, "LFPG");
    EXPECT_EQ(a.destination, "LFLL");
    EXPECT_EQ(a.transponderMode, "Y");
    const int bad = r.find("BAD1");
    ASSERT_NE(bad, kNoAircraft);
    EXPECT_EQ(r.state().traffic.table[bad].altitude, 3000);
    EXPECT_EQ(r.state().traffic.LiveTrafficList.size(), 2);
    EXPECT_TRUE(r.state().traffic.LiveTrafficList.contains(QString::number(bad)));
    EXPECT_EQ(r.link().ErrorLog.lines, QStringList({"@S:BAD1:1000:1:45.70000:5.00000:abc:200:0:0"}));

    // The aircraft leaves.
    ASSERT_TRUE(r.sendAndWait({"#DPBAD1"}, [&] { return r.find("BAD1") == kNoAircraft; }));
    EXPECT_NE(r.find("AFR123"), kNoAircraft);
}

TEST(ServerLink, TextsAreFiledUnderTheirChannel)
{
    Rig r;
    ASSERT_TRUE(r.logIn());
    QSignalSpy radio(&r.state().notifier, &StateNotifier::radioMessage);
    ASSERT_TRUE(r.sendAndWait({"#TMAFR123:@22800:bonjour unicom", "#TMAFR456:@27575:bonjour: suite perdue",
                               "#TMAFR789:@21000:autre frequence", "#TMLFLL_TWR:@49999:briefing",
                               "#TMLFLL_CTR:LFLL_TWR:pas pour nous", "#TMLFLL_TWR:LFLL_APP:appel prive"},
                              [&] { return r.state().RadioMessages.size() >= 4; }));
    EXPECT_EQ(r.state().RadioMessages,
              QStringList({">UNICOM:AFR123:bonjour unicom", ">COM1:AFR456:bonjour",
                           ">TELE:LFLL_TWR:A tous les controleurs briefing", ">TELE:LFLL_TWR:appel prive"}));
    ASSERT_EQ(radio.size(), 4);
    QStringList channels;
    QList<bool> privates;
    for (const QList<QVariant> &signal : radio) {
        channels << signal[0].toString();
        privates << signal[3].toBool();
    }
    EXPECT_EQ(channels, QStringList({"UNICOM", "COM1", "TELE", "TELE"}));
    EXPECT_EQ(privates, QList<bool>({false, false, false, true}));
    EXPECT_EQ(r.form->StatusText(0), ">TELE:LFLL_TWR:appel prive");
    EXPECT_TRUE(r.link().ErrorLog.lines.isEmpty());
}

TEST(ServerLink, HandoffOfferAcceptedOnTheScopeSendsAcceptanceThenPlanQuery)
{
    Rig r;
    ASSERT_TRUE(r.logIn());
    ASSERT_TRUE(r.addAircraft(QStringLiteral("AFR123")));
    const int index = r.find("AFR123");
    ASSERT_TRUE(r.sendAndWait({"$HOLFLL_TWR:LFLL_CTR:AFR123", "$HOLFLL_TWR:LFLL_APP:ZZZ999",
                               "$HOLFLL_TWR:LFLL_APP:AFR123"},
                              [&] { return !r.state().traffic.table[index].handoffFrom.isEmpty(); }));
    EXPECT_EQ(r.state().traffic.table[index].handoffFrom, "LFLL_TWR");
    EXPECT_EQ(r.find("ZZZ999"), kNoAircraft);

    r.peer.expect("$HA").expect("$CQ");
    AcceptHandoff(r.state(), r.form->connection(), index);
    ASSERT_TRUE(r.peer.waitDone()) << r.peer.failure().toStdString();
    EXPECT_EQ(r.peer.received().mid(r.peer.received().size() - 2),
              QStringList({"$HALFLL_APP:LFLL_TWR:AFR123", "$CQLFLL_APP:SERVER:FP:AFR123"}));
    EXPECT_TRUE(r.state().traffic.table[index].handoffFrom.isEmpty());
}

TEST(ServerLink, HandoffAcceptedByTheOtherControllerSendsOurStrip)
{
    Rig r;
    ASSERT_TRUE(r.logIn());
    ASSERT_TRUE(r.addAircraft(QStringLiteral("AFR123")));
    ASSERT_TRUE(r.addAircraft(QStringLiteral("BAW45")));
    const int index = r.find("AFR123");
    const QString key = StripKey(index);
    r.state().strips.keys << key;
    r.state().strips.lines << key + QStringLiteral("10:20:30") + QString(30, QLatin1Char(' ')) + QStringLiteral("APP")
                                  + QString(17, QLatin1Char(' '));
    r.state().traffic.table.Edit(index).hasStrip = true;

    // BAW45 has no strip: its line fails once marked, and nothing is sent for it.
    r.peer.send({"$HALFLL_TWR:LFLL_APP:BAW45", "$HALFLL_TWR:LFLL_APP:AFR123"}).expect("#TMLFLL_APP:LFLL_TWR:~STRIP");
    ASSERT_TRUE(r.peer.waitDone()) << r.peer.failure().toStdString();

    const QString row = key + QStringLiteral("10:20:30") + QString(30, QLatin1Char(' ')) + QStringLiteral("APPALFLL_TWR")
                        + QString(8, QLatin1Char(' '));
    ASSERT_EQ(row.size(), kStripLength);
    EXPECT_EQ(r.state().strips.lines, QStringList({row}));
    QString sentRow = row;
    sentRow.replace(QLatin1Char(':'), QLatin1Char('/'));
    const QString expected = QStringLiteral("#TMLFLL_APP:LFLL_TWR:~STRIP") + sentRow + QStringLiteral("AFR123");
    EXPECT_EQ(r.peer.receivedStartingWith("#TM"), QStringList({expected}));
    EXPECT_EQ(r.link().SentLog.lines.last(), expected);
    EXPECT_EQ(r.state().traffic.table[index].handoffState, "A");
    EXPECT_EQ(r.state().traffic.table[r.find("BAW45")].handoffState, "A");
    EXPECT_EQ(r.link().ErrorLog.lines, QStringList({"$HALFLL_TWR:LFLL_APP:BAW45"}));
}

TEST(ServerLink, ReceivedStripIsStoredOnceAndShortOnesFail)
{
    Rig r;
    ASSERT_TRUE(r.logIn());
    ASSERT_TRUE(r.addAircraft(QStringLiteral("AFR123")));
    const int index = r.find("AFR123");
    // Columns 12-44 of the sender's row, with a ":" that travels as "/".
    const QString middle = QStringLiteral("C001350ABCMT/12090120EHPLKI250APP");
    ASSERT_EQ(middle.size(), 33);
    const QString sentRow = QStringLiteral("00512/34/56") + middle + QStringLiteral("ALFLL_TWR01203   ");
    ASSERT_EQ(sentRow.size(), kStripLength);
    const QString line = QStringLiteral("#TMLFLL_TWR:LFLL_APP:~STRIP") + sentRow + QStringLiteral("AFR123");
    QSignalSpy panel(&r.state().notifier, &StateNotifier::aircraftPanelWanted);
    ASSERT_TRUE(r.sendAndWait({line}, [&] { return !r.state().strips.lines.isEmpty(); }));

    const QString stored = StripKey(index) + QStringLiteral("14:05:09") + QStringLiteral("C001350ABCMT:12090120EHPLKI250APP")
                           + QString(9, QLatin1Char(' ')) + QStringLiteral("012") + QString(5, QLatin1Char(' '));
    EXPECT_EQ(r.state().strips.lines, QStringList({stored}));
    EXPECT_EQ(r.state().strips.keys, QStringList({StripKey(index)}));
    EXPECT_TRUE(r.state().traffic.table[index].hasStrip);
    EXPECT_EQ(r.state().traffic.table[index].nextPoint, 3);
    ASSERT_EQ(panel.size(), 1);
    EXPECT_EQ(panel[0][0].toInt(), index);
    EXPECT_TRUE(r.state().RadioMessages.isEmpty());

    // The same strip again adds nothing; a short one is an error in that line only.
    ASSERT_TRUE(r.sendAndWait({line, "#TMLFLL_TWR:LFLL_APP:~STRIP00512/34", "#TMLFLL_TWR:@22800:apres"},
                              [&] { return !r.state().RadioMessages.isEmpty(); }));
    EXPECT_EQ(r.state().strips.lines.size(), 1);
    EXPECT_EQ(r.link().ErrorLog.lines, QStringList({"#TMLFLL_TWR:LFLL_APP:~STRIP00512/34"}));
}

TEST(ServerLink, FiledPlansAnswerTheQueryRowByRow)
{
    Rig r;
    ASSERT_TRUE(r.logIn());
    QSignalSpy changed(&r.state().notifier, &StateNotifier::filedPlansChanged);
    r.peer.expect("$CQLFLL_APP:SERVER:DEPOTFP:")
        .send({"$DEPOTFP001:LFLL_APP:AFR123:I:A320:078:LFPG:1200:930:350:LFLL:1:10:3:0:LFLY:remarques:NIPOR UM129",
               "$DEPOTFP:LFLL_APP:FGXYZ:V:C172:85:LFLY:0800:0815:045:LFLS:0:45:2:0:LFLU:rien:DCT"});
    RequestFiledPlans(r.state(), r.form->connection(), QStringLiteral("TOUS"));
    ASSERT_TRUE(r.peer.waitDone()) << r.peer.failure().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.state().FiledPlans.size() == 2; }, 1000));
    EXPECT_EQ(r.peer.received().last(), "$CQLFLL_APP:SERVER:DEPOTFP:TOUS");
    EXPECT_EQ(r.state().FiledPlans,
              QStringList({"AFR123\t1200\tIFR\tA320\tLFPG\tNIPOR UM129\tLFLL\tFL350\tM078\tZ09:30\tremarques",
                           "FGXYZ\t0800\tVFR\tC172\tLFLY\tDCT\tLFLS\tFL045\t85kts\tZ08:15\trien"}));
    EXPECT_EQ(changed.size(), 2);
}

TEST(ServerLink, AtisQueryFromAnFsdServerIsAnsweredWithoutSound)
{
    Rig r;
    ASSERT_TRUE(r.logIn());
    r.state().weather.atis.lines = QStringList({"LYON INFORMATION BRAVO"});
    r.state().weather.atis.soundText = QStringLiteral("atis_lfll");
    const qsizetype before = r.peer.received().size();
    // A query that is not for the ATIS is not answered.
    r.peer.send({"$CQLFLL_TWR:LFLL_APP:FP", "$CQLFLL_TWR:LFLL_APP:ATIS"}).expect("#TMLFLL_APP:LFLL_TWR:").wait(250);
    ASSERT_TRUE(r.peer.waitDone()) << r.peer.failure().toStdString();
    EXPECT_EQ(r.peer.received().mid(before), QStringList({"#TMLFLL_APP:LFLL_TWR:LYON INFORMATION BRAVO"}));
}

TEST(ServerLink, WeatherLinesFillTheCurrentWeatherAndUnhandledLinesAreIgnored)
{
    Rig r;
    ASSERT_TRUE(r.logIn());
    const QString status = r.form->StatusText(0);
    const QString metar = QStringLiteral("LFLL 121200Z 27010KT 9999 FEW030 15/10 Q1013 NOSIG");
    ASSERT_TRUE(r.sendAndWait({"#DLSERVER:*:0:0:270:10", "$!!SERVER:LFLL_APP:expulse",
                               "#TDserver:LFLL_APP:1000:15:5000:5:10000:-5",
                               "#WDserver:LFLL_APP:2000:0:270:10:0:0:10000:2000:250:35:0:0:20000:10000:240",
                               "#CDserver:LFLL_APP:3000:1500:SCT:0:1:8000:6000:BKN",
                               "$ARserver:LFLL_APP:METAR:" + metar},
                              [&] { return r.state().weather.rawMetar == metar; }));
    const WeatherState &w = r.state().weather;
    const t_weather &now = w.CurrentWeather;
    EXPECT_EQ(now.time, "12/05/2024 14:05:09");
    ASSERT_EQ(now.temperatures.size(), 3);
    EXPECT_EQ(now.temperatures[2].altitude + "/" + now.temperatures[2].temperature, "10000/-5");
    EXPECT_EQ(now.wind.depth + "/" + now.wind.altitude + "/" + now.wind.direction + "/" + now.wind.speed,
              "2000/0/270/10");
    ASSERT_EQ(now.windsAloft.size(), 1);
    EXPECT_EQ(now.windsAloft[0].depth + "/" + now.windsAloft[0].altitude + "/" + now.windsAloft[0].direction + "/"
                  + now.windsAloft[0].speed,
              "10000/2000/250/35");
    ASSERT_EQ(now.clouds.size(), 1);
    EXPECT_EQ(now.clouds[0].base + "/" + now.clouds[0].height + "/" + now.clouds[0].cover, "3000/1500/1,0,SCT");
    EXPECT_TRUE(w.newMetar);
    EXPECT_EQ(w.qnhText, "1013");
    EXPECT_EQ(w.altimeterText, "29.92");
    EXPECT_EQ(now.pressureText, "1013mb");
    EXPECT_EQ(w.windUnit, "KT");
    EXPECT_EQ(now.wind.unit, "KT");
    // The wind broadcast and the kick change nothing: still connected, no error, no text.
    EXPECT_TRUE(r.link().Accepted);
    EXPECT_TRUE(r.link().ErrorLog.lines.isEmpty());
    EXPECT_TRUE(r.state().RadioMessages.isEmpty());
    EXPECT_EQ(r.form->StatusText(0), status);

    // The same METAR again is not new; an unknown weather profile empties the layers.
    r.state().weather.newMetar = false;
    ASSERT_TRUE(r.sendAndWait({"$ARserver:LFLL_APP:METAR:" + metar, "$ERserver:LFLL_APP:002:LFXX:No such weather profile"},
                              [&] { return r.state().weather.CurrentWeather.station == "LFXX"; }));
    EXPECT_FALSE(w.newMetar);
    EXPECT_EQ(r.form->StatusText(0), "erreur: LFLL_APP002LFXXNo such weather profile");
    EXPECT_EQ(w.rawMetar, "No such weather profile");
    EXPECT_TRUE(w.qnhText.isEmpty());
    EXPECT_TRUE(now.temperatures.isEmpty());
    EXPECT_TRUE(now.windsAloft.isEmpty());
    EXPECT_TRUE(now.clouds.isEmpty());
}

TEST(ServerLink, LinesSplitAcrossReadsOrEndedByCrAloneAreHandledWhole)
{
    Rig r;
    ASSERT_TRUE(r.logIn());
    r.peer.sendRaw(EncodeCp1252(QStringLiteral("#TMAFR1:@22800:coupé en ")))
        .wait(250)
        .sendRaw(EncodeCp1252(QStringLiteral("deux\r\n#TMAFR2:@22800:fin seule\r")))
        .wait(250)
        .sendRaw("\n#TMAFR3:@22800:trois\r\n#TMAFR4:@22800:quatre\r\n");
    ASSERT_TRUE(r.peer.waitDone()) << r.peer.failure().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.state().RadioMessages.size() >= 4; }, 1000));
    EXPECT_EQ(r.state().RadioMessages, QStringList({">UNICOM:AFR1:coupé en deux", ">UNICOM:AFR2:fin seule",
                                                    ">UNICOM:AFR3:trois", ">UNICOM:AFR4:quatre"}));
    EXPECT_TRUE(r.link().ErrorLog.lines.isEmpty());
}

TEST(ServerLink, ServerClosingTheSocketResetsTheMenusAndReconnexionReopens)
{
    Rig r;
    ASSERT_TRUE(r.logIn());
    ASSERT_TRUE(r.addAircraft(QStringLiteral("AFR123")));
    r.peer.close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.form->StatusText(0) == QLatin1String("Disconnected"); }, 1000));
    EXPECT_TRUE(r.menu("connect1")->isEnabled());
    EXPECT_FALSE(r.menu("disconnect1")->isEnabled());
    EXPECT_TRUE(r.menu("reconnexion1")->isEnabled());
    EXPECT_FALSE(r.form->Timer1()->isActive());
    EXPECT_FALSE(r.form->Timer2()->isActive());
    EXPECT_FALSE(r.link().Accepted);
    EXPECT_FALSE(r.link().LoginSent);
    EXPECT_EQ(r.link().status, "non connecté");
    EXPECT_TRUE(r.link().IdentityText.isEmpty());

    // "reconnexion" opens the same host and port again and logs in anew.
    r.peer.expect("#AALFLL_APP:SERVER:").send({"#TMserver:LFLL_APP:rebonjour"}).expect("%LFLL_APP:");
    r.menu("reconnexion1")->trigger();
    ASSERT_TRUE(r.peer.waitDone()) << r.peer.failure().toStdString();
    EXPECT_EQ(r.peer.connectionCount(), 2);
    EXPECT_EQ(r.form->connection().host(), "127.0.0.1");
    EXPECT_EQ(r.form->connection().port(), r.peer.port());
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.link().Accepted; }, 500));
    EXPECT_FALSE(r.menu("connect1")->isEnabled());
    EXPECT_TRUE(r.menu("disconnect1")->isEnabled());
    EXPECT_TRUE(r.form->Timer2()->isActive());
}

TEST(ServerLink, RefusedConnectionShowsTheSocketError)
{
    Rig r;
    ASSERT_TRUE(r.ready);
    DialogInput input;
    input.port = ScriptedPeer::unusedPort();
    ASSERT_NE(input.port, 0);
    r.connectThroughMenu(input);
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.form->StatusText(0).contains(QStringLiteral(" error ")); }, 1500));
    EXPECT_EQ(r.form->StatusText(0), "127.0.0.1 error Connecting Socket Error n°10061 : Connection refused.");
    EXPECT_TRUE(r.menu("connect1")->isEnabled());
    EXPECT_FALSE(r.menu("disconnect1")->isEnabled());
    EXPECT_FALSE(r.menu("reconnexion1")->isEnabled());
    EXPECT_FALSE(r.form->Timer1()->isActive());
    EXPECT_FALSE(r.link().LoginSent);
}

TEST(ServerLink, MenuSignOffSendsDaEndedByCrAloneAndEmptiesTheTraffic)
{
    Rig r;
    // The typed callsign signs off even when the server confirmed another one.
    ASSERT_TRUE(r.logIn(QStringLiteral("LFLL_Y_APP")));
    ASSERT_TRUE(r.addAircraft(QStringLiteral("AFR123")));
    const int index = r.find("AFR123");
    r.state().strips.keys << StripKey(index);
    r.state().strips.lines << NewStripLine(index, QTime(10, 0, 0));
    r.state().traffic.SelectedAircraft = index;

    r.peer.expectClientClose();
    r.menu("disconnect1")->trigger();
    ASSERT_TRUE(r.peer.waitDone()) << r.peer.failure().toStdString();
    EXPECT_TRUE(r.peer.rawReceived().endsWith("\r\n#DALFLL_APP:1234567\r")) << r.peer.rawReceived().right(40).toStdString();
    EXPECT_EQ(r.peer.received().last(), "#DALFLL_APP:1234567");
    EXPECT_EQ(r.link().SentLog.lines.last(), "#DALFLL_APP:1234567");
    EXPECT_EQ(r.find("AFR123"), kNoAircraft);
    EXPECT_TRUE(r.state().traffic.LiveTrafficList.isEmpty());
    EXPECT_EQ(r.state().traffic.SelectedAircraft, kNoAircraft);
    EXPECT_TRUE(r.state().strips.lines.isEmpty());
    EXPECT_TRUE(r.state().strips.keys.isEmpty());
    EXPECT_FALSE(r.form->Timer1()->isActive());
    EXPECT_FALSE(r.form->Timer2()->isActive());
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.menu("connect1")->isEnabled(); }, 500));
    EXPECT_EQ(r.form->StatusText(0), "Disconnected");
    EXPECT_FALSE(r.menu("disconnect1")->isEnabled());

    // Signing off again with the socket closed sends nothing and still empties the table.
    const QByteArray before = r.peer.rawReceived();
    ApplyServerPosition(r.state(), SplitText(":", "@N:BAW45:1000:1:45.7:5.0:3000:200:0:0"), r.env.clock.now());
    ASSERT_NE(r.find("BAW45"), kNoAircraft);
    r.form->disconnect1Click();
    EXPECT_EQ(r.find("BAW45"), kNoAircraft);
    EXPECT_TRUE(r.state().traffic.LiveTrafficList.isEmpty());
    QTest::qWait(50);
    EXPECT_EQ(r.peer.rawReceived(), before);
    EXPECT_EQ(r.link().SentLog.lines.last(), "#DALFLL_APP:1234567");
}
