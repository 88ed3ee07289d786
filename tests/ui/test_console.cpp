// The command console "STRIPS", driven through its controls: its place, the lists and the
// selection, the strip made and removed, the controls each step shows, the keypad, the
// waiting list, the handoff and the quick radio texts.
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "link/Connection.h"
#include "traffic/StripLine.h"
#include "traffic/TrafficOps.h"
#include "ui/TForm_commandes.h"
#include "ui/TForm_dialogue.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace zaz::test {
namespace {

// LFLL_TWR with AFR1 selected on the scope, no strip yet.
struct Console {
    explicit Console(TestEnv e = TestEnv::withStartingData()) : env(std::move(e))
    {
        state.link.OwnCallsign = QStringLiteral("LFLL_TWR");
        state.link.Accepted = true;
        form.connection().dispatcher().DispatchLine(QStringLiteral("@N:AFR1:1200:1:45.72:5.08:3000:250:90:0"));
        aircraft = state.traffic.table.FindAircraft(QStringLiteral("AFR1"));
        state.traffic.SelectedAircraft = aircraft;
        emit state.notifier.selectionChanged();
    }
    template <class W = QWidget> W *find(const char *name) { return console.findChild<W *>(QLatin1String(name)); }
    void click(const char *name) { QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton); }
    void pick(const char *group, const QString &caption)
    {
        for (QRadioButton *b : find<QGroupBox>(group)->findChildren<QRadioButton *>())
            if (b->isVisible() && b->text() == caption)
                return b->click(); // laid out only once events run
        ADD_FAILURE() << "no item " << caption.toStdString() << " in " << group;
    }
    QTableWidget *grid(const char *list)
    {
        pick("RadioGroup1", QLatin1String(list));
        return find<QTableWidget>("StringGrid1");
    }
    void keypad(const QString &digits, const char *target)
    {
        for (QChar d : digits)
            click(QStringLiteral("Bt%1").arg(d).toLatin1().constData());
        pick("RadioGroup2", QLatin1String(target));
        click("Btok");
    }
    void withStrip(const char *position, const QString &kind)
    {
        click("Button1");
        pick("RadioGroup_op", QLatin1String(position));
        pick("RadioGroup_dep", kind);
    }
    QString field(StripField f) { return StripText(*StripLineOf(state.traffic, aircraft), f); }

    TestEnv env;
    std::unique_ptr<AppWindows> windows = CreateAppWindows(env.services());
    TForm1 &form = *windows->form1;
    RadarState &state = form.state();
    TForm_commandes &console = *windows->console;
    int aircraft = kNoAircraft;
};

TEST(ConsoleUi, ShownAtStartWhereTheSettingsPlaceItOnScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Case {
        QByteArray from, to;
        bool asSet;
    } cases[] = {{"cmdleft=1095", "cmdleft=15", true}, {"cmdleft=1095", "cmdleft=9000", false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.to.toStdString());
        TestEnv env = TestEnv::withStartingData();
        env.writeBytes(QStringLiteral("ZAZ.ini"), env.readBytes(QStringLiteral("ZAZ.ini")).replace(c.from, c.to));
        Console t(std::move(env));
        EXPECT_TRUE(t.console.isVisible());
        EXPECT_EQ(t.console.windowTitle(), "STRIPS");
        if (c.asSet)
            EXPECT_EQ(t.console.geometry(), QRect(15, 0, 420, 560));
        else
            EXPECT_TRUE(screen.contains(t.console.geometry().center()));
    }
}

TEST(ConsoleUi, TheStripButtonMakesAndRemovesTheSelectedAircraftsStrip)
{
    Console t;
    auto *button = t.find<QPushButton>("Button1");
    t.click("Button1");
    EXPECT_EQ(button->text(), "Supprimer le strip");
    QTableWidget *grid = t.grid("Ctl");
    ASSERT_EQ(grid->rowCount(), 1);
    t.state.traffic.SelectedAircraft = kNoAircraft;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(0, 1)).center());
    EXPECT_EQ(t.state.traffic.SelectedAircraft, kNoAircraft) << "only the first cell selects";
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(0, 0)).center());
    EXPECT_EQ(t.state.traffic.SelectedAircraft, t.aircraft);
    t.click("Button1");
    EXPECT_EQ(StripLineOf(t.state.traffic, t.aircraft), nullptr);
    EXPECT_EQ(button->text(), "Créer le strip");
    EXPECT_EQ(t.grid("Ctl")->rowCount(), 0);
}

TEST(ConsoleUi, EachStepShowsItsStatusesAndControls)
{
    // The first status of every step is the waiting one, "A".
    using enum StripField;
    struct Case {
        const char *position, *kind, *step, *controls;
        StripField status;
    } cases[] = {
        {"CLR", "départ", "Clairance départ", "ComboBox1 TrackBar1", Clearance},
        {"GND", "départ", "Mise en route", "", Startup},
        {"GND", "arrivée", "Roulage arrivée", "Edit_point", Parking},
        {"TWR", "départ", "Décollage", "TrackBar1 TrackBar3", Takeoff},
        {"TWR", "arrivée", "Atterrissage", "ComboBox1 TrackBar1 TrackBar2", Landing},
        {"CTR", "en route", "Contrôle radar en route", "TrackBar1 TrackBar2 TrackBar3 Edit_point", EnRoute},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.position) + " " + c.kind);
        Console t;
        t.withStrip(c.position, QString::fromUtf8(c.kind));
        auto *status = t.find<QGroupBox>("RadioGroup_val");
        EXPECT_EQ(status->isVisible() ? status->title() : "-", QString::fromUtf8(c.step));
        QStringList shown;
        for (const char *name : {"ComboBox1", "TrackBar1", "TrackBar2", "TrackBar3", "Edit_point", "edit_temps"})
            if (t.find(name)->isVisible())
                shown << QLatin1String(name);
        EXPECT_EQ(shown.join(' '), c.controls);
        for (int twice = 0; twice < 2; ++twice)
            status->findChildren<QRadioButton *>().first()->click();
        EXPECT_EQ(t.field(c.status), "A");
        EXPECT_EQ(t.grid("ATT")->rowCount(), 1) << "listed once";
    }
}

TEST(ConsoleUi, TheKeypadWritesWhereThePositionWants)
{
    struct Case {
        const char *position, *digits, *target;
        StripField field;
        const char *text, *bar; // bar: the bar that moves
        int value;
    } cases[] = {
        {"CLR", "95", "niveau", StripField::ClearedLevel, "095", "TrackBar1", -95},
        {"CTR", "95", "niveau", StripField::Level, "095", "TrackBar1", -95},
        {"CTR", "2504", "vitesse", StripField::Speed, "250", "TrackBar2", 250},
        {"CTR", "", "cap", StripField::Heading, "   ", "TrackBar3", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.digits);
        Console t;
        t.withStrip(c.position, QStringLiteral("départ"));
        t.keypad(QLatin1String(c.digits), c.target);
        EXPECT_EQ(t.field(c.field), QLatin1String(c.text));
        EXPECT_EQ(t.find<QSlider>(c.bar)->value(), c.value);
        EXPECT_TRUE(t.find<QLineEdit>("Edit_calc")->text().isEmpty());
    }
}

TEST(ConsoleUi, HandoffIsOfferedOnceThroughTheChooser)
{
    Console t;
    t.withStrip("TWR", QStringLiteral("départ"));
    auto *handoff = t.find<QPushButton>("Button2");
    EXPECT_FALSE(handoff->isVisible()) << "no controller around";
    t.form.connection().dispatcher().DispatchLine(QStringLiteral("%LFMM_CTR:28350:5:400:3:43.5:5.5:0"));
    ASSERT_TRUE(handoff->isVisible());
    // Picks LFMM_CTR in the chooser the button opens and confirms.
    const auto answer = [] {
        QTimer::singleShot(0, [] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            auto *combo = dialog->findChild<QComboBox *>();
            combo->setCurrentIndex(combo->findText(QStringLiteral("LFMM_CTR")));
            for (QAbstractButton *b : dialog->findChildren<QAbstractButton *>())
                if (b->text() == QLatin1String("Valider"))
                    b->click();
        });
    };
    const qsizetype before = t.state.link.SentLog.lines.size();
    answer();
    t.click("Button2");
    EXPECT_EQ(t.state.link.SentLog.lines.mid(before).value(0), "$HOLFLL_TWR:LFMM_CTR:AFR1");
    EXPECT_EQ(handoff->text(), "demandé");
    answer();
    t.click("Button2");
    EXPECT_EQ(t.state.link.SentLog.lines.size(), before + 2) << "offered again";
}

TEST(ConsoleUi, AnOfferMadeToUsCanBeRefused)
{
    Console t;
    auto *refuse = t.find<QPushButton>("Button_refus");
    EXPECT_FALSE(refuse->isVisible());
    t.form.connection().dispatcher().DispatchLine(QStringLiteral("$HOLFMM_CTR:LFLL_TWR:AFR1"));
    ASSERT_EQ(t.grid("HO")->rowCount(), 1);
    ASSERT_TRUE(refuse->isVisible());
    t.click("Button_refus");
    EXPECT_EQ(t.grid("HO")->rowCount(), 0);
    EXPECT_FALSE(refuse->isVisible());
}

TEST(ConsoleUi, Com1OpensTheStepsTextsFilledWithTheConsolesValues)
{
    Console t;
    t.withStrip("CTR", QStringLiteral("en route"));
    t.keypad(QStringLiteral("95"), "niveau");
    QTest::keyClicks(t.find<QLineEdit>("Edit_point"), QStringLiteral("MOKIP"));
    EXPECT_EQ(t.field(StripField::Point), "MOKIP");
    t.click("Button3");
    TForm_dialogue &popup = *t.windows->dialogue;
    auto *texts = popup.findChild<QTableWidget *>(QStringLiteral("StringGrid1"));
    for (const char *name : {"montez", "direct"}) {
        const auto items = texts->findItems(QLatin1String(name), Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << name;
        QTest::mouseClick(texts->viewport(), Qt::LeftButton, {}, texts->visualItemRect(items[0]).center());
    }
    EXPECT_EQ(popup.message(), "/montez niveau 95/direct MOKIP");
}

} // namespace
} // namespace zaz::test
