// "vols": the list through the menu, its filters and the click on a callsign, the keys
// passed on to the scope, and "Imprimer STRIPS" read back from the workbook it writes.
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "core/ColorText.h"
#include "core/Shell.h"
#include "link/Connection.h"
#include "traffic/StripExport.h"
#include "ui/TForm7.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace zaz::test {
namespace {

// AFR1 (19 route elements) and BAW2 with a flight plan from LFLL, EZY3 without, seen from LFLL.
struct Program {
    Program()
    {
        state.sector.identity.airport = state.link.OwnCallsign = QStringLiteral("LFLL");
        state.link.Accepted = true;
        for (const char *callsign : {"EZY3", "BAW2", "AFR1"})
            windows->form1->connection().dispatcher().DispatchLine(
                QStringLiteral("@N:%1:1200:1:45.72:5.08:35000:450:90:0").arg(callsign));
        for (const char *callsign : {"AFR1", "BAW2"}) {
            AVION &a = state.traffic.table.edit(state.traffic.table.FindAircraft(callsign));
            a.hasFlightPlan = a.ifr = true;
            a.departure = QStringLiteral("LFLL");
            a.routeFields = QString(callsign[0] == 'A' ? "A B C D E F G H I J K L M N O P Q R S" : "X").split(' ');
        }
    }
    QRadioButton *radio(const QString &accessibleName) const
    {
        const QList<QRadioButton *> all = list->findChildren<QRadioButton *>();
        return *std::find_if(all.begin(), all.end(), [&](auto *b) { return b->accessibleName() == accessibleName; });
    }
    QString column(int column) const
    {
        QStringList texts;
        for (int row = 0; row < list->grid()->rowCount(); ++row)
            texts << list->grid()->item(row, column)->text();
        return texts.join(' ');
    }
    // Texts of these cells of the workbook's sheet ("A1"), joined by "|".
    QString cells(const QStringList &references) const
    {
        const auto unzip = [this](const char *member) {
            QProcess p;
            p.start("unzip", {"-p", env.path(kStripWorkbookName), member});
            p.waitForFinished();
            return QString::fromUtf8(p.readAllStandardOutput());
        };
        QStringList shared;
        for (const auto &m : QRegularExpression("<t[^>]*>([^<]*)</t>").globalMatch(unzip("xl/sharedStrings.xml")))
            shared << m.captured(1);
        QMap<QString, QString> out;
        static const QRegularExpression cell("<c r=\"([A-Z]+[0-9]+)\"[^>]*t=\"s\"[^>]*><v>([0-9]+)</v>");
        for (const auto &m : cell.globalMatch(unzip("xl/worksheets/sheet1.xml")))
            out[m.captured(1)] = shared.value(m.captured(2).toInt());
        QStringList texts;
        for (const QString &reference : references)
            texts << out.value(reference);
        return texts.join('|');
    }
    void print() const { list->findChild<QPushButton *>("Button1")->click(); }

    TestEnv env = TestEnv::withStartingData();
    std::unique_ptr<AppWindows> windows = CreateAppWindows(env.services());
    RadarState &state = windows->form1->state();
    TForm7 *list = windows->flightList.get();
};

TEST(FlightListWindow, ShowsFiltersSelectsAndComesBackAsFirstShown)
{
    Program p;
    p.windows->form1->menu().avions1->trigger();
    ASSERT_TRUE(p.list->isVisible() && p.list->windowTitle() == "vols");
    EXPECT_EQ(p.column(1) + '|' + p.column(6), "AFR1 BAW2 EZY3|IFR IFR ");

    p.radio("afficher départs")->click();
    EXPECT_EQ(p.column(1) + '|' + p.radio("afficher départs")->text(), "AFR1 BAW2|LFLL départs");

    QTableWidget *grid = p.list->grid();
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(1, 1)).center());
    EXPECT_EQ(p.state.traffic.SelectedAircraft, p.state.traffic.table.FindAircraft("BAW2"));
    const QColor selected = ToQColor(p.state.settings.display.colours[kColSelected].colour);
    EXPECT_TRUE(grid->item(1, 2)->background().color() == selected && grid->item(0, 2)->background() == QBrush());

    QSignalSpy keys(p.list, &TForm7::scopeKey);
    QTest::keySequence(grid, QKeySequence(QStringLiteral("F7, R, A")));
    EXPECT_EQ(keys.size(), 2) << "F7 and R go to the scope, A does not";

    p.list->move(300, 320);
    p.list->close();
    p.windows->form1->menu().avions1->trigger();
    EXPECT_EQ(p.list->pos(), QPoint(300, 320));
    EXPECT_TRUE(p.radio("afficher tous")->isChecked() && p.list->grid()->rowCount() == 3);
}

TEST(FlightListWindow, PrintsOneBlockPerPlannedAircraftAndReportsAWorkbookNotWritten)
{
    Program p;
    p.windows->form1->menu().avions1->trigger();
    p.print();
    ASSERT_EQ(p.env.shell.opened, QStringList{"xdg-open \"" + p.env.path("strip.xlsx") + "\""});
    EXPECT_EQ(p.cells({"A1", "D1", "F1", "A7", "H3", "A4", "I4", "J4", "A9", "D8", "C11", "A13"}),
              "AFR1|v:0|TV:00:00|BAW2|H|I|Q||X|MR:|Attente:|") << "one row apart, 17 elements, no EZY3";

    p.radio("strips un")->click();
    p.state.traffic.SelectedAircraft = p.state.traffic.table.FindAircraft("BAW2");
    p.print();
    EXPECT_EQ(p.cells({"A1", "A7"}), "BAW2|") << "only the selected aircraft";

    // A workbook that cannot be replaced is reported, not opened, and leaves no temporary file.
    ASSERT_TRUE(QFile::remove(p.env.path("strip.xlsx")) && QDir(p.env.dir()).mkdir("strip.xlsx"));
    p.print();
    EXPECT_TRUE(p.env.prompts.messages().value(0).startsWith("Impossible d'écrire strip.xlsx : "));
    EXPECT_EQ(p.env.shell.opened.size(), 2);
    EXPECT_EQ(QDir(p.env.dir()).entryList({".strip-*"}, QDir::Files | QDir::Hidden), QStringList());
}

} // namespace
} // namespace zaz::test
