// Two programs at work together through one server: the tower, fed by the simulator, makes
// an aircraft's strip in its command console, speaks to it, and hands it to the approach,
// which sees the offer in its console and accepts it.
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "link/Connection.h"
#include "support/RelayServer.h"
#include "support/TestEnv.h"
#include "traffic/Console.h"
#include "traffic/StripLine.h"
#include "traffic/TrafficOps.h"
#include "ui/TForm_commandes.h"
#include "ui/TForm_dialogue.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace zaz::test {
namespace {

// Fills and confirms the next dialog that shows with a modal event loop: the connection
// dialog (server FSD-LOCAL) or the controller chooser.
void AnswerModal(quint16 port, const QString &name)
{
    QTimer::singleShot(20, [port, name] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            return AnswerModal(port, name);
        if (auto *servers = dialog->findChild<QComboBox *>(QStringLiteral("ComboBox2"))) {
            servers->setCurrentIndex(servers->findText(QStringLiteral("FSD-LOCAL")));
            const std::pair<const char *, QString> edits[] = {
                {"adresse", "127.0.0.1"}, {"Port", QString::number(port)}, {"ID", "1234567"},
                {"Password", "secret"},   {"Nom", "Jean Martin"},          {"Callsign", name}};
            for (const auto &[field, text] : edits)
                dialog->findChild<QLineEdit *>(QLatin1String(field))->setText(text);
            dialog->findChild<QRadioButton *>(QStringLiteral("RadioGroup1_5"))->click();
            return dialog->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        }
        auto *combo = dialog->findChild<QComboBox *>();
        combo->setCurrentIndex(combo->findText(name));
        for (QAbstractButton *b : dialog->findChildren<QAbstractButton *>())
            if (b->text() == QLatin1String("Valider"))
                b->click();
    });
}

struct Program {
    explicit Program(bool withSimulator)
    {
        AppServices services = env.services();
        if (withSimulator)
            services.simLibraryName = QStringLiteral(ZAZ_STANDIN_LIBRARY);
        windows = CreateAppWindows(services);
        form().FormShow();
    }
    TForm1 &form() { return *windows->form1; }
    RadarState &state() { return form().state(); }
    template <class W = QWidget> W *find(const char *name) { return windows->console->findChild<W *>(name); }
    void click(const char *name) { QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton); }
    void pick(const char *group, const QString &caption)
    {
        for (QRadioButton *b : find<QGroupBox>(group)->findChildren<QRadioButton *>())
            if (b->isVisible() && b->text() == caption)
                return b->click();
        ADD_FAILURE() << "no item " << caption.toStdString() << " in " << group;
    }

    TestEnv env = TestEnv::withStartingData();
    std::unique_ptr<AppWindows> windows;
};

TEST(ConsoleSession, AStripWorkedSpokenToAndHandedOverToAnotherProgram)
{
    RelayServer server;
    ASSERT_TRUE(server.listen());
    Program a(true);
    qputenv("ZAZ_SIM_DIR", a.env.path(QStringLiteral("simulateur")).toLocal8Bit());
    // The simulator's item offers the server connection at once.
    AnswerModal(server.port(), QStringLiteral("LFLL_TWR"));
    a.form().menu().ConnectFSX1->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return a.state().link.Accepted; }, 3000));
    Program b(false);
    AnswerModal(server.port(), QStringLiteral("LFLL_APP"));
    b.form().menu().connect1->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.state().link.Accepted; }, 3000));

    a.form().Timer4Timer();
    const int aircraft = a.state().traffic.table.FindAircraft(QStringLiteral("AFR1234"));
    a.state().traffic.SelectedAircraft = aircraft;
    emit a.state().notifier.selectionChanged();
    a.click("Button1");
    a.pick("RadioGroup_op", QStringLiteral("CTR"));
    a.pick("RadioGroup_dep", QStringLiteral("en route"));
    a.find<QGroupBox>("RadioGroup_val")->findChildren<QRadioButton *>().first()->click();
    for (const char *key : {"Bt9", "Bt5"})
        a.click(key);
    a.pick("RadioGroup2", QStringLiteral("niveau"));
    a.click("Btok");
    const QString *strip = StripLineOf(a.state().traffic, aircraft);
    ASSERT_NE(strip, nullptr) << "no simulator aircraft selected, or no strip made";
    EXPECT_EQ(StripText(*strip, StripField::Level), "095");
    EXPECT_EQ(StripText(*strip, StripField::EnRoute), "A");

    a.click("Button3");
    auto *texts = a.windows->dialogue->findChild<QTableWidget *>(QStringLiteral("StringGrid1"));
    const auto items = texts->findItems(QStringLiteral("montez"), Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1);
    QTest::mouseClick(texts->viewport(), Qt::LeftButton, {}, texts->visualItemRect(items[0]).center());
    a.windows->dialogue->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
    EXPECT_EQ(a.state().link.RadioMessages.value(0), "<COM1:AFR1234 /montez niveau 95");

    // The approach learns of the aircraft, then of the offer, through the server.
    const SectorIdentity &own = b.state().sector.identity;
    b.form().connection().dispatcher().DispatchLine(
        QStringLiteral("@N:AFR1234:1200:1:%1:%2:3000:250:90:0").arg(own.ownLat).arg(own.ownLon));
    ASSERT_TRUE(QTest::qWaitFor([&] { return a.find<QPushButton>("Button2")->isVisible(); }, 3000))
        << "the approach's position report never reached the tower";
    AnswerModal(0, QStringLiteral("LFLL_APP"));
    a.click("Button2");
    EXPECT_EQ(a.find<QPushButton>("Button2")->text(), "demandé");
    const QString offer = HandoffEntry(QStringLiteral("LFLL_TWR"), QStringLiteral("AFR1234"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.state().traffic.console.handoffs.contains(offer); }, 3000));

    // The approach accepts by a click on the target, at the middle of its scope after F5.
    b.form().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&b.form()));
    QWidget *scope = b.form().findChild<QWidget *>(QStringLiteral("scope"));
    QTest::keyClick(scope, Qt::Key_F5);
    const QSize picture = b.form().picture().deviceIndependentSize().toSize();
    QTest::mouseClick(scope, Qt::LeftButton, {}, QPoint(picture.width() / 2, picture.height() / 2));
    EXPECT_TRUE(b.state().traffic.console.handoffs.isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return a.find<QPushButton>("Button2")->text() == "accepté"; }, 3000));
}

} // namespace
} // namespace zaz::test
