// The server link end to end: the real main window, offscreen, logs in through its menu and
// connection dialog over TCP to a scripted server on 127.0.0.1. What only a real socket and
// the real timers show: the login exchange and the menus, the periodic position report, the
// refused login, the server closing the connection after a kick, reconnection and the menu
// sign-off.
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "link/Connection.h"
#include "support/ScriptedPeer.h"
#include "support/TestEnv.h"
#include "traffic/TrafficOps.h"
#include "ui/TForm2.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
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

const QString kLogin = QStringLiteral("#AALFLL_APP:SERVER:Jean Martin:1234567:secret:5:9");
const QString kReport = QStringLiteral("%LFLL_APP:27575:5:100:5:45.72556:5.08111:0");

// The windows of the program, shown offscreen, with a scripted server listening.
struct Rig {
    Rig()
    {
        windows = CreateAppWindows(env.services());
        form = windows->form1.get();
        QSignalSpy shown(form, &TForm1::shown);
        form->show();
        ready = shown.wait(5000) && peer.listen();
    }

    LinkState &link() { return form->state().link; }
    const MainMenuItems &menu() { return form->menu(); }
    // The menus and timers of a closed connection.
    bool closedState()
    {
        return menu().connect1->isEnabled() && !menu().disconnect1->isEnabled() && menu().reconnexion1->isEnabled()
               && !form->Timer1()->isActive() && !form->Timer2()->isActive() && !link().Accepted && !link().LoginSent;
    }

    // "connect serveur": the modal dialog is filled for server FSD-LOCAL, LFLL_APP,
    // approach, and confirmed from the event loop it runs.
    void connectThroughMenu()
    {
        TForm2 *dialog = windows->form2.get();
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, dialog, [&] {
            if (!dialog->isVisible())
                return;
            poll.stop();
            auto *servers = dialog->findChild<QComboBox *>(QStringLiteral("ComboBox2"));
            servers->setCurrentIndex(servers->findText(QStringLiteral("FSD-LOCAL")));
            const std::pair<const char *, QString> edits[] = {
                {"adresse", "127.0.0.1"}, {"Port", QString::number(peer.port())}, {"ID", "1234567"},
                {"Password", "secret"},   {"Nom", "Jean Martin"},                 {"Callsign", "LFLL_APP"}};
            for (const auto &[name, text] : edits)
                dialog->findChild<QLineEdit *>(QLatin1String(name))->setText(text);
            dialog->findChild<QRadioButton *>(QStringLiteral("RadioGroup1_5"))->click();
            dialog->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        });
        poll.start(5);
        menu().connect1->trigger();
    }

    // The server accepts the login; done once the first report, the "#WX" and the "$AX" came back.
    ::testing::AssertionResult logIn()
    {
        if (!ready)
            return ::testing::AssertionFailure() << "windows or peer not ready";
        peer.expect(QStringLiteral("#AA"))
            .send({QStringLiteral("@N:EARLY1:1200:1:45.7:5.0:3000:250:0:0"), "#TMserver:LFLL_APP:bienvenue"})
            .expect(QStringLiteral("%LFLL_APP:"))
            .expect(QStringLiteral("#WX"))
            .expect(QStringLiteral("$AX"));
        connectThroughMenu();
        if (!peer.waitDone() || !link().Accepted)
            return ::testing::AssertionFailure() << peer.failure().toStdString() << " / received: "
                                                 << peer.received().join('|').toStdString();
        return ::testing::AssertionSuccess();
    }

    TestEnv env = TestEnv::withStartingData();
    std::unique_ptr<AppWindows> windows;
    TForm1 *form = nullptr;
    ScriptedPeer peer;
    bool ready = false;
};

} // namespace

TEST(ServerLink, LoginThroughTheMenuThenAPositionReportFromTheTimer)
{
    Rig r;
    ASSERT_TRUE(r.ready);
    EXPECT_TRUE(r.menu().connect1->isEnabled() && !r.menu().disconnect1->isEnabled());
    EXPECT_FALSE(r.menu().reconnexion1->isEnabled());
    ASSERT_TRUE(r.logIn());

    // The login, then the first report, the weather request and the own airport's METAR
    // asked, each ended by CR LF.
    const QStringList login = {kLogin, kReport, "#WXLFLL_APP:SERVER:LFLL", "$AXLFLL_APP:SERVER:METAR:LFLL"};
    EXPECT_EQ(r.peer.received(), login);
    EXPECT_EQ(r.peer.rawReceived(), (login.join("\r\n") + "\r\n").toLatin1());
    EXPECT_EQ(r.form->statusText(0), "connecté au serveur: bienvenue avec le callsign: LFLL_APP");
    EXPECT_EQ(r.link().status, "connecté FSD");
    EXPECT_EQ(r.form->state().traffic.table.FindAircraft(QStringLiteral("EARLY1")), kNoAircraft)
        << "a position before the acceptance is not read";
    EXPECT_TRUE(!r.menu().connect1->isEnabled() && r.menu().disconnect1->isEnabled());
    EXPECT_FALSE(r.menu().Depot->menuAction()->isEnabled()) << "no filed plans from an FSD server";
    EXPECT_TRUE(r.form->Timer1()->isActive());
    ASSERT_TRUE(r.form->Timer2()->isActive());
    EXPECT_EQ(r.form->Timer2()->interval(), 10000);

    // The report timer sends the report again, counted but left out of the unticked monitor.
    r.form->Timer2()->start(50);
    r.peer.expect(QStringLiteral("%LFLL_APP:"));
    ASSERT_TRUE(r.peer.waitDone()) << r.peer.failure().toStdString();
    EXPECT_EQ(r.peer.received().value(4), kReport);
    EXPECT_EQ(r.link().SentLog.lines, login);
    EXPECT_GE(r.link().SentCount, 3);
}

TEST(ServerLink, ARefusedLoginClosesTheSocketAndLeavesTheReasonInTheStatusBar)
{
    Rig r;
    ASSERT_TRUE(r.ready);
    r.peer.expect("#AA").send({"$ERserver:unknown:001:LFLL_APP:nom deja pris"}).expectClientClose();
    r.connectThroughMenu();
    ASSERT_TRUE(r.peer.waitDone()) << r.peer.failure().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.closedState(); }, 1000));
    EXPECT_EQ(r.form->statusText(0), "connexion refusée: unknown001LFLL_APPnom deja pris");
    EXPECT_EQ(r.peer.received(), QStringList{kLogin});
    EXPECT_EQ(r.link().status, "non connecté");
}

TEST(ServerLink, AKickLeavesItsReasonAfterTheServerClosesAndReconnexionAsksThePlansAgain)
{
    Rig r;
    ASSERT_TRUE(r.logIn());
    r.peer.send({"@N:AFR123:4521:1:45.8:5.2:12000:250:0:0"}).expect("$CQLFLL_APP:SERVER:FP:AFR123");
    r.peer.send({"$!!SERVER:LFLL_APP:trop de lignes"}).close();
    ASSERT_TRUE(r.peer.waitDone()) << r.peer.failure().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.closedState(); }, 1000));
    QTest::qWait(150); // no later tick or event overwrites it
    EXPECT_EQ(r.form->statusText(0), "déconnecté par le serveur : trop de lignes");
    EXPECT_TRUE(r.link().IdentityText.isEmpty());
    EXPECT_EQ(r.link().status, "non connecté");

    // The aircraft kept from the first connection, asked for seconds ago, is asked again.
    r.peer.expect(kLogin).send({"#TMserver:LFLL_APP:rebonjour"}).expect("%LFLL_APP:").expect("#WX")
        .expect("$CQLFLL_APP:SERVER:FP:AFR123");
    r.menu().reconnexion1->trigger();
    ASSERT_TRUE(r.peer.waitDone()) << r.peer.failure().toStdString();
    EXPECT_EQ(r.peer.connectionCount(), 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.link().Accepted; }, 1000));
    EXPECT_TRUE(!r.menu().connect1->isEnabled() && r.menu().disconnect1->isEnabled());
    EXPECT_TRUE(r.form->Timer1()->isActive() && r.form->Timer2()->isActive());
}

TEST(ServerLink, EveryLineSentEndsWithCrLfAndTheSignOffEmptiesTheTraffic)
{
    Rig r;
    ASSERT_TRUE(r.logIn());
    TrafficState &traffic = r.form->state().traffic;
    r.peer.send({"@N:AFR123:4521:1:45.8:5.2:12000:250:0:0"}).expect("$CQLFLL_APP:SERVER:FP:AFR123");
    ASSERT_TRUE(r.peer.waitDone()) << r.peer.failure().toStdString();
    const int index = traffic.table.FindAircraft(QStringLiteral("AFR123"));
    ASSERT_TRUE(AddStrip(traffic, index, NewStripLine(index, QTime(10, 0))));
    traffic.SelectedAircraft = index;

    r.peer.expectClientClose();
    r.menu().disconnect1->trigger();
    ASSERT_TRUE(r.peer.waitDone()) << r.peer.failure().toStdString();
    EXPECT_EQ(r.peer.received().last(), "#DALFLL_APP:1234567");
    EXPECT_EQ(r.peer.rawReceived(), (r.peer.received().join("\r\n") + "\r\n").toLatin1());
    EXPECT_EQ(r.link().SentLog.lines.last(), "#DALFLL_APP:1234567");
    EXPECT_TRUE(traffic.table.isEmpty() && traffic.LiveTrafficList.isEmpty() && traffic.strips.entries.isEmpty());
    EXPECT_EQ(traffic.SelectedAircraft, kNoAircraft);
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.closedState(); }, 1000));
    EXPECT_EQ(r.form->statusText(0), "Disconnected");
}
