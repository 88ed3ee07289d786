// Reading simulator flight-plan files: the lines kept, the display and waypoint lists, the
// route text, the encodings, and damaged files that must still be read to their end.
#include "core/Codec.h"
#include "traffic/FlightPlanFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zaz;

namespace {

// A waypoint block as the simulator writes it, four blanks deep, with lines the reader skips.
QString Waypoint(const char *id, const char *type, const char *extra = "")
{
    return QStringLiteral("        <ATCWaypoint id=\"%1\">\n"
                          "            <ATCWaypointType>%2</ATCWaypointType>\n%3"
                          "            <ICAO>\n"
                          "                <ICAORegion>LF</ICAORegion>\n"
                          "                <ICAOIdent>%1</ICAOIdent>\n"
                          "            </ICAO>\n"
                          "        </ATCWaypoint>\n")
        .arg(QLatin1String(id), QLatin1String(type), QString::fromUtf8(extra));
}

// A plan as the simulator saves it (the tests turn its line ends into CRLF), with many
// elements the reader skips.
const QString kPlan =
    QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                   "\n"
                   "<SimBase.Document Type=\"AceXML\" version=\"1,0\">\n"
                   "    <FlightPlan.FlightPlan>\n"
                   "        <Title>Saint-Exupéry to Charles de Gaulle</Title>\n"
                   "        <FPType>IFR</FPType>\n"
                   "        <CruisingAlt>34000</CruisingAlt>\n"
                   "        <DepartureID>LFLL</DepartureID>\n"
                   "        <Descr>LFLL, LFPG</Descr>\n"
                   "        <AppVersion>\n"
                   "            <AppVersionMajor>10</AppVersionMajor>\n"
                   "        </AppVersion>\n")
    + Waypoint("LFLL", "Airport")
    + Waypoint("MOLUS", "Intersection",
               "            <WorldPosition>N46° 2' 10.00\",E4° 59' 3.00\",+000000.00</WorldPosition>\n"
               "            <ATCAirway>UN852</ATCAirway>\n")
    + Waypoint("AVLON", "VOR") + Waypoint("LFPG", "Airport")
    + QStringLiteral("    </FlightPlan.FlightPlan>\n"
                     "</SimBase.Document>\n");

const QStringList kDisplay = {QStringLiteral("Saint-Exupéry to Charles de Gaulle  IFR  34000ft"),
                              "0:  LFLL  Airport", "1:  MOLUS  Intersection", "2:  AVLON  VOR",
                              "3:  LFPG  Airport"};
const QStringList kWaypoints = {"LFLL", "MOLUS", "AVLON", "LFPG"};

QString Crlf(QString text)
{
    return text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

class PlanFile : public ::testing::Test {
protected:
    QString writeBytes(const QByteArray &bytes, const QString &name = QStringLiteral("plan.PLN"))
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        EXPECT_EQ(f.write(bytes), bytes.size());
        return path;
    }
    // Loads the bytes as a file and parses them; the load must succeed.
    void Read(const QByteArray &bytes)
    {
        QString error;
        ASSERT_TRUE(LoadPlanFile(files, writeBytes(bytes), error)) << error.toStdString();
        EXPECT_TRUE(error.isEmpty());
        ParsePlan(files);
    }
    void ReadUtf8(const QString &text) { Read(text.toUtf8()); }

    QTemporaryDir dir;
    FlightPlanFiles files;
};

TEST_F(PlanFile, SimulatorPlanGivesTheDisplayAndWaypointLists)
{
    ReadUtf8(Crlf(kPlan));
    EXPECT_EQ(files.PlanDisplayList, kDisplay);
    EXPECT_EQ(files.PlanWaypointList, kWaypoints);
    EXPECT_EQ(JoinWaypoints(files.PlanWaypointList), "MOLUS/AVLON");

    // Every line kept, indentation and carriage returns trimmed, blank lines too.
    ASSERT_EQ(files.PlanFileLines.size(), kPlan.count(QLatin1Char('\n')));
    EXPECT_EQ(files.PlanFileLines[1], "");
    EXPECT_EQ(files.PlanFileLines[4], "<Title>Saint-Exupéry to Charles de Gaulle</Title>");
    EXPECT_EQ(files.PlanFileLines.back(), "</SimBase.Document>");

    // The lists are appended to: the callers empty them before each file.
    ParsePlan(files);
    EXPECT_EQ(files.PlanWaypointList, kWaypoints + kWaypoints);
}

TEST_F(PlanFile, EncodingsAreRecognisedAndTheByteOrderMarkDropped)
{
    const QString text = Crlf(kPlan);
    const QList<QByteArray> encodings = {
        text.toUtf8(),
        QByteArray("\xEF\xBB\xBF") + text.toUtf8(),
        EncodeCp1252(text),
        QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2),
    };
    for (const QByteArray &bytes : encodings) {
        files = {};
        Read(bytes);
        EXPECT_EQ(files.PlanFileLines.value(0), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
        EXPECT_EQ(files.PlanDisplayList, kDisplay);
        EXPECT_EQ(files.PlanWaypointList, kWaypoints);
    }

    // A byte that cannot be UTF-8 makes the whole file Windows-1252.
    files = {};
    Read("<?xml?>\r\n<ATCWaypoint id=\"X\">\r\n<ICAOIdent>CAF\xC9</ICAOIdent>\r\n</ATCWaypoint>\r\n");
    EXPECT_EQ(files.PlanWaypointList, QStringList{QStringLiteral("CAFÉ")});
}

TEST_F(PlanFile, ValuesRunToTheirClosingTagAndOnlyXmlFilesAreParsed)
{
    ReadUtf8(QStringLiteral("<?xml version=\"1.0\"?>\n"
                            "<Title>LFLL/LFPG via A/B</Title>\n"
                            "<FPType>IFR\n"
                            "<CruisingAlt>FL340 </ CruisingAlt>\n"
                            "<ATCWaypoint id=\"N45/E005\">\n"
                            "<ATCWaypointType>User</ATCWaypointType>\n"
                            "<ICAOIdent>4500N/00500E</ICAOIdent>\n"
                            "</ATCWaypoint>\n"
                            "<ATCWaypoint id=\"EMPTY\">\n"
                            "<ICAOIdent></ICAOIdent>\n"
                            "<ATCWaypointType>Intersection\n"
                            "</ATCWaypoint>\n"
                            "</FlightPlan.FlightPlan>\n"));
    EXPECT_EQ(files.PlanDisplayList, (QStringList{"LFLL/LFPG via A/B  IFR  FL340 ft", "0:  4500N/00500E  User",
                                                  "1:    Intersection"}));
    EXPECT_EQ(files.PlanWaypointList, (QStringList{"4500N/00500E", ""}));

    // The first line must name "xml" in small letters.
    for (const QString &other : {QString(kPlan).replace(QStringLiteral("<?xml"), QStringLiteral("<?XML")),
                                 QStringLiteral("[flightplan]\nwaypoint.0=LFLL\n")}) {
        files = {};
        ReadUtf8(other);
        EXPECT_FALSE(files.PlanFileLines.isEmpty());
        EXPECT_TRUE(files.PlanDisplayList.isEmpty());
        EXPECT_TRUE(files.PlanWaypointList.isEmpty());
    }
}

TEST_F(PlanFile, DamagedFilesAreReadToTheirEnd)
{
    // No closing tag of the plan, no last line feed, a waypoint block left open: the
    // reading stops at the last line with what it found.
    ReadUtf8(QStringLiteral("<?xml version=\"1.0\"?>\r\n"
                            "<FlightPlan.FlightPlan>\r\n"
                            "<ATCWaypoint id=\"LFLL\">\r\n"
                            "<ICAOIdent>LFLL</ICAOIdent>\r\n"
                            "<ATCWaypoint id=\"MOLUS\">\r\n"
                            "<ATCWaypointType>Intersection</ATCWaypointType>\r\n"
                            "<ICAOIdent>MOLUS</ICAOIdent>\r\n"
                            "</ATCWaypoint>\r\n"
                            "<ATCWaypoint id=\"LFPG\">\r\n"
                            "<ICAOIdent>LFPG</ICAOIdent>"));
    EXPECT_EQ(files.PlanFileLines.back(), "<ICAOIdent>LFPG</ICAOIdent>");
    EXPECT_EQ(files.PlanWaypointList, kWaypoints.mid(0, 2) + QStringList{"LFPG"});
    EXPECT_EQ(files.PlanDisplayList.value(0), "0:  LFLL  ");

    // A block left open at the end of the plan ends there; what follows is not read.
    files = {};
    ReadUtf8(QStringLiteral("<?xml?>\n<ATCWaypoint id=\"LFLL\">\n<ICAOIdent>LFLL</ICAOIdent>\n"
                            "</FlightPlan.FlightPlan>\n<ATCWaypoint id=\"LATE\">\n<ICAOIdent>LATE</ICAOIdent>\n"
                            "</ATCWaypoint>\n"));
    EXPECT_EQ(files.PlanWaypointList, QStringList{"LFLL"});

    // A file of the first line alone, of an opening waypoint line alone, or empty.
    const struct {
        QByteArray bytes;
        qsizetype lines, waypoints;
    } shortFiles[] = {{"<?xml?>", 1, 0}, {"<?xml?>\n<ATCWaypoint id=\"", 2, 1}, {"", 0, 0}, {"\n", 1, 0}};
    for (const auto &c : shortFiles) {
        files = {};
        Read(c.bytes);
        EXPECT_EQ(files.PlanFileLines.size(), c.lines) << c.bytes.toStdString();
        EXPECT_EQ(files.PlanWaypointList.size(), c.waypoints) << c.bytes.toStdString();
    }
}

TEST_F(PlanFile, LongLinesAreKeptWhole)
{
    const QString longDescr = QStringLiteral("<Descr>") + QString(10000 - 15, QLatin1Char('x')) + "</Descr>";
    const QString longIdent = QString(300, QLatin1Char('W'));
    QString text = kPlan;
    text.replace(QStringLiteral("<Descr>LFLL, LFPG</Descr>"), longDescr);
    text.replace(QStringLiteral("<ICAOIdent>AVLON<"), "<ICAOIdent>" + longIdent + "<");
    ReadUtf8(Crlf(text));
    EXPECT_EQ(files.PlanFileLines[8].size(), 10000);
    EXPECT_EQ(files.PlanWaypointList, (QStringList{"LFLL", "MOLUS", longIdent, "LFPG"}));
    EXPECT_EQ(JoinWaypoints(files.PlanWaypointList), "MOLUS/" + longIdent);
}

TEST_F(PlanFile, UnreadableAndOversizedFilesAreRefused)
{
    files.PlanFileLines = QStringList{"left over"};
    QString error;
    const QString missing = dir.filePath(QStringLiteral("missing.PLN"));
    EXPECT_FALSE(LoadPlanFile(files, missing, error));
    EXPECT_TRUE(error.contains(missing)) << error.toStdString();
    EXPECT_TRUE(files.PlanFileLines.isEmpty());

    EXPECT_FALSE(LoadPlanFile(files, dir.path(), error));
    EXPECT_TRUE(error.contains(QStringLiteral("dossier"))) << error.toStdString();

    QByteArray big = Crlf(kPlan).toUtf8();
    big += QByteArray(4 * 1024 * 1024, ' ');
    EXPECT_FALSE(LoadPlanFile(files, writeBytes(big), error));
    EXPECT_TRUE(error.contains(QStringLiteral("trop volumineux"))) << error.toStdString();
    EXPECT_TRUE(files.PlanFileLines.isEmpty());
}

TEST(JoinWaypoints, LeavesOutTheAirportsAtBothEnds)
{
    EXPECT_EQ(JoinWaypoints({}) + JoinWaypoints({"LFLL"}), "");
    EXPECT_EQ(JoinWaypoints({"LFLL", "LFPG"}), "LFPG");
    EXPECT_EQ(JoinWaypoints({"LFLL", "MOLUS", "UN852", "AVLON", "LFPG"}), "MOLUS/UN852/AVLON");
}

} // namespace
