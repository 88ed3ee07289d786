// Routes on the sector (point look-up, airway expansion, the point being passed), the
// simulator's flight-plan files and the rows of filed plans.
#include "core/Codec.h"
#include "traffic/FiledPlans.h"
#include "traffic/FlightPlanFile.h"
#include "traffic/Routes.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zaz;

namespace {

QString Waypoint(const char *id, const char *type)
{
    return QStringLiteral("    <ATCWaypoint id=\"%1\">\r\n      <ATCWaypointType>%2</ATCWaypointType>\r\n      <ICAO>\r\n"
                          "        <ICAOIdent>%1</ICAOIdent>\r\n      </ICAO>\r\n    </ATCWaypoint>\r\n")
        .arg(QLatin1String(id), QLatin1String(type));
}

// A plan as the simulator saves it, with lines the reader skips.
const QString kPlan = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<FlightPlan.FlightPlan>\r\n"
                                     "  <Title>Saint-Exupéry to Charles de Gaulle</Title>\r\n  <FPType>IFR</FPType>\r\n"
                                     "  <CruisingAlt>34000</CruisingAlt>\r\n")
                      + Waypoint("LFLL", "Airport") + Waypoint("MOLUS", "Intersection") + Waypoint("AVLON", "VOR")
                      + Waypoint("LFPG", "Airport") + QStringLiteral("</FlightPlan.FlightPlan>\r\n");

QString Write(const QByteArray &bytes)
{
    static const QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("plan.PLN")));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size());
    return f.fileName();
}

FlightPlanFiles Read(const QByteArray &bytes)
{
    FlightPlanFiles files;
    QString error;
    EXPECT_TRUE(LoadPlanFile(files, Write(bytes), error)) << error.toStdString();
    ParsePlan(files);
    return files;
}

} // namespace

TEST(Routes, PointsResolveFixFirstThenNdbThenVorAndAirwaysExpandBothWays)
{
    // Fixes AAA..EEE northwards at 5°E and a high airway AWY through them; a low airway of
    // the same name; navaids that share names with a fix and with each other.
    SectorState s;
    for (int i = 0; i < 5; ++i)
        s.tables.fixes.append({QString(3, QChar('A' + i)), 45.0f + i, 5.0f, 0, {}});
    s.tables.ndbs = {{"CCC", {}, 10, 10, 0, {}}, {"NNN", {}, 11, 11, 0, {}}};
    s.tables.vors = {{"CCC", {}, 20, 20, 0, {}}, {"NNN", {}, 21, 21, 0, {}}, {"VVV ", {}, 30, 30, 0, {}}};
    s.tables.highAirways = {{"AWY", {{45, 5, 46, 5}, {46, 5, 47, 5}, {47, 5, 48, 5}, {48, 5, 49, 5}}, 0}};
    s.tables.lowAirways = {{"AWY", {}, 0}, {"LOW", {}, 0}};
    s.index.build(s.tables);
    using Points = QList<std::pair<float, int>>; // latitude and element of each route point
    const auto Build = [&](const char *route, QList<int> *high = nullptr, QList<int> *low = nullptr) {
        const t_tranches f = SplitText(QStringLiteral("/"), QLatin1String(route));
        Points out;
        for (const RoutePoint &p : BuildRoute(s, f, int(f.size()) - 1, high, low))
            out.append({p.lat, p.element});
        return out;
    };
    // A name that is a fix, an NDB and a VOR is the fix; an NDB beats a VOR; names are
    // trimmed; unknown names give (0, 0).
    EXPECT_EQ(Build("CCC/NNN/VVV/NOWHERE"), Points({{47, 0}, {11, 1}, {30, 2}, {0, 3}}));
    EXPECT_EQ(Build("BBB/AWY/DDD"), Points({{46, 0}, {46, 1}, {47, 1}, {48, 2}}));
    EXPECT_EQ(Build("DDD/AWY/BBB"), Points({{48, 0}, {47, 1}, {46, 1}, {46, 2}}));
    EXPECT_EQ(Build("BBB/AWY/CCC"), Points({{46, 0}, {47, 2}})) << "one segment: nothing between";
    EXPECT_EQ(Build("EEE/AWY/AAA"), Points({{49, 0}, {0, 1}, {45, 2}})) << "ends off the airway";

    QList<int> high, low;
    EXPECT_EQ(Build("AWY/BBB/LOW", &high, &low), Points({{0, 0}, {46, 1}, {0, 2}}));
    EXPECT_EQ(high, QList<int>{0}) << "the high airways are searched first";
    EXPECT_EQ(low, QList<int>{1});
    EXPECT_EQ(s.tables.highAirways[0].selected + s.tables.lowAirways[1].selected, 2);
    EXPECT_EQ(s.tables.lowAirways[0].selected, 0);
}

TEST(Routes, NextPointIsTheLastPointWithinThePassingDistance)
{
    ViewState view;
    AVION a;
    a.routePoints = {{45.0f, 5.1f, 0}, {45.05f, 5.0f, 1}, {46.0f, 5.0f, 2}};
    const auto passing = [&](float lat, float lon, int distance) {
        a.lat = lat;
        a.lon = lon;
        return AdvanceNextPoint(a, view, distance);
    };
    EXPECT_FALSE(passing(45, 5, 0));
    EXPECT_TRUE(passing(45, 5, 10)); // 6 nm and 3 nm: the later point decides
    EXPECT_EQ(a.nextPoint, 1);
    view.nmPerDegLon = 30; // 5.8 nm from point 0 at 30 nm per degree of longitude, 7.5 from point 1
    EXPECT_TRUE(passing(45.06f, 5.25f, 6));
    EXPECT_EQ(a.nextPoint, 0);
    EXPECT_FALSE(passing(10, 5, 10));
    EXPECT_EQ(a.nextPoint, 0) << "out of reach: kept";
}

TEST(PlanFile, ASimulatorPlanInAnyEncodingGivesTheDisplayAndWaypointLists)
{
    const QByteArray utf16(reinterpret_cast<const char *>(kPlan.utf16()), kPlan.size() * 2);
    FlightPlanFiles f;
    for (const QByteArray &bytes :
         {kPlan.toUtf8(), "\xEF\xBB\xBF" + kPlan.toUtf8(), EncodeCp1252(kPlan), "\xFF\xFE" + utf16}) {
        f = Read(bytes);
        EXPECT_EQ(f.PlanFileLines.value(0), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
        EXPECT_EQ(f.PlanDisplayList, QStringList({"Saint-Exupéry to Charles de Gaulle  IFR  34000ft", "0:  LFLL  Airport",
                                                  "1:  MOLUS  Intersection", "2:  AVLON  VOR", "3:  LFPG  Airport"}));
    }
    EXPECT_EQ(JoinWaypoints(f.PlanWaypointList), "MOLUS/AVLON");
    EXPECT_EQ(JoinWaypoints({"LFLL", "LFPG"}) + JoinWaypoints({"LFLL"}), "LFPG");

    // Values run to their closing tag (a "/" inside is kept) or to the end of the line;
    // only a first line naming "xml" in small letters is parsed.
    f = Read("<?xml?>\n<Title>LFLL/LFPG</Title>\n<FPType>IFR\n<CruisingAlt>FL340 </ CruisingAlt>\n");
    EXPECT_EQ(f.PlanDisplayList, QStringList{"LFLL/LFPG  IFR  FL340 ft"});
    f = Read(kPlan.toUtf8().replace("<?xml", "<?XML"));
    EXPECT_TRUE(!f.PlanFileLines.isEmpty() && f.PlanDisplayList.isEmpty() && f.PlanWaypointList.isEmpty());
}

TEST(PlanFile, DamagedFilesAreReadToTheirEndAndUnreadableOnesRefused)
{
    // A waypoint block left open ends before the next one or at the last line; nothing
    // after the end of the plan is read.
    const std::pair<QByteArray, QStringList> damaged[] = {
        {"<?xml?>\n<ATCWaypoint id=\"A\">\n<ICAOIdent>A\n<ATCWaypoint id=\"B\">\n<ICAOIdent>B", {"A", "B"}},
        {"<?xml?>\n<ATCWaypoint id=\"A\">\n<ICAOIdent>A\n</FlightPlan.FlightPlan>\n<ATCWaypoint id=\"L\">\n", {"A"}},
        {"<?xml?>\n<ATCWaypoint id=\"", {""}},
        {"", {}},
    };
    for (const auto &[bytes, waypoints] : damaged)
        EXPECT_EQ(Read(bytes).PlanWaypointList, waypoints) << bytes.toStdString();

    FlightPlanFiles files = Read("left\nover"); // lines a failed load must empty
    QString error;
    EXPECT_FALSE(LoadPlanFile(files, Write(QByteArray(4 * 1024 * 1024 + 1, ' ')), error));
    EXPECT_TRUE(error.contains(QStringLiteral("trop volumineux")) && files.PlanFileLines.isEmpty()) << error.toStdString();
    EXPECT_FALSE(LoadPlanFile(files, QFileInfo(Write("")).path(), error));
    EXPECT_TRUE(error.contains(QStringLiteral("c'est un dossier"))) << error.toStdString();
}

TEST(FiledPlans, RowColumnsInOrderMachOrKnotsAndOnlyIOrVRules)
{
    const auto row = [](const char *rules, const char *speed, const char *atd) {
        return FiledPlanRow({"AFR123", rules, "B738", speed, "LFPG", "1230", atd, "350", "LFML", "rmk", "PG/UL612"});
    };
    EXPECT_EQ(row("I", "078", "945"), "AFR123\t1230\tIFR\tB738\tLFPG\tPG/UL612\tLFML\tFL350\tM078\tZ09:45\trmk");
    EXPECT_EQ(row("V", "120", "1405"), "AFR123\t1230\tVFR\tB738\tLFPG\tPG/UL612\tLFML\tFL350\t120kts\tZ14:05\trmk");
    EXPECT_EQ(row("i", "450", "0800"), "AFR123\t1230\tB738\tLFPG\tPG/UL612\tLFML\tFL350\t450kts\tZ08:00\trmk");
}
