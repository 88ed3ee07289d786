// zaz-tool run as a separate program on small files. The model code behind each command has
// its own tests; these check what the tool adds: the JSON each command prints, the settings
// folder it reads, the replay's login, clock, ticks and limits, and the exit code and single
// error line of every bad command line.
#include "core/Text.h"
#include "support/TestEnv.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace zaz::test {
namespace {

struct ToolRun {
    int exitCode = -1;
    QByteArray out, err;
    QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }
    // The printed object on one line (no text here holds a line break), its duration, which
    // varies, shown as T.
    QString compact() const
    {
        return QString::fromUtf8(out)
            .replace(QRegularExpression(QStringLiteral("\n *")), QString())
            .replace(QRegularExpression(QStringLiteral("\"elapsed_ms\": [0-9.]+")), QStringLiteral("T"));
    }
};

// A value inside a printed object: "traffic/0/callsign".
QJsonValue At(QJsonValue value, const char *path)
{
    for (const QString &step : QString::fromLatin1(path).split(QLatin1Char('/')))
        value = value.isArray() ? value.toArray().at(step.toInt()) : value.toObject().value(step);
    return value;
}

struct ZazTool : ::testing::Test {
    void SetUp() override
    {
        // A sector with routes at their columns; the VOR's comment holds what JSON escapes.
        // The settings folder names selections and code texts.
        env.write(QStringLiteral("small.sct"),
                  QStringLiteral("[INFO]\nTest sector\nLFLL_APP\nLFLL\nN045.30.00.000\n"
                                 "E005.15.00.000\n60\n42\n2.5\n1\n[VOR]\nLYS  115.500 N045.45.00.000 E005.00.00.000 "
                                 ";Lyon \"St\" \\ tab\there\n[FIXES]\nABCDE N045.43.32.123 W001.02.03.456\n"
                                 "FGHIJ N046.00.00.000 E006.00.00.000 ;second\n"
                                 "[AIRPORT]\nLFLL 118.100 N045.43.32.000 E005.05.27.000 D ;Lyon\n[SID]\n"
                                 "SID ONE                   LFLL                          ABCDE\n[HIGH AIRWAY]\n"
                                 "UN1                       LYS                           FGHIJ\n"
                                 "                          FGHIJ                         ABCDE\n"));
        env.write(QStringLiteral("conf/ZAZ.ini"),
                  QStringLiteral("[sector]\nliste_fix=01\nliste_sid=01\n[facility]\n4=Tower\n[rating]\n5=C1"));
    }
    ToolRun run(const QStringList &arguments, const QString &dir = {})
    {
        QProcess tool;
        tool.setWorkingDirectory(dir.isEmpty() ? env.dir() : dir);
        tool.start(QStringLiteral(ZAZ_TOOL_PATH), arguments);
        const bool ended = tool.waitForFinished(120000) && tool.exitStatus() == QProcess::NormalExit;
        return {ended ? tool.exitCode() : -1, tool.readAllStandardOutput(), tool.readAllStandardError()};
    }
    TestEnv env;
    const QString sector = env.path(QStringLiteral("small.sct")), conf = env.path(QStringLiteral("conf"));
};

} // namespace

TEST_F(ZazTool, SectorCheckPrintsCountsIdentityAndSummaryInOrder)
{
    EXPECT_EQ(run({"sector", "check", sector}).compact(),
              R"({"counts": {"info": 1,"vor": 1,"ndb": 0,"fixes": 2,"airports": 1,"runways": 0,"sid": 1,"star": 0,)"
              R"("low_airways": 0,"high_airways": 1,"artcc": 0,"artcc_low": 0,"artcc_high": 0,"geo": 0,"taxiways": 0,)"
              R"("parkings": 0,"defines": 0},"identity": {"name": "Test sector","callsign": "LFLL_APP",)"
              R"("airport": "LFLL","lat": 45.5,"lon": 5.25,"frequency": "118100","declination_text": "2.5",)"
              R"("declination": 2.5,"nm_per_deg_lon": 42.054554},"tolerant_lines": 0,"errors": "",)"
              R"("unresolved_lines": [],"summary": "1 AIRPORT\r1 VOR\r0 NDB\r2 FIXES\r1 Airways\r1 SID\r0 STAR",T})");
    env.write(QStringLiteral("u.sct"), QStringLiteral("[GEO]\nGroup title\n[SID]\nS1 LFLL NOPE\n"));
    EXPECT_EQ(At(run({"sector", "check", env.path(QStringLiteral("u.sct"))}).json(), "unresolved_lines"),
              QJsonArray({2, 4}));
}

TEST_F(ZazTool, SectorDumpWritesEveryElementWithTheSettingsOfTheFolderGiven)
{
    const ToolRun dump = run({"sector", "dump", sector, "--settings", conf});
    EXPECT_EQ(run({"sector", "dump", sector}, conf).out, dump.out) << "by default, the current folder";
    const QList<QByteArray> lines = dump.out.split('\n');
    ASSERT_EQ(lines.size(), 8) << dump.err.toStdString();
    EXPECT_EQ(lines[1], R"({"table":"vor","index":0,"identifier":"LYS ","frequency":"115.500","lat":45.75,"lon":5,)"
                        R"("details_shown":0,"comment":"Lyon \"St\" \\ tab\there"})");
    EXPECT_EQ(lines[2], R"({"table":"fixes","index":0,"name":"ABCDE","lat":45.72559,"lon":-1.0342933,"selected":0,)"
                        R"("comment":""})");
}

TEST_F(ZazTool, SectorSaveWritesProceduresAndAirwaysOnlyWhenSelected)
{
    const QString saved = env.path(QStringLiteral("saved.sct"));
    QList<int> written; // SIDs and high airways read back
    for (const QStringList &options : {QStringList(), QStringList{"--select-all"}}) {
        ASSERT_EQ(run(QStringList{"sector", "save", sector, saved} + options).exitCode, 0);
        const QJsonObject check = run({"sector", "check", saved}).json();
        written << At(check, "counts/sid").toInt() << At(check, "counts/high_airways").toInt();
    }
    EXPECT_EQ(written, QList<int>({0, 0, 1, 1}));
}

TEST_F(ZazTool, RouteIsNormalisedAndBuiltAlongItsAirways)
{
    EXPECT_EQ(run({"route", "--sector", sector, "LYS-UN1 ABCDE,XYZ"}).compact(),
              R"({"fields": ["LYS","UN1","ABCDE","XYZ"],"points": [{"lat": 45.75,"lon": 5,"element": 0,)"
              R"("text": "LYS"},{"lat": 45.75,"lon": 5,"element": 1,"text": "UN1"},{"lat": 46,"lon": 6,)"
              R"("element": 1,"text": "UN1"},{"lat": 45.72559,"lon": -1.0342933,"element": 2,"text": "ABCDE"},)"
              R"({"lat": 0,"lon": 0,"element": 3,"text": "XYZ"}],"selected_airways": ["UN1"]})");
}

TEST_F(ZazTool, PlanPrintsTheListsAndTheRouteOfTheStartingPlan)
{
    EXPECT_EQ(run({"plan", SourceDataDir() + "/simulateur/plans/LFLL_LFPG.PLN"}).compact(),
              R"({"display": ["LFLL to LFPG  IFR  29000ft","0:  LFLL  Airport","1:  NORSA  Intersection",)"
              R"("2:  BEMOL  Intersection","3:  XEROP  Intersection","4:  DJL  VOR","5:  TRO  VOR","6:  MEL  VOR",)"
              R"("7:  LFPG  Airport"],"waypoints": ["LFLL","NORSA","BEMOL","XEROP","DJL","TRO","MEL","LFPG"],)"
              R"("route": "NORSA/BEMOL/XEROP/DJL/TRO/MEL"})");
}

// A capture after the login of ZAZ_OBS, its lines ended by LF, CR LF or CR and the last by
// nothing: two positions of one aircraft, a controller, a text on COM1 (the small sector's
// airport is on 118.100), a strip then the handoff acceptance that sends it back, and a
// position whose altitude is no number.
TEST_F(ZazTool, ReplayPrintsWhatTheCaptureChangedAfterTicksLikeTheProgram)
{
    env.writeBytes(QStringLiteral("capture.txt"),
                   "@N:AFR1:1200:1:45.72:5.08:35000:450:90:0\n@S:AFR1:7700:1:45.80:5.10:36000:460:1024:0\r\n"
                   "%LFMN_APP:27500:4:100:5:43.66:7.21:0\r#TMLFMN_APP:@18100:sur COM1\n#TMLFMN_APP:ZAZ_OBS:~STRIP"
                   "01210/15/30A003050YYNBULOL270120NNNNNI250TWRDLFMN_APP007 4   AFR1\n$HALFMN_APP:ZAZ_OBS:AFR1\n"
                   "@N:BAD1:1200:1:45:5:FL350:450:90:0");
    const QJsonObject o =
        run({"replay", env.path(QStringLiteral("capture.txt")), "--sector", sector, "--settings", conf}).json();
    // An FSD server's field 9 is the pilot client's packed word (1024: heading 90°); the
    // emergency squawk alerts in the model step; the clock starts at noon; the strip goes
    // back with the handoff mark, then the plan query.
    const std::pair<const char *, QJsonValue> expected[] = {
        {"traffic/0/squawk", "7700"}, {"traffic/0/alert", 1},
        {"traffic/1", QJsonValue::Undefined}, {"controllers/0/facilityText", "Tower"},
        {"controllers/0/ratingText", "C1"}, {"radio", QJsonArray{">COM1:LFMN_APP:sur COM1"}},
        {"strips/0", "00012:00:00A003050YYNBULOL270120NNNNNI250TWRALFMN_APP007     "},
        {"stripCallsigns", QJsonArray{"AFR1"}}, {"errorLines", QJsonArray{"@N:BAD1:1200:1:45:5:FL350:450:90:0"}},
        {"sent/0", "#TMZAZ_OBS:LFMN_APP:~STRIP00012/00/00A003050YYNBULOL270120NNNNNI250TWRALFMN_APP007     AFR1"},
        {"sent/1", "$CQZAZ_OBS:SERVER:FP:AFR1"}, {"sent/2", QJsonValue::Undefined}, {"refusedAircraft", 0}};
    for (const auto &[path, value] : expected)
        EXPECT_EQ(At(o, path), value) << path;
    EXPECT_NEAR(At(o, "traffic/0/heading").toDouble(), kPi / 2, 1e-6); // printed with 8 digits
}

TEST_F(ZazTool, ReplayAdmitsAtMost5000AircraftAndAsksEachOfThemOnceForItsPlan)
{
    QByteArray capture;
    for (int i = 0; i < 10001; ++i)
        capture += "@N:C" + QByteArray::number(i) + ":1200:1:45.5:5.2:10000:300:90:0\n";
    env.writeBytes(QStringLiteral("many.txt"), capture);
    const QJsonObject o = run({"replay", env.path(QStringLiteral("many.txt")), "--own", "LFLL_TWR"}).json();
    QStringList admitted, asked;
    for (const QJsonValue &aircraft : o["traffic"].toArray())
        admitted << aircraft["callsign"].toString();
    for (const QJsonValue &line : o["sent"].toArray())
        if (line.toString().startsWith(QStringLiteral("$CQLFLL_TWR:SERVER:FP:")))
            asked << line.toString().mid(22);
    EXPECT_LE(admitted.size(), 5000);
    EXPECT_EQ(QSet(admitted.begin(), admitted.end()).size(), admitted.size()) << "no callsign twice";
    EXPECT_EQ(o["refusedAircraft"].toInt(), 5001);
    admitted.sort();
    asked.sort();
    EXPECT_EQ(asked, admitted) << "one query for each admitted aircraft";
}

TEST_F(ZazTool, RenderDrawsTheSectorWithTheTrafficOfACapture)
{
    env.writeBytes(QStringLiteral("one.txt"), "@N:AFR1:1200:1:45.6:5.2:9000:450:90:0\n");
    const QString png = env.path(QStringLiteral("scope.png")), capture = env.path(QStringLiteral("one.txt"));
    const ToolRun render = run({"render", "--sector", sector, "--traffic", capture, "--size", "64x48", "--out", png});
    EXPECT_EQ(render.out, "{\"aircraft\":1}\n") << render.err.toStdString();
    EXPECT_EQ(QImage(png).size(), QSize(64, 48));
    // Timed: each kind of redraw in both runs, which give the same pictures.
    const QJsonObject timed =
        run({"render", "--sector", sector, "--size", "300x200", "--repeat", "3", "--reference", "--out", png}).json();
    for (const QJsonObject &o : {timed, timed["reference"].toObject()})
        for (const char *key : {"full_ms", "pan_ms", "zoom_ms", "traffic_ms"})
            EXPECT_TRUE(o[key]["median"].isDouble() && o[key]["max"].toDouble() >= o[key]["median"].toDouble()) << key;
    EXPECT_EQ(timed["identical"].toInt(), 1);
}

TEST_F(ZazTool, MetarDecodesWithTheTablesOfTheSettingsFolder)
{
    env.write(QStringLiteral("wx/ZAZ.ini"), QStringLiteral("[turbulence]\nN=nulle\n[shear]\nG=graduel\n"));
    const QJsonObject sim =
        run({"metar", "--sim", "--settings", env.path("wx"), "LFPG&A0119 METAR 041200Z 27015KT&D980NG 15/10 Q1013 @@@ 30 15 270 20 |"})
            .json();
    const QJsonObject plain = run({"metar", "LFPG 041200Z 24015KT 9999 15/M02 Q1013"}).json();
    const std::pair<QJsonValue, QJsonValue> expected[] = {
        {At(sim, "wind/turbulence"), "nulle"}, {At(sim, "wind/shear"), "graduel"}, {At(sim, "elevation"), 119},
        {At(sim, "windsAloft/0/altitude"), "3000"}, {At(sim, "pressure"), "1013hPa"}, {At(sim, "windUnit"), "KT"},
        {At(sim, "plainMetar"), "LFPG METAR 041200Z 27015KT 15/10 Q1013"}, {At(plain, "visibilities/0/visibility"), "9999"},
        {At(plain, "temperatures/0/dewPoint"), "-02"}, {At(plain, "altimeter"), "29.92"}, {At(plain, "plainMetar"), QJsonValue::Undefined}};
    for (const auto &[value, wanted] : expected)
        EXPECT_EQ(value, wanted) << value.toVariant().toString().toStdString();
}

TEST_F(ZazTool, AtisPrintsTheBroadcastLinesOfADecodedMetar)
{
    const ToolRun atis = run({"atis", "--metar", "LFLL 071030Z 00000KT 0800 FG 05/M01 Q1008", "--letter", "charly",
                              "--to", "35R", "--ldg", "35L", "--ta", "5000", "--tl", "70"});
    const QJsonArray lines = QJsonDocument::fromJson(atis.out).array();
    ASSERT_EQ(lines.size(), 7) << atis.out.toStdString();
    EXPECT_EQ(lines[0], "information CHARLY, 10hour30  Zulu ");
    EXPECT_EQ(lines[1], "wind calm");
    EXPECT_EQ(lines[2], "QNH 1 0 0 8,  temperature 05 °C, dewpoint -01");
    EXPECT_EQ(lines[3], "visibility 800 meter");
    EXPECT_EQ(lines[5], "takeoff runway 35right, landing runway 35left");
    EXPECT_EQ(lines[6], "transitions altitude 5000feet, transition level 70");
    EXPECT_EQ(run({"atis", "--metar", "LFLL 071030Z 00000KT", "--letter", "OSCAR"}).exitCode, 2);
}

TEST_F(ZazTool, BadCommandLinesGiveOneErrorLine)
{
    const QString missing = env.path(QStringLiteral("absent.sct")), dir = env.dir();
    const std::pair<QStringList, int> cases[] = {
        {{}, 2}, {{"frobnicate"}, 2}, {{"sector", "frob", sector}, 2}, {{"sector", "check", sector, "--bogus"}, 2},
        {{"sector", "check", sector, "--settings"}, 2}, {{"sector", "save", sector}, 2}, {{"sector", "dump", dir}, 1},
        {{"sector", "check", sector, "--settings", missing}, 1}, {{"sector", "save", sector, dir + "/a/b.sct"}, 1},
        {{"route", "LYS"}, 2}, {{"route", "--sector", missing, "LYS"}, 1}, {{"plan", "a", "b"}, 2},
        {{"plan", missing}, 1}, {{"replay", sector, "--server-type", "IRC"}, 2}, {{"replay", dir}, 1},
        {{"render", "--sector", sector}, 2}};
    for (const auto &[arguments, code] : cases) {
        const ToolRun bad = run(arguments);
        EXPECT_EQ(bad.exitCode, code) << arguments.join(' ').toStdString();
        // Only "render" starts a GUI application, whose warnings may come first.
        const QByteArray last = bad.err.split('\n').value(bad.err.count('\n') - 1);
        EXPECT_TRUE(bad.out.isEmpty() && last.startsWith("zaz-tool : ") && bad.err.endsWith('\n'))
            << bad.err.toStdString();
    }
}

TEST_F(ZazTool, WeatherFetchAsksTheSettingsServerForTheStationsWithinTheRadius)
{
    // A weather server answering LFLL from this process, whose event loop runs meanwhile.
    int argc = 1;
    char name[] = "test_zaz_tool", *argv[] = {name};
    QCoreApplication app(argc, argv);
    QTcpServer http;
    ASSERT_TRUE(http.listen(QHostAddress::LocalHost));
    QObject::connect(&http, &QTcpServer::newConnection, [&http] {
        QTcpSocket *s = http.nextPendingConnection();
        QObject::connect(s, &QTcpSocket::readyRead, s, [s] {
            if (!s->canReadLine() || s->property("asked").toBool())
                return;
            s->setProperty("asked", true);
            s->write(s->readLine().startsWith("GET /LFLL.TXT ")
                         ? "HTTP/1.0 200 OK\r\n\r\n2026/12/07 06:00\nLFLL 070600Z 24015KT Q1018\n"
                         : "HTTP/1.0 404 Not Found\r\n\r\n");
            s->disconnectFromHost();
        });
    });
    env.write(QStringLiteral("meteo/ZAZ.ini"),
              QStringLiteral("[server meteo]\nserver=NET\nadresse=http://127.0.0.1:%1/\nrayon=10\n").arg(http.serverPort()));
    QProcess tool;
    QEventLoop loop;
    QObject::connect(&tool, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    // The airport is 15 nm from the own position: outside the settings' radius, not --radius 20.
    tool.start(QStringLiteral(ZAZ_TOOL_PATH),
               {"weather", "fetch", "--sector", sector, "--settings", env.path("meteo"), "--radius", "20"});
    loop.exec();
    const ToolRun fetch{tool.exitCode(), tool.readAllStandardOutput(), tool.readAllStandardError()};
    EXPECT_EQ(fetch.exitCode, 0) << fetch.err.toStdString();
    EXPECT_EQ(fetch.compact(), R"({"stations": [{"code": "LFLL","date": "2026/12/07 06:00",)"
                               R"("metar": "LFLL 070600Z 24015KT Q1018"}],"status": "real stations completed"})");
}

} // namespace zaz::test
