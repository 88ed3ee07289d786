// zaz-tool run as a separate program on small files. The model code behind each command
// (sector reader and writer, route builder, plan reader, line dispatcher) has its own
// tests; these check what the tool adds: the exact JSON each command prints, fields and
// their order included, the choice of the settings folder, what "save" selects, and the
// exit code and single error line of every bad command line.
#include "support/TestEnv.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

using zaz::test::TestEnv;

namespace {

void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "test_zaz_tool";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

ToolRun RunTool(const QStringList &arguments, const QString &workingDir)
{
    EnsureApplication();
    QProcess process;
    process.setWorkingDirectory(workingDir);
    process.start(QStringLiteral(ZAZ_TOOL_PATH), arguments);
    ToolRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// A printed object on one line: the printer's indentation and line breaks taken out (no
// text in these tests holds a line break), the load time, which varies, shown as T.
QString Compact(const QByteArray &out)
{
    QString text;
    for (const QByteArray &line : out.split('\n'))
        text += QString::fromUtf8(line.trimmed());
    static const QRegularExpression time(QStringLiteral("\"elapsed_ms\": [0-9]+\\.[0-9]{3}"));
    return text.replace(time, QStringLiteral("\"elapsed_ms\": T"));
}

QStringList Lines(const QByteArray &text)
{
    return QString::fromUtf8(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// A route line: name 1/25, points 27/29 and 57/29.
QString RouteLine(const char *name, const char *from, const char *to)
{
    const auto pad = [](const char *text, int width) { return QString::fromLatin1(text).leftJustified(width); };
    return pad(name, 25) + QLatin1Char(' ') + pad(from, 29) + QLatin1Char(' ') + pad(to, 29) + QLatin1Char('\n');
}

// One element in every table, column-exact, two of the fixes and SIDs for the selections;
// the VOR's comment holds what JSON must escape.
QString SmallSector()
{
    QString text = QStringLiteral("#define land 3158064\n[INFO]\nTest sector\nLFLL_APP\nLFLL\n"
                                  "N045.30.00.000\nE005.15.00.000\n60\n42\n2.5\n1\n"
                                  "[VOR]\nLYS  115.500 N045.45.00.000 E005.00.00.000 ;Lyon \"Saint-Exupéry\" "
                                  "\\ tab\there \x01 end\n"
                                  "[NDB]\nLSE   375.000 N045.15.00.000 E004.30.00.000\n"
                                  "[FIXES]\nABCDE N045.43.32.123 W001.02.03.456\n"
                                  "FGHIJ N046.00.00.000 E006.00.00.000 ;second\n"
                                  "[AIRPORT]\nLFLL 118.100 N045.43.32.000 E005.05.27.000 D ;Lyon\n"
                                  "[RUNWAY]\n18  36  180 360 N045.75.00.000 E005.00.00.000 "
                                  "N045.50.00.000 E005.00.00.000\n"
                                  "[SID]\n")
                   + RouteLine("SID ONE", "LFLL", "ABCDE") + RouteLine("", "ABCDE", "LYS")
                   + RouteLine("SID TWO", "FGHIJ", "LSE");
    const char *routes[][2] = {{"STAR", "STAR"}, {"LOW AIRWAY", "A1"},  {"HIGH AIRWAY", "UN1"},
                               {"ARTCC", "FIR"}, {"ARTCC LOW", "TMA"}, {"ARTCC HIGH", "UIR"}};
    for (const auto &r : routes)
        text += QStringLiteral("[%1]\n").arg(QLatin1String(r[0])) + RouteLine(r[1], "LSE", "FGHIJ");
    return text
           + QStringLiteral("[GEO]\n"
                            "N045.00.00.000 E005.00.00.000 N045.01.00.000 E005.01.00.000 land\n"
                            "N045.02.00.000 E005.02.00.000 N045.03.00.000 E005.03.00.000  coast \n"
                            "[TAXIWAYS]\nN045.43.00.000 E005.05.00.000 A1\n"
                            "[PARKINGS]\nN045.43.10.000 E005.05.10.000 P12\n");
}

class ZazTool : public ::testing::Test {
protected:
    void SetUp() override { env.write(QStringLiteral("small.sct"), SmallSector()); }
    QString sector() const { return env.path(QStringLiteral("small.sct")); }
    // "sector check" of a file, compact, its scale factor (a cosine: a range, not a text)
    // shown as F.
    QString Check(const QString &file)
    {
        const ToolRun run = RunTool({"sector", "check", file}, env.dir());
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
        static const QRegularExpression factor(QStringLiteral("\"nm_per_deg_lon\": ([0-9.]+)"));
        QString text = Compact(run.out);
        const double nm = factor.match(text).captured(1).toDouble();
        EXPECT_TRUE(nm > 40 && nm < 45) << nm;
        return text.replace(factor, QStringLiteral("\"nm_per_deg_lon\": F"));
    }
    QStringList Dump(const QString &file, const QString &workingDir)
    {
        const ToolRun run = RunTool({"sector", "dump", file}, workingDir);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return Lines(run.out);
    }
    TestEnv env;
};

} // namespace

TEST_F(ZazTool, CheckPrintsCountsIdentityAndSummaryInOrder)
{
    EXPECT_EQ(Check(sector()),
              QString::fromUtf8(
                  R"({"counts": {"info": 1,"vor": 1,"ndb": 1,"fixes": 2,"airports": 1,"runways": 1,"sid": 2,)"
                  R"("star": 1,"low_airways": 1,"high_airways": 1,"artcc": 1,"artcc_low": 1,"artcc_high": 1,)"
                  R"("geo": 2,"taxiways": 1,"parkings": 1,"defines": 1},"identity": {"name": "Test sector",)"
                  R"("callsign": "LFLL_APP","airport": "LFLL","lat": 45.5,"lon": 5.25,"frequency": "118100",)"
                  R"("declination_text": "2.5","declination": 2.5,"nm_per_deg_lon": F},"tolerant_lines": 0,)"
                  R"("errors": "","summary": "1 AIRPORT\r1 VOR\r1 NDB\r2 FIXES\r2 Airways\r2 SID\r1 STAR",)"
                  R"("elapsed_ms": T})"));

    // Coordinate errors and lines read by words.
    env.write(QStringLiteral("odd.sct"), QStringLiteral("[FIXES]\nBAD01 N045.30 E005\n"
                                                        "[VOR]\nAB 112.5 N045.30.00.000 E005.15.00.000\n"));
    const ToolRun run = RunTool({"sector", "check", env.path("odd.sct")}, env.dir());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(run.out).object();
    EXPECT_TRUE(o.value("errors").toString().startsWith(QStringLiteral("erreur de coordonnée ligne: \r2: ")))
        << run.out.toStdString();
    EXPECT_EQ(o.value("tolerant_lines").toInt(-1), 1);
    EXPECT_EQ(o.value("counts").toObject().value("info").toInt(-1), 0);
}

// Every field of every table, in order; texts exactly as stored (escapes and non-ASCII
// included), coordinates in the shortest text that reads back as the same float32.
// Without ZAZ.ini: no detail colours, every fix selected, no procedure.
TEST_F(ZazTool, DumpWritesEveryElementWithItsFieldsInOrder)
{
    const QStringList expected = {
        R"({"table":"info","index":0,"lines":["Test sector","LFLL_APP","LFLL","N045.30.00.000",)"
            R"("E005.15.00.000","60","42","2.5","1",""]})",
        R"({"table":"vor","index":0,"identifier":"LYS ","frequency":"115.500","lat":45.75,"lon":5,)"
            R"("details_shown":0,"comment":"Lyon \"Saint-Exupéry\" \\ tab\there \u0001 end"})",
        R"({"table":"ndb","index":0,"identifier":"LSE  ","frequency":"375.000","lat":45.25,"lon":4.5,)"
            R"("details_shown":0,"comment":""})",
        R"({"table":"fixes","index":0,"name":"ABCDE","lat":45.72559,"lon":-1.0342933,"selected":1,"comment":""})",
        R"({"table":"fixes","index":1,"name":"FGHIJ","lat":46,"lon":6,"selected":1,"comment":"second"})",
        R"({"table":"airports","index":0,"identifier":"LFLL","frequency":"118.100","lat":45.725555,)"
            R"("lon":5.090833,"airspace_class":"D","comment":"Lyon"})",
        R"({"table":"runways","index":0,"number":"18 ","opposite_number":"36 ","heading":"180",)"
            R"("opposite_heading":"360","lat":46.25,"lon":5,"opposite_lat":45.833332,"opposite_lon":5,"comment":""})",
        R"({"table":"sid","index":0,"name":"SID ONE                  ","selected":0,"segments":[[45.725555,)"
            R"(5.090833,45.72559,-1.0342933],[45.72559,-1.0342933,45.75,5]]})",
        R"({"table":"sid","index":1,"name":"SID TWO                  ","selected":0,"segments":[[46,6,45.25,)"
            R"(4.5]]})",
        R"({"table":"star","index":0,"name":"STAR                     ","selected":0,"segments":[[45.25,4.5,46,)"
            R"(6]]})",
        R"({"table":"low_airways","index":0,"name":"A1                       ","selected":0,"segments":[[45.25,)"
            R"(4.5,46,6]]})",
        R"({"table":"high_airways","index":0,"name":"UN1                      ","selected":0,)"
            R"("segments":[[45.25,4.5,46,6]]})",
        R"({"table":"artcc","index":0,"name":"FIR                      ","selected":0,"segments":[[45.25,4.5,)"
            R"(46,6]]})",
        R"({"table":"artcc_low","index":0,"name":"TMA                      ","selected":0,"segments":[[45.25,)"
            R"(4.5,46,6]]})",
        R"({"table":"artcc_high","index":0,"name":"UIR                      ","selected":0,"segments":[[45.25,)"
            R"(4.5,46,6]]})",
        R"({"table":"geo","index":0,"lat1":45,"lon1":5,"lat2":45.016666,"lon2":5.016667,"color":"#303030",)"
            R"("detail":-1,"color_name":"LAND"})",
        R"({"table":"geo","index":1,"lat1":45.033333,"lon1":5.0333333,"lat2":45.05,"lon2":5.05,)"
            R"("color":"#000000","detail":-1,"color_name":""})",
        R"({"table":"taxiways","index":0,"label":"A1","lat":45.716667,"lon":5.0833335,"detail":-1})",
        R"({"table":"parkings","index":0,"label":"P12","lat":45.719444,"lon":5.086111,"detail":-1})",
        R"({"table":"defines","index":0,"name":"LAND","value":"3158064"})",
    };
    EXPECT_EQ(Dump(sector(), env.dir()), expected);
}

TEST_F(ZazTool, SettingsComeFromTheGivenFolderOrTheCurrentOne)
{
    env.write(QStringLiteral("conf/ZAZ.ini"),
              QStringLiteral("[detail]\nCOAST=$000000FF\nTAXIWAY=clLime\n"
                             "[sector]\nliste_fix=01\nliste_sid=01\nliste_star=0\nliste_low=0\nliste_hi=0\n"));
    const QString conf = env.path(QStringLiteral("conf"));
    const ToolRun viaOption = RunTool({"sector", "dump", sector(), "--settings", conf}, env.dir());
    ASSERT_EQ(viaOption.exitCode, 0) << viaOption.err.toStdString();
    const QStringList viaCurrent = Dump(sector(), conf);
    EXPECT_EQ(Lines(viaOption.out), viaCurrent);

    const QStringList plain = Dump(sector(), env.dir());
    ASSERT_EQ(viaCurrent.size(), plain.size());
    QStringList changed;
    for (int i = 0; i < plain.size(); ++i)
        if (viaCurrent[i] != plain[i])
            changed << viaCurrent[i];
    const QStringList expected = {
        R"({"table":"fixes","index":0,"name":"ABCDE","lat":45.72559,"lon":-1.0342933,"selected":0,"comment":""})",
        R"({"table":"sid","index":1,"name":"SID TWO                  ","selected":1,"segments":[[46,6,45.25,)"
            R"(4.5]]})",
        R"({"table":"geo","index":1,"lat1":45.033333,"lon1":5.0333333,"lat2":45.05,"lon2":5.05,)"
            R"("color":"#ff0000","detail":0,"color_name":"COAST"})",
        R"({"table":"taxiways","index":0,"label":"A1","lat":45.716667,"lon":5.0833335,"detail":1})",
    };
    EXPECT_EQ(changed, expected);
}

TEST_F(ZazTool, SaveWritesProceduresAndAirwaysOnlyWhenSelected)
{
    const QString plain = env.path("plain.sct"), all = env.path("all.sct");
    const ToolRun savePlain = RunTool({"sector", "save", sector(), plain}, env.dir());
    const ToolRun saveAll = RunTool({"sector", "save", "--select-all", sector(), all}, env.dir());
    ASSERT_EQ(savePlain.exitCode, 0) << savePlain.err.toStdString();
    ASSERT_EQ(saveAll.exitCode, 0) << saveAll.err.toStdString();
    EXPECT_TRUE(saveAll.out.isEmpty());

    // Labels are not written; the identity and the summary come back as they were.
    const QString counts = QString::fromUtf8(
        R"({"counts": {"info": 1,"vor": 1,"ndb": 1,"fixes": 2,"airports": 1,"runways": 1,"sid": %1,)"
        R"("star": %2,"low_airways": %2,"high_airways": %2,"artcc": 1,"artcc_low": 1,"artcc_high": 1,)"
        R"("geo": 2,"taxiways": 0,"parkings": 0,"defines": 1},)");
    const QString source = Check(sector());
    EXPECT_EQ(Check(all), counts.arg(2).arg(1) + source.mid(source.indexOf(QStringLiteral("\"identity\""))));
    const QString saved = Check(plain);
    EXPECT_TRUE(saved.startsWith(counts.arg(0).arg(0))) << saved.toStdString();
}

namespace {

// Five fixes on a meridian, a high airway AWY from AAA to EEE through every fix, and a low
// airway LWY of one segment from AAA to CCC.
QString AirwaySector()
{
    return QStringLiteral("[INFO]\nRoute test\nLFXX_CTR\nLFXX\nN045.20.00.000\nE005.20.00.000\n60\n42\n0\n1\n"
                          "[FIXES]\n"
                          "AAA   N045.00.00.000 E005.00.00.000\n"
                          "BBB   N046.00.00.000 E005.00.00.000\n"
                          "CCC   N047.00.00.000 E005.00.00.000\n"
                          "DDD   N048.00.00.000 E005.00.00.000\n"
                          "EEE   N049.00.00.000 E005.00.00.000\n"
                          "[HIGH AIRWAY]\n")
           + RouteLine("AWY", "AAA", "BBB") + RouteLine("", "BBB", "CCC") + RouteLine("", "CCC", "DDD")
           + RouteLine("", "DDD", "EEE") + QStringLiteral("[LOW AIRWAY]\n") + RouteLine("LWY", "AAA", "CCC");
}

} // namespace

TEST_F(ZazTool, RouteIsNormalisedBuiltAndItsAirwaysListedHighFirst)
{
    env.write(QStringLiteral("airways.sct"), AirwaySector());
    const auto route = [&](const char *text) {
        const ToolRun run = RunTool({"route", "--sector", env.path(QStringLiteral("airways.sct")), text}, env.dir());
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.isEmpty());
        return Compact(run.out);
    };
    // LWY has a single segment from AAA to CCC: nothing lies between them; XYZ is unknown.
    EXPECT_EQ(route("AAA-LWY CCC,AWY  EEE XYZ"),
              QString::fromUtf8(
                  R"({"fields": ["AAA","LWY","CCC","AWY","EEE","XYZ"],"points": [{"lat": 45,"lon": 5,)"
                  R"("element": 0,"text": "AAA"},{"lat": 47,"lon": 5,"element": 2,"text": "CCC"},{"lat": 47,)"
                  R"("lon": 5,"element": 3,"text": "AWY"},{"lat": 48,"lon": 5,"element": 3,"text": "AWY"},)"
                  R"({"lat": 49,"lon": 5,"element": 4,"text": "EEE"},{"lat": 0,"lon": 0,"element": 5,)"
                  R"("text": "XYZ"}],"selected_airways": ["AWY","LWY"]})"));
    EXPECT_EQ(route("AAA/CCC"),
              QString::fromUtf8(
                  R"({"fields": ["AAA","CCC"],"points": [{"lat": 45,"lon": 5,"element": 0,"text": "AAA"},)"
                  R"({"lat": 47,"lon": 5,"element": 1,"text": "CCC"}],"selected_airways": []})"));
}

TEST_F(ZazTool, PlanPrintsTheListsAndTheRoute)
{
    auto waypoint = [](const char *id, const char *type) {
        return QStringLiteral("<ATCWaypoint id=\"%1\">\r\n<ATCWaypointType>%2</ATCWaypointType>\r\n"
                              "<ICAO>\r\n<ICAOIdent>%1</ICAOIdent>\r\n</ICAO>\r\n</ATCWaypoint>\r\n")
            .arg(QLatin1String(id), QLatin1String(type));
    };
    const QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<FlightPlan.FlightPlan>\r\n"
                                        "<Title>LFLL to LFPG</Title>\r\n<FPType>IFR</FPType>\r\n"
                                        "<CruisingAlt>34000</CruisingAlt>\r\n")
                         + waypoint("LFLL", "Airport") + waypoint("MOLUS", "Intersection")
                         + waypoint("N45/E5", "User") + waypoint("LFPG", "Airport")
                         + QStringLiteral("</FlightPlan.FlightPlan>\r\n");
    QFile file(env.path(QStringLiteral("route.PLN")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBF" + text.toUtf8());
    file.close();

    ToolRun run = RunTool({"plan", env.path(QStringLiteral("route.PLN"))}, env.dir());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(Compact(run.out),
              QString::fromUtf8(
                  R"({"display": ["LFLL to LFPG  IFR  34000ft","0:  LFLL  Airport","1:  MOLUS  Intersection",)"
                  R"("2:  N45/E5  User","3:  LFPG  Airport"],"waypoints": ["LFLL","MOLUS","N45/E5","LFPG"],)"
                  R"("route": "MOLUS/N45/E5"})"));

    // Not an XML plan: empty lists and an empty route.
    env.write(QStringLiteral("other.PLN"), QStringLiteral("[flightplan]\nwaypoint.0=LFLL\n"));
    run = RunTool({"plan", env.path(QStringLiteral("other.PLN"))}, env.dir());
    EXPECT_EQ(Compact(run.out), QStringLiteral("{\"display\": [],\"waypoints\": [],\"route\": \"\"}"));
}

namespace {

// A capture after the login of ZAZ_OBS: two positions of one aircraft, its plan, a
// controller, a text on COM1 (the small sector's airport is on 118.100), a strip then the
// handoff acceptance that sends it back, weather lines, a filed plan and a bad position.
QByteArray Capture()
{
    return "@N:AFR1:1200:1:45.72:5.08:35000:450:90:0\n"
           "@S:AFR1:7700:1:45.80:5.10:36000:460:95:0\n"
           "$FPAFR1:ZAZ_OBS:I:B738:450:LFLL:1200:1205:FL350:LFPG:1:05:3:00:LFPO:/v/:ABCDE FGHIJ\n"
           "%LFMN_APP:27500:4:100:5:43.66:7.21:0\n"
           "#TMLFMN_APP:@18100:sur COM1\n"
           "#TMLFMN_APP:ZAZ_OBS:~STRIP01210/15/30A003050YYNBULOL270120NNNNNI250TWRDLFMN_APP007 4   AFR1\n"
           "$HALFMN_APP:ZAZ_OBS:AFR1\n"
           "#TDserver:ZAZ_OBS:1000:15\n"
           "#WDserver:ZAZ_OBS:3000:0:270:15:1:0\n"
           "#CDserver:ZAZ_OBS:4000:2000:SCT:0:1\n"
           "$ARserver:ZAZ_OBS:METAR:LFLL 061200Z 27015KT Q1013\n"
           "$DEPOTFP:ZAZ_OBS:BAW2:I:A320:450:LFLL:1200:0905:350:LFPG:1:05:3:00:LFPO:rmk:DCT\n"
           "@N:BAD1:1200:1:45:5:FL350:450:90:0\n";
}

class ZazToolReplay : public ZazTool {
protected:
    void SetUp() override
    {
        ZazTool::SetUp();
        env.write(QStringLiteral("ZAZ.ini"), QStringLiteral("[facility]\n4=Tower\n[rating]\n5=C1\n"));
        put("capture.txt", Capture());
    }
    void put(const char *name, const QByteArray &bytes)
    {
        QFile file(env.path(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    ToolRun replay(const QStringList &arguments) { return RunTool(QStringList{"replay"} + arguments, env.dir()); }
};

} // namespace

// Everything the capture changed, in the order of the output: the bad position made no
// aircraft, an FSD server's heading is not read, the replay's clock starts at noon on
// 1 January 2000, the strip goes back with the handoff mark.
TEST_F(ZazToolReplay, PrintsEverythingTheCaptureChanged)
{
    const ToolRun run = replay({env.path("capture.txt"), "--sector", sector()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    EXPECT_EQ(Compact(run.out),
              QString::fromUtf8(
                  R"({"traffic": [{"index": 0,"live": 1,"callsign": "AFR1","squawk": "7700","lat": 45.8,)"
                  R"("lon": 5.1,"altitude": 36000,"prevAltitude": 35000,"groundSpeed": 460,"heading": 0,)"
                  R"("transponderMode": "S","hasFlightPlan": 1,"ifr": 1,"acType": "B738","departure": "LFLL",)"
                  R"("destination": "LFPG","alternate": "LFPO","tas": 450,"cruiseLevel": "FL350",)"
                  R"("route": "ABCDE/FGHIJ","remarks": "/v/","routePoints": 2,"nextPoint": 4,"handoffFrom": "",)"
                  R"("handoffState": "A","hasStrip": 1,"alert": 0}],"controllers": [{"index": 0,)"
                  R"("callsign": "LFMN_APP","frequency": "127500","facilityText": "Tower","ratingText": "C1",)"
                  R"("range": 100,"lat": 43.66,"lon": 7.21,"altitude": 0,"inRadioList": 0}],)"
                  R"("radio": [">COM1:LFMN_APP:sur COM1"],)"
                  R"("strips": ["00012:00:00A003050YYNBULOL270120NNNNNI250TWRALFMN_APP007     "],)"
                  R"("stripKeys": ["000"],)"
                  R"("filedPlans": ["BAW2\t1200\tIFR\tA320\tLFLL\tDCT\tLFPG\tFL350\t450kts\tZ09:05\trmk"],)"
                  R"("weather": {"station": "","time": "01/01/2000 12:00:00",)"
                  R"("rawMetar": "LFLL 061200Z 27015KT Q1013","newMetar": 1,"qnh": "1013","altimeter": "29.92",)"
                  R"("pressure": "1013mb","windUnit": "KT","wind": {"altitude": "0","temperature": "",)"
                  R"("direction": "270","sectorStart": "","sectorEnd": "","speed": "15","unit": "KT",)"
                  R"("gust": "","depth": "3000","turbulence": "","shear": ""},"windsAloft": [],)"
                  R"("clouds": [{"height": "2000","cover": "1,0,SCT","top": "","turbulence": "",)"
                  R"("precipIntensity": "","precipType": "","base": "4000","icing": ""}],)"
                  R"("temperatures": [{"temperature": "15","dewPoint": "","altitude": "1000"}]},)"
                  R"("sent": ["$CQZAZ_OBS:SERVER:FP:AFR1",)"
                  R"("#TMZAZ_OBS:LFMN_APP:~STRIP00012/00/00A003050YYNBULOL270120NNNNNI250TWRALFMN_APP007     AFR1"],)"
                  R"("errors": 1,"errorLines": ["@N:BAD1:1200:1:45:5:FL350:450:90:0"],"elapsed_ms": T})"));

    // The same capture twice gives the same output.
    EXPECT_EQ(Compact(replay({env.path("capture.txt"), "--sector", sector()}).out), Compact(run.out));
}

TEST_F(ZazToolReplay, OwnCallsignServerTypeAndLineEnds)
{
    const QByteArray lines = "@N:AFR1:1200:1:45.72:5.08:35000:450:90:0\n"
                             "#TMLFMN_APP:LFLL_TWR:pour la tour\n"
                             "#TMLFMN_APP:@18100:sur COM1\n"
                             "#TMLFMN_APP:ZAZ_OBS:pas pour moi";
    put("lf.txt", lines);
    put("crlf.txt", QByteArray(lines).replace("\n", "\r\n") + "\r\n");
    put("cr.txt", QByteArray(lines).replace('\n', '\r'));

    QString first;
    for (const char *name : {"lf.txt", "crlf.txt", "cr.txt"}) {
        const ToolRun run = replay({env.path(QString::fromLatin1(name)), "--own", "LFLL_TWR", "--server-type",
                                    "VIREO-SERVER"});
        ASSERT_EQ(run.exitCode, 0) << name << ": " << run.err.toStdString();
        const QJsonObject o = QJsonDocument::fromJson(run.out).object();
        // Without a sector there is no COM1 channel; a VIREO-SERVER gives the heading.
        EXPECT_EQ(o.value("radio").toVariant().toStringList(), QStringList{">TELE:LFMN_APP:pour la tour"}) << name;
        EXPECT_EQ(o.value("sent").toVariant().toStringList(), QStringList{"$CQLFLL_TWR:SERVER:FP:AFR1"}) << name;
        EXPECT_NEAR(o.value("traffic")[0].toObject().value("heading").toDouble(), 1.5707963, 1e-6);
        if (first.isEmpty())
            first = Compact(run.out);
        EXPECT_EQ(Compact(run.out), first) << name << ": every line end gives the same replay";
    }
}

TEST_F(ZazToolReplay, BadArgumentsGiveOneErrorLineAndHelpTheUsage)
{
    const QString file = sector(), capture = env.path("capture.txt");
    QFile big(env.path(QStringLiteral("big.PLN")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write("<?xml?>\r\n" + QByteArray(5 * 1024 * 1024, ' '));
    big.close();
    struct Case {
        QStringList arguments;
        int code;
    } cases[] = {
        {{}, 2},
        {{"frobnicate"}, 2},
        {{"sector"}, 2},
        {{"sector", "frob", file}, 2},
        {{"sector", "check"}, 2},
        {{"sector", "check", file, "--bogus"}, 2},
        {{"sector", "check", file, "--settings"}, 2},
        {{"sector", "check", file, "extra"}, 2},
        {{"sector", "dump", file, "--select-all"}, 2},
        {{"sector", "save", file}, 2},
        {{"sector", "check", env.path("missing.sct")}, 1},
        {{"sector", "dump", env.dir()}, 1},
        {{"sector", "check", file, "--settings", env.path("nowhere")}, 1},
        {{"sector", "save", file, env.path("no/such/folder/out.sct")}, 1},
        {{"route", "BBB/AWY/DDD"}, 2},
        {{"route", "--sector", file}, 2},
        {{"route", "--sector", file, "BBB", "DDD"}, 2},
        {{"route", "--sector", env.path("missing.sct"), "BBB"}, 1},
        {{"route", "--sector", file, "--settings", env.path("nowhere"), "BBB"}, 1},
        {{"plan"}, 2},
        {{"plan", "a.PLN", "b.PLN"}, 2},
        {{"plan", env.path("missing.PLN")}, 1},
        {{"plan", env.dir()}, 1},
        {{"plan", env.path("big.PLN")}, 1},
        {{"replay"}, 2},
        {{"replay", capture, "--server-type", "IRC"}, 2},
        {{"replay", capture, "--own"}, 2},
        {{"replay", capture, capture}, 2},
        {{"replay", env.path("missing.txt")}, 1},
        {{"replay", env.dir()}, 1},
        {{"replay", capture, "--sector", env.path("missing.sct")}, 1},
        {{"replay", capture, "--settings", env.path("nowhere")}, 1},
    };
    for (const Case &c : cases) {
        const ToolRun run = RunTool(c.arguments, env.dir());
        const std::string what = c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, c.code) << what;
        EXPECT_TRUE(run.out.isEmpty()) << what;
        EXPECT_TRUE(run.err.startsWith("zaz-tool : ")) << what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.err.endsWith('\n') && run.err.count('\n') == 1) << what << ": " << run.err.toStdString();
    }
    EXPECT_TRUE(RunTool({"sector", "check", env.path("missing.sct")}, env.dir()).err.contains("missing.sct"));

    for (const QStringList &arguments : {QStringList{"--help"}, QStringList{"sector", "check", "--help"},
                                         QStringList{"route", "--help"}, QStringList{"replay", "--help"}}) {
        const ToolRun run = RunTool(arguments, env.dir());
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.err.isEmpty());
        for (const char *usage : {"zaz-tool sector check FICHIER [--settings DOSSIER]", "zaz-tool sector save",
                                  "zaz-tool route --sector FICHIER [--settings DOSSIER] ROUTE",
                                  "zaz-tool plan FICHIER.PLN",
                                  "zaz-tool replay FICHIER [--server-type FSD|VIREO-SERVER]"})
            EXPECT_TRUE(run.out.contains(usage)) << usage;
    }
}
