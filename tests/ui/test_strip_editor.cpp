// The strip editor "Strip", driven through its controls: the step each position shows for
// each flight kind, the statuses written back with the pending mark, the messages composed
// from com.ini and sent on COM1.
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "traffic/StripLine.h"
#include "traffic/TrafficOps.h"
#include "ui/TForm_strip.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace zaz::test {
namespace {

// LFLL_TWR on 118.700 with AFR123 bound for LFMN, whose strip is set up by each test.
struct Editor {
    Editor()
    {
        state.link.OwnCallsign = QStringLiteral("LFLL_TWR");
        state.link.Com1Digits = QStringLiteral("118700");
        state.link.Accepted = true;
        form.connection().dispatcher().DispatchLine(QStringLiteral("@N:AFR123:1200:1:45.72:5.08:3000:250:90:0"));
        aircraft = state.traffic.table.FindAircraft(QStringLiteral("AFR123"));
        state.traffic.table.edit(aircraft).destination = QStringLiteral("LFMN");
        AddStrip(state.traffic, aircraft, NewStripLine(aircraft, QTime(12, 0)));
    }
    QString &line() { return *StripLineOf(state.traffic, aircraft); }
    QString field(StripField f) { return StripText(line(), f); }
    template <class W> W *find(const char *name) { return strip.findChild<W *>(QLatin1String(name)); }
    void click(const char *group, const QString &caption)
    {
        for (QRadioButton *b : find<QGroupBox>(group)->findChildren<QRadioButton *>())
            if (b->isVisible() && b->text() == caption)
                return QTest::mouseClick(b, Qt::LeftButton);
        ADD_FAILURE() << "no item " << caption.toStdString() << " in " << group;
    }
    void message(const QString &name)
    {
        auto *grid = find<QTableWidget>("StringGrid1");
        const auto items = grid->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << name.toStdString();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(items[0]).center());
    }
    QString checked(const char *group)
    {
        QString text;
        for (const QRadioButton *b : find<QGroupBox>(group)->findChildren<QRadioButton *>())
            text += b->isChecked() ? b->text() : QString();
        return text;
    }
    // The status group as "title: checked item", or "-" when hidden.
    QString step()
    {
        const auto *box = find<QGroupBox>("RadioGroup2");
        return box->isVisible() ? box->title() + ": " + checked("RadioGroup2") : QStringLiteral("-");
    }

    TestEnv env = TestEnv::withStartingData();
    std::unique_ptr<AppWindows> windows = CreateAppWindows(env.services());
    TForm1 &form = *windows->form1;
    RadarState &state = form.state();
    TForm_strip &strip = *windows->strip;
    int aircraft = kNoAircraft;
};

TEST(StripEditor, EachPositionShowsTheStepOfTheFlightKind)
{
    struct Case {
        const char *kind, *startup, *position, *shown, *kindShown;
    } cases[] = {
        {" ", " ", "CLR", "-", ""},
        {" ", " ", "GND", "-", ""},
        {" ", " ", "TWR", "-", ""},
        {"D", " ", "CLR", "Clairance départ: ", "depart"},
        {"D", "A", "GND", "Mise en route: demandée", "depart"},
        {"D", "X", "GND", "Roulage départ: ", "depart"},
        {"A", "X", "GND", "Roulage arrivée: ", "arrivée"},
        {"D", " ", "TWR", "Décollage: ", "depart"},
        {"V", " ", "TWR", "Transit zone: ", "envol"},
        {"D", " ", "APP", "-", "depart"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.kind) + c.startup + c.position);
        Editor e;
        SetStripText(e.line(), StripField::FlightKind, c.kind);
        SetStripText(e.line(), StripField::Startup, c.startup);
        ASSERT_TRUE(e.strip.open("AFR123"));
        e.click("RadioGroup1", c.position);
        EXPECT_EQ(e.step(), QString::fromUtf8(c.shown));
        EXPECT_EQ(e.field(StripField::Position), c.position);
        EXPECT_EQ(e.checked("RadioGroup_dep"), QString::fromUtf8(c.kindShown));
        EXPECT_EQ(e.find<QComboBox>("ComboBox1")->isVisible(), e.step().startsWith("Clairance"));
        EXPECT_EQ(e.find<QSlider>("TrackBar2")->isVisible(), e.step().startsWith("Transit"));
    }
}

TEST(StripEditor, StatusesAreWrittenAndMarkTheAircraftWhileAStepWaits)
{
    Editor e;
    SetStripText(e.line(), StripField::Position, "TWR");
    ASSERT_TRUE(e.strip.open("AFR123"));
    EXPECT_EQ(e.find<QLabel>("Label2")->text(), "début control: 12:00:00");
    struct Case {
        const char *group, *item, *columns;
        bool pending;
    } cases[] = {
        {"RadioGroup_dep", "arrivée", "   A", false},
        {"RadioGroup2", "en finale", " A A", false}, // landing "A" is not a step waiting
        {"RadioGroup_dep", "depart", " A D", false},
        {"RadioGroup2", "point d'arrêt", "AA D", true},
        {"RadioGroup2", "autorisé", "RA D", false},
    };
    // Handoff columns changed in the store while the editor is open are kept.
    SetStripText(e.line(), StripField::HandoffMark, "D");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.item);
        e.click(c.group, QString::fromUtf8(c.item));
        EXPECT_EQ(e.field(StripField::Takeoff) + e.field(StripField::Landing) + e.field(StripField::Parking) +
                      e.field(StripField::FlightKind),
                  c.columns);
        EXPECT_EQ(e.state.traffic.table[e.aircraft].commandPending, c.pending);
    }
    EXPECT_EQ(e.field(StripField::HandoffMark), "D");
}

TEST(StripEditor, MessagesAreChainedWithTheirValuesAndStoreTheSidAndLevel)
{
    Editor e;
    e.state.sector.tables.sids = {ROUTE{"LSE1A", {}, 0}, ROUTE{"MTL2B", {}, 0}};
    e.state.weather.atis.takeoffRunway = QStringLiteral("35R");
    SetStripText(e.line(), StripField::FlightKind, "D");
    SetStripText(e.line(), StripField::Position, "CLR");
    ASSERT_TRUE(e.strip.open("AFR123"));
    e.find<QComboBox>("ComboBox1")->setCurrentIndex(1);
    e.find<QSlider>("TrackBar1")->setValue(90);
    e.message("sid");
    e.message("piste");
    e.message("niveau");
    EXPECT_EQ(e.find<QLineEdit>("Edit1")->text(),
              QString::fromUtf8("/départ MTL2B/piste en service 35R/montée initiale niveau 90"));
    EXPECT_EQ(e.field(StripField::Sid) + e.field(StripField::ClearedLevel), "001090");

    e.find<QComboBox>("ComboBox1")->setCurrentIndex(-1);
    e.message("sid");
    EXPECT_EQ(e.field(StripField::Sid), "001") << "no SID chosen: the one stored stays";
}

TEST(StripEditor, EnvoiSendsOnCom1AndFilesTheMessage)
{
    struct Case {
        const char *typed, *sent, *filed, *left;
    } cases[] = {
        {"/QNH 1013", "#TMLFLL_TWR:@18700:AFR123 /QNH 1013", "<COM1:AFR123 /QNH 1013", ""},
        {"heure 12:00", nullptr, nullptr, "heure 12:00"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        Editor e;
        ASSERT_TRUE(e.strip.open("AFR123"));
        e.find<QLineEdit>("Edit1")->setText(c.typed);
        const qsizetype sent = e.state.link.SentLog.lines.size(), filed = e.state.link.RadioMessages.size();
        QTest::mouseClick(e.find<QPushButton>("Button1"), Qt::LeftButton);
        EXPECT_EQ(e.state.link.SentLog.lines.mid(sent), c.sent ? QStringList{c.sent} : QStringList{});
        EXPECT_EQ(e.state.link.RadioMessages.mid(filed), c.filed ? QStringList{c.filed} : QStringList{});
        EXPECT_EQ(e.find<QLineEdit>("Edit1")->text(), c.left);
    }
    Editor e;
    EXPECT_FALSE(e.strip.open("BAW1")) << "no strip, nothing opened";
}

} // namespace
} // namespace zaz::test
