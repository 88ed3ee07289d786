// "liste STRIPS" and the aircraft panel: strips received from another controller shown on
// the board, the colours of the step statuses, a click on a callsign selecting the
// aircraft and opening its panel, and what the panel makes of the strip.
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "core/ColorText.h"
#include "link/Connection.h"
#include "link/LineProtocol.h"
#include "traffic/StripLine.h"
#include "traffic/TrafficOps.h"
#include "ui/TForm_liststrip.h"
#include "ui/TForm_strip.h"
#include "ui/TForm_unavion.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace zaz::test {
namespace {

using Fields = QList<std::pair<StripField, QString>>;

// LFLL_TWR logged in, AFR1 and BAW2 in sight, the sector with two SIDs and one STAR.
struct Program {
    Program()
    {
        state.link.OwnCallsign = QStringLiteral("LFLL_TWR");
        state.link.Accepted = true;
        for (const char *name : {"MTL1A", "LUL2B"})
            state.sector.tables.sids.append(ROUTE{name, {}, 0});
        state.sector.tables.stars.append(ROUTE{QStringLiteral("BELUS3C"), {}, 0});
        for (const char *callsign : {"AFR1", "BAW2"})
            line(QStringLiteral("@N:%1:1200:1:45.72:5.08:35000:450:90:0").arg(callsign));
    }
    void line(const QString &text) { form.connection().dispatcher().DispatchLine(text); }
    // A strip LFMN_APP sends us, carrying these fields.
    void receiveStrip(const QString &callsign, const Fields &fields)
    {
        QString row(kStripLength, QLatin1Char(' '));
        for (const auto &[field, text] : fields)
            SetStripText(row, field, text);
        line(StripTransferLine(QStringLiteral("LFMN_APP"), state.link.OwnCallsign, row, callsign).chopped(2));
    }
    // Writes a field of the first strip, as the editor would.
    void setField(StripField field, const QString &text)
    {
        SetStripText(state.traffic.strips.entries[0].line, field, text);
        emit state.notifier.stripsChanged();
    }
    int find(const QString &callsign) const { return state.traffic.table.FindAircraft(callsign); }
    QTableWidget *grid() const { return board->grid(); }
    QString cell(int row, int column) const { return grid()->item(row, column)->text(); }
    // The texts of the panel's fields, joined by "|".
    QString edits(const QStringList &names) const
    {
        QStringList texts;
        for (const QString &name : names)
            texts << panel->findChild<QLineEdit *>(name)->text();
        return texts.join('|');
    }
    QPoint centre(int row, int column) const { return grid()->visualItemRect(grid()->item(row, column)).center(); }
    void pressCallsign(int row) { QTest::mousePress(grid()->viewport(), Qt::LeftButton, {}, centre(row, 1)); }

    TestEnv env = TestEnv::withStartingData();
    std::unique_ptr<AppWindows> windows = CreateAppWindows(env.services());
    TForm1 &form = *windows->form1;
    RadarState &state = form.state();
    TForm_liststrip *board = windows->strips.get();
    TForm_unavion *panel = windows->aircraftPanel.get();
};

TEST(StripBoard, ReceivedStripsShowTheirFieldsAndProcedureNames)
{
    Program p;
    p.form.menu().Strips1->trigger();
    ASSERT_TRUE(p.board->isVisible() && p.board->windowTitle() == "liste STRIPS");
    EXPECT_EQ(p.grid()->rowCount(), 0);
    QTest::mouseClick(p.grid()->viewport(), Qt::LeftButton, {}, QPoint(20, 5));
    EXPECT_EQ(p.state.traffic.SelectedAircraft, kNoAircraft) << "an empty board has nothing to click";

    p.receiveStrip("AFR1", {{StripField::FlightKind, "D"}, {StripField::Sid, "001"}, {StripField::Position, "TWR"},
                            {StripField::ClearedLevel, "050"}, {StripField::Point, "MTL"}});
    ASSERT_EQ(p.grid()->rowCount(), 1) << "a strip received while the board is open shows at once";
    QStringList row;
    for (int column : {1, 3, 4, 6, 10, 11})
        row << p.cell(0, column).trimmed();
    EXPECT_EQ(row.join('|'), "AFR1|D|TWR|050|LUL2B|MTL");
    EXPECT_EQ(p.grid()->horizontalHeaderItem(10)->text(), "SID");

    p.receiveStrip("BAW2", {{StripField::FlightKind, "A"}, {StripField::Star, "000"}});
    ASSERT_EQ(p.grid()->rowCount(), 2);
    EXPECT_EQ(p.cell(1, 10), "BELUS3C");
    EXPECT_EQ(p.grid()->horizontalHeaderItem(10)->text(), "STAR") << "the last strip filled names the header";

    // Both fields blank empty the cell; a SID index that names no SID shows nothing.
    p.setField(StripField::Sid, "   ");
    EXPECT_EQ(p.cell(0, 10), "");
    p.setField(StripField::Sid, "007");
    EXPECT_EQ(p.cell(0, 10), "");
}

TEST(StripBoard, StatusCellsShowTheirColourNotTheirLetter)
{
    Program p;
    p.receiveStrip("AFR1", {});
    p.form.menu().Strips1->trigger();
    const QColor none;
    struct Case { StripField field; const char *code; int column; QColor colour; } cases[] = {
        {StripField::Clearance, "X", 5, kStatusDone},       {StripField::Startup, "A", 7, kStatusWaiting},
        {StripField::Taxi, "R", 8, kStatusRefused},         {StripField::Takeoff, "L", 9, kStatusLinedUp},
        {StripField::Startup, "L", 7, none},                {StripField::Parking, "L", 19, none},
        {StripField::EnRoute, "A", 15, kStatusWaiting},     {StripField::Approach, "A", 17, none},
        {StripField::Approach, "R", 17, kStatusRefused},    {StripField::Landing, "G", 18, kStatusWaiting},
        {StripField::Landing, "A", 18, none},               {StripField::Takeoff, "Z", 9, none},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE((QString::number(c.column) + c.code).toStdString());
        p.setField(c.field, c.code);
        const QTableWidgetItem *item = p.grid()->item(0, c.column);
        EXPECT_EQ(item->text(), "");
        EXPECT_EQ(item->background().style() == Qt::NoBrush ? QColor() : item->background().color(), c.colour);
        p.setField(c.field, " ");
    }
    p.setField(StripField::Holding, "3");
    p.setField(StripField::HandoffMark, "D");
    EXPECT_EQ(p.cell(0, 16) + p.cell(0, 20), "3D") << "holding and handoff keep their letter";
}

TEST(StripBoard, ClickOnACallsignSelectsTheAircraftAndShowsItsPanel)
{
    Program p;
    p.receiveStrip("AFR1", {});
    p.receiveStrip("BAW2", {});
    AVION &baw = p.state.traffic.table.edit(p.find("BAW2"));
    baw.hasFlightPlan = true;
    baw.acType = QStringLiteral("A320");
    baw.ifr = true;
    baw.etd = QTime(10, 5);
    p.panel->hide();
    p.form.menu().Strips1->trigger();

    p.pressCallsign(1);
    EXPECT_EQ(p.state.traffic.SelectedAircraft, p.find("BAW2"));
    ASSERT_TRUE(p.panel->isVisible());
    EXPECT_EQ(p.panel->windowTitle(), "BAW2    A320   IFR   transponder1200      v:0  dep:10:05  TV:00:00  fuel:00:00");
    const auto &colours = p.state.settings.display.colours;
    EXPECT_EQ(p.grid()->item(1, 0)->background().color(), ToQColor(colours[kColSelected].colour));
    EXPECT_EQ(p.grid()->item(0, 0)->background().color(), ToQColor(colours[kColTarget].colour));
    p.pressCallsign(0);
    EXPECT_EQ(p.grid()->item(1, 0)->background().color(), ToQColor(colours[kColTargetStrip].colour));

    // Removing a strip: an aircraft without one changes nothing; the shown one closes the panel.
    for (int twice = 0; twice < 2; ++twice) {
        RemoveStrip(p.state.traffic, p.find("BAW2"));
        emit p.state.notifier.stripsChanged();
        EXPECT_EQ(p.grid()->rowCount(), 1);
        EXPECT_TRUE(p.panel->isVisible()) << "the panel shows AFR1, which keeps its strip";
    }
    RemoveStrip(p.state.traffic, p.find("AFR1"));
    emit p.state.notifier.stripsChanged();
    EXPECT_EQ(p.grid()->rowCount(), 0);
    EXPECT_FALSE(p.panel->isVisible());
}

TEST(StripBoard, DoubleClickOpensTheEditorAndScopeKeysReachTheMainWindow)
{
    Program p;
    p.receiveStrip("AFR1", {});
    p.form.menu().Strips1->trigger();
    QTest::mouseClick(p.grid()->viewport(), Qt::LeftButton, {}, p.centre(0, 4));
    QTest::mouseDClick(p.grid()->viewport(), Qt::LeftButton, {}, p.centre(0, 4));
    EXPECT_TRUE(p.windows->strip->isVisible());

    QTest::keyPress(p.grid(), Qt::Key_F2);
    EXPECT_EQ(p.state.view.vectorMinutes, 2);
    QTest::keyPress(p.grid(), Qt::Key_R);
    EXPECT_TRUE(p.state.scope.routeKeyHeld);
    QTest::keyRelease(p.grid(), Qt::Key_R);
    EXPECT_FALSE(p.state.scope.routeKeyHeld);
}

TEST(AircraftPanel, LevelsAboveAndBelowTheTransition)
{
    struct Case { int transition; const char *field, *text; } cases[] = {
        {3000, "030", "FL030"}, {3000, "025", "2500qnh"}, {3000, "   ", ""},
        {4950, "049", "4900qnh"}, {4850, "048", "FL048"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(PanelLevelText(c.field, c.transition), c.text);
    }
}

TEST(AircraftPanel, StripFieldsRouteAndSimulatorState)
{
    Program p;
    AVION &afr = p.state.traffic.table.edit(p.find("AFR1"));
    p.receiveStrip("AFR1", {{StripField::FlightKind, "A"}, {StripField::Level, "025"}, {StripField::Takeoff, "L"},
                            {StripField::Landing, "A"}, {StripField::Speed, "220"}, {StripField::Holding, "4"}});
    ASSERT_TRUE(p.panel->isVisible()) << "a strip received shows its aircraft";
    EXPECT_EQ(p.panel->findChild<QTableWidget *>()->columnCount(), 0) << "no route, no column";
    EXPECT_FALSE(p.panel->findChild<QPushButton *>("Button_stop")->isVisible()) << "server traffic";
    EXPECT_EQ(p.edits({"Edit_niv", "Edit_dav", "Edit_vitesse", "Edit_hld", "Edit_ho", "Edit_hocs"}),
              "2500qnh|Arrivée|v:220|4min||");
    const auto textColour = [&p](const char *name) {
        return p.panel->findChild<QLineEdit *>(name)->palette().color(QPalette::Text);
    };
    EXPECT_EQ(textColour("Edit_TO"), kStatusLinedUp);
    EXPECT_EQ(textColour("Edit_ldg"), p.panel->palette().color(QPalette::Text)) << "landing waits with G, not A";

    afr.routeFields = {QStringLiteral("LFLL"), QStringLiteral("MTL"), QStringLiteral("LFMN")};
    afr.nextPoint = 1;
    afr.createdHere = afr.frozen = true;
    afr.aiEtd = 90;
    afr.aiEta = 150;
    p.setField(StripField::HandoffMark, "D");
    p.setField(StripField::HandoffController, "LFMN_CTR");
    p.setField(StripField::Landing, "G");
    const QTableWidget *route = p.panel->findChild<QTableWidget *>();
    EXPECT_EQ(route->columnCount(), 3);
    EXPECT_EQ(route->currentColumn(), 1);
    const QPushButton *stop = p.panel->findChild<QPushButton *>("Button_stop");
    EXPECT_TRUE(stop->isVisible() && stop->text() == "MOVE");
    EXPECT_EQ(p.edits({"Edit_ho", "Edit_hocs", "Edit_ETD", "Edit_ETA"}), "HO demandé|LFMN_CTR|ETD:2'|ETA:2'");
    EXPECT_EQ(textColour("Edit_ldg"), kStatusWaiting);

    // The place chosen by the controller survives closing.
    p.panel->move(300, 200);
    const QPoint place = p.panel->pos();
    p.panel->hide();
    p.board->ShowAircraftPanel(p.find("AFR1"));
    EXPECT_EQ(p.panel->pos(), place);
    p.state.traffic.SelectedAircraft = kNoAircraft;
    emit p.state.notifier.selectionChanged();
    EXPECT_FALSE(p.panel->isVisible()) << "a deselection closes the panel";
}

} // namespace
} // namespace zaz::test
