// zaz-tool run as a separate program on small sector files: the JSON it prints, the
// dump's fields and their order, save then load, and what bad command lines give.
#include "sector/Coordinates.h"
#include "support/TestEnv.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <cmath>

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

QString Pad(const QString &text, int width)
{
    return text.leftJustified(width, QLatin1Char(' '));
}

// A route line: name 1/25, points 27/29 and 57/29.
QString RouteLine(const QString &name, const QString &from, const QString &to)
{
    return Pad(name, 25) + QLatin1Char(' ') + Pad(from, 29) + QLatin1Char(' ') + Pad(to, 29) + QLatin1Char('\n');
}

const QString kVorComment = QStringLiteral("Lyon \"Saint-Exupéry\" \\ tab\there \x01 end");

// One element in every table, column-exact; the third fix repeats the first one's name.
QString SmallSector()
{
    return QStringLiteral("#define land 3158064\n"
                          "#define sea 16711680\n"
                          "[INFO]\nTest sector\nLFLL_APP\nLFLL\nN045.30.00.000\nE005.15.00.000\n60\n42\n2.5\n1\n"
                          "[VOR]\n")
           + QStringLiteral("LYS  115.500 N045.45.00.000 E005.00.00.000 ;") + kVorComment
           + QStringLiteral("\n[NDB]\n"
                            "LSE   375.000 N045.15.00.000 E004.30.00.000\n"
                            "[FIXES]\n"
                            "ABCDE N045.00.00.000 E005.00.00.000\n"
                            "FGHIJ N046.00.00.000 E006.00.00.000 ;second\n"
                            "ABCDE N045.43.32.123 W001.02.03.456\n"
                            "[AIRPORT]\n"
                            "LFLL 118.100 N045.43.32.000 E005.05.27.000 D ;Lyon\n"
                            "[RUNWAY]\n"
                            "18  36  180 360 N045.75.00.000 E005.00.00.000 N045.50.00.000 E005.00.00.000\n"
                            "[SID]\n")
           + RouteLine(QStringLiteral("SID ONE"), QStringLiteral("LFLL"), QStringLiteral("ABCDE"))
           + RouteLine(QString(), QStringLiteral("ABCDE"), QStringLiteral("LYS"))
           + RouteLine(QStringLiteral("SID TWO"), QStringLiteral("FGHIJ"), QStringLiteral("LSE"))
           + QStringLiteral("[STAR]\n") + RouteLine(QStringLiteral("STAR"), QStringLiteral("LYS"), QStringLiteral("LFLL"))
           + QStringLiteral("[LOW AIRWAY]\n") + RouteLine(QStringLiteral("A1"), QStringLiteral("LSE"), QStringLiteral("FGHIJ"))
           + QStringLiteral("[HIGH AIRWAY]\n") + RouteLine(QStringLiteral("UN1"), QStringLiteral("FGHIJ"), QStringLiteral("LYS"))
           + QStringLiteral("[ARTCC]\n")
           + RouteLine(QStringLiteral("FIR"), QStringLiteral("N045.00.00.000 E004.00.00.000"),
                       QStringLiteral("N046.00.00.000 E004.00.00.000"))
           + QStringLiteral("[ARTCC LOW]\n")
           + RouteLine(QStringLiteral("TMA"), QStringLiteral("N045.10.00.000 E004.50.00.000"),
                       QStringLiteral("N045.20.00.000 E004.50.00.000"))
           + QStringLiteral("[ARTCC HIGH]\n")
           + RouteLine(QStringLiteral("UIR"), QStringLiteral("N047.00.00.000 E003.00.00.000"),
                       QStringLiteral("N047.00.00.000 E007.00.00.000"))
           + QStringLiteral("[GEO]\n"
                            "N045.00.00.000 E005.00.00.000 N045.01.00.000 E005.01.00.000 land\n"
                            "N045.02.00.000 E005.02.00.000 N045.03.00.000 E005.03.00.000  coast \n"
                            "N045.04.00.000 E005.04.00.000 N045.05.00.000 E005.05.00.000 nothing\n"
                            "[TAXIWAYS]\n"
                            "N045.43.00.000 E005.05.00.000 A1\n"
                            "[PARKINGS]\n"
                            "N045.43.10.000 E005.05.10.000 P12\n");
}

float Coordinate(const char *text)
{
    float value = 0;
    zaz::ParseCoordinate(QString::fromLatin1(text), value);
    return value;
}

// Every member name in document order, nested objects included.
QStringList KeysInOrder(const QByteArray &json)
{
    QStringList keys;
    QByteArray stack;
    bool expectKey = false;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (c == '"') {
            QByteArray text;
            qsizetype j = i + 1;
            for (; j < json.size() && json[j] != '"'; ++j) {
                if (json[j] == '\\')
                    ++j;
                text += json[j];
            }
            if (expectKey)
                keys << QString::fromUtf8(text);
            expectKey = false;
            i = j;
        } else if (c == '{' || c == '[') {
            stack += c;
            expectKey = c == '{';
        } else if (c == '}' || c == ']') {
            stack.chop(1);
        } else if (c == ',') {
            expectKey = !stack.isEmpty() && stack.back() == '{';
        }
    }
    return keys;
}

QJsonObject ParseObject(const QByteArray &text)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << "\n" << text.toStdString();
    EXPECT_TRUE(doc.isObject());
    return doc.object();
}

struct Dumped {
    QByteArray raw;
    QJsonObject object;
};

// The dump split into its lines, grouped by table.
QMap<QString, QList<Dumped>> ParseDump(const QByteArray &text, QStringList *tableOrder = nullptr)
{
    QMap<QString, QList<Dumped>> tables;
    for (const QByteArray &line : text.split('\n')) {
        if (line.isEmpty())
            continue;
        const QJsonObject object = ParseObject(line);
        const QString table = object.value(QLatin1String("table")).toString();
        if (tableOrder && (tableOrder->isEmpty() || tableOrder->back() != table))
            *tableOrder << table;
        tables[table].append({line, object});
    }
    return tables;
}

bool SameFloat(const QJsonValue &value, float expected)
{
    return value.isDouble() && float(value.toDouble()) == expected;
}

const QStringList kTables = {"info", "vor", "ndb", "fixes", "airports", "runways", "sid", "star", "low_airways",
                             "high_airways", "artcc", "artcc_low", "artcc_high", "geo", "taxiways", "parkings",
                             "defines"};

class ZazTool : public ::testing::Test {
protected:
    void SetUp() override { env.Write(QStringLiteral("small.sct"), SmallSector()); }
    QString sector() const { return env.path(QStringLiteral("small.sct")); }
    TestEnv env;
};

} // namespace

TEST_F(ZazTool, CheckPrintsCountsIdentityAndSummaryInOrder)
{
    const ToolRun run = RunTool({"sector", "check", sector()}, env.dir());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty());
    const QJsonObject o = ParseObject(run.out);

    QStringList expectedKeys = {"counts"};
    expectedKeys << kTables;
    expectedKeys << QStringList{"identity", "name", "callsign", "airport", "lat", "lon", "frequency",
                                "declination_text", "declination", "nm_per_deg_lon", "tolerant_lines", "errors",
                                "summary", "elapsed_ms"};
    EXPECT_EQ(KeysInOrder(run.out), expectedKeys);

    const int expectedCounts[] = {1, 1, 1, 3, 1, 1, 2, 1, 1, 1, 1, 1, 1, 3, 1, 1, 2};
    const QJsonObject counts = o.value("counts").toObject();
    for (int i = 0; i < kTables.size(); ++i)
        EXPECT_EQ(counts.value(kTables[i]).toInt(-1), expectedCounts[i]) << kTables[i].toStdString();

    const QJsonObject id = o.value("identity").toObject();
    EXPECT_EQ(id.value("name").toString(), "Test sector");
    EXPECT_EQ(id.value("callsign").toString(), "LFLL_APP");
    EXPECT_EQ(id.value("airport").toString(), "LFLL");
    EXPECT_TRUE(SameFloat(id.value("lat"), 45.5f));
    EXPECT_TRUE(SameFloat(id.value("lon"), 5.25f));
    EXPECT_EQ(id.value("frequency").toString(), "118100");
    EXPECT_EQ(id.value("declination_text").toString(), "2.5");
    EXPECT_TRUE(SameFloat(id.value("declination"), 2.5f));
    EXPECT_GT(id.value("nm_per_deg_lon").toDouble(), 40.0);
    EXPECT_LT(id.value("nm_per_deg_lon").toDouble(), 45.0);

    EXPECT_EQ(o.value("tolerant_lines").toInt(-1), 0);
    EXPECT_EQ(o.value("errors").toString(), "");
    EXPECT_EQ(o.value("summary").toString(), "1 AIRPORT\r1 VOR\r1 NDB\r3 FIXES\r2 Airways\r2 SID\r1 STAR");
    EXPECT_TRUE(o.value("elapsed_ms").isDouble());
    EXPECT_GE(o.value("elapsed_ms").toDouble(), 0.0);
}

TEST_F(ZazTool, CheckReportsCoordinateErrorsAndFreeFormLines)
{
    env.Write(QStringLiteral("odd.sct"), QStringLiteral("[FIXES]\nBAD01 N045.30 E005\n"
                                                        "[VOR]\nAB 112.5 N045.30.00.000 E005.15.00.000\n"));
    const ToolRun run = RunTool({"sector", "check", env.path("odd.sct")}, env.dir());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject o = ParseObject(run.out);
    EXPECT_TRUE(o.value("errors").toString().startsWith(QStringLiteral("erreur de coordonnée ligne: \r2: ")))
        << o.value("errors").toString().toStdString();
    EXPECT_EQ(o.value("tolerant_lines").toInt(-1), 1);
    EXPECT_EQ(o.value("counts").toObject().value("info").toInt(-1), 0);
}

TEST_F(ZazTool, DumpWritesEveryElementWithItsFieldsInOrder)
{
    const ToolRun run = RunTool({"sector", "dump", sector()}, env.dir());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QStringList order;
    const auto tables = ParseDump(run.out, &order);
    EXPECT_EQ(order, kTables);
    EXPECT_EQ(run.out.count('\n'), 23); // the elements of the counts above

    const QMap<QString, QStringList> fields = {
        {"info", {"lines"}},
        {"vor", {"identifier", "frequency", "lat", "lon", "details_shown", "comment"}},
        {"ndb", {"identifier", "frequency", "lat", "lon", "details_shown", "comment"}},
        {"fixes", {"name", "lat", "lon", "selected", "comment"}},
        {"airports", {"identifier", "frequency", "lat", "lon", "airspace_class", "comment"}},
        {"runways", {"number", "opposite_number", "heading", "opposite_heading", "lat", "lon", "opposite_lat",
                     "opposite_lon", "comment"}},
        {"geo", {"lat1", "lon1", "lat2", "lon2", "color", "detail", "color_name"}},
        {"taxiways", {"label", "lat", "lon", "detail"}},
        {"parkings", {"label", "lat", "lon", "detail"}},
        {"defines", {"name", "value"}},
    };
    for (const QString &table : kTables) {
        ASSERT_TRUE(tables.contains(table)) << table.toStdString();
        const QStringList expected = QStringList{"table", "index"}
                                     + fields.value(table, {"name", "selected", "segments"});
        for (int i = 0; i < tables[table].size(); ++i) {
            EXPECT_EQ(KeysInOrder(tables[table][i].raw), expected) << table.toStdString();
            EXPECT_EQ(tables[table][i].object.value("index").toInt(-1), i);
        }
    }

    const QJsonArray info = tables["info"][0].object.value("lines").toArray();
    ASSERT_EQ(info.size(), 10);
    EXPECT_EQ(info[0].toString(), "Test sector");
    EXPECT_EQ(info[8].toString(), "1");
    EXPECT_EQ(info[9].toString(), "");

    // Text exactly as stored, escapes and non-ASCII included.
    const QJsonObject vor = tables["vor"][0].object;
    EXPECT_EQ(vor.value("identifier").toString(), "LYS ");
    EXPECT_EQ(vor.value("frequency").toString(), "115.500");
    EXPECT_EQ(vor.value("comment").toString(), kVorComment);
    EXPECT_EQ(vor.value("details_shown").toInt(-1), 0);
    EXPECT_TRUE(tables["vor"][0].raw.contains("\\u0001"));
    EXPECT_TRUE(tables["vor"][0].raw.contains("Exupéry"));

    // Coordinates: the shortest text that reads back as the same float32.
    const QJsonObject fix = tables["fixes"][2].object;
    const float lat = Coordinate("N045.43.32.123"), lon = Coordinate("W001.02.03.456");
    EXPECT_TRUE(SameFloat(fix.value("lat"), lat));
    EXPECT_TRUE(SameFloat(fix.value("lon"), lon));
    char shortest[32];
    *std::to_chars(shortest, shortest + 31, lat).ptr = '\0';
    EXPECT_TRUE(tables["fixes"][2].raw.contains(QByteArray("\"lat\":") + shortest + ','));
    EXPECT_TRUE(tables["fixes"][0].raw.contains("\"lat\":45,\"lon\":5,"));
    EXPECT_EQ(fix.value("selected").toInt(-1), 1);
    EXPECT_EQ(tables["fixes"][1].object.value("comment").toString(), "second");

    // Routes: grouped lines, points by name (the later of two fixes of one name).
    const QJsonObject sid = tables["sid"][0].object;
    EXPECT_EQ(sid.value("name").toString(), Pad("SID ONE", 25));
    EXPECT_EQ(sid.value("selected").toInt(-1), 0);
    const QJsonArray segments = sid.value("segments").toArray();
    ASSERT_EQ(segments.size(), 2);
    const QJsonArray first = segments[0].toArray();
    ASSERT_EQ(first.size(), 4);
    EXPECT_TRUE(SameFloat(first[0], Coordinate("N045.43.32.000")));
    EXPECT_TRUE(SameFloat(first[2], lat));
    EXPECT_TRUE(SameFloat(first[3], lon));
    EXPECT_TRUE(SameFloat(segments[1].toArray()[2], 45.75f));

    const QJsonObject land = tables["geo"][0].object;
    EXPECT_EQ(land.value("color").toString(), "#303030");
    EXPECT_EQ(land.value("detail").toInt(0), -1);
    EXPECT_EQ(land.value("color_name").toString(), "LAND");
    EXPECT_EQ(tables["geo"][2].object.value("color").toString(), "#000000");
    EXPECT_EQ(tables["geo"][2].object.value("color_name").toString(), "");
    EXPECT_EQ(tables["taxiways"][0].object.value("label").toString(), "A1");
    EXPECT_EQ(tables["defines"][1].object.value("name").toString(), "SEA");
    EXPECT_EQ(tables["defines"][1].object.value("value").toString(), "16711680");
}

TEST_F(ZazTool, SettingsComeFromTheGivenFolderOrTheCurrentOne)
{
    const QString ini = QStringLiteral("[detail]\nCOAST=$000000FF\nTAXIWAY=clLime\n"
                                       "[sector]\nliste_fix=010\nliste_sid=01\n");
    env.Write(QStringLiteral("conf/ZAZ.ini"), ini);
    const QString conf = env.path(QStringLiteral("conf"));
    const ToolRun viaOption = RunTool({"sector", "dump", sector(), "--settings", conf}, env.dir());
    const ToolRun viaCurrent = RunTool({"sector", "dump", sector()}, conf);
    ASSERT_EQ(viaOption.exitCode, 0) << viaOption.err.toStdString();
    ASSERT_EQ(viaCurrent.exitCode, 0) << viaCurrent.err.toStdString();
    EXPECT_EQ(viaOption.out, viaCurrent.out);

    auto tables = ParseDump(viaOption.out);
    const QJsonObject coast = tables["geo"][1].object;
    EXPECT_EQ(coast.value("color").toString(), "#ff0000");
    EXPECT_EQ(coast.value("detail").toInt(-1), 0);
    EXPECT_EQ(coast.value("color_name").toString(), "COAST");
    EXPECT_EQ(tables["taxiways"][0].object.value("detail").toInt(-1), 1);
    const int fixSelected[] = {0, 1, 0};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(tables["fixes"][i].object.value("selected").toInt(-1), fixSelected[i]) << i;
    EXPECT_EQ(tables["sid"][0].object.value("selected").toInt(-1), 0);
    EXPECT_EQ(tables["sid"][1].object.value("selected").toInt(-1), 1);

    // Without ZAZ.ini: no detail colours, every fix selected, no procedure.
    tables = ParseDump(RunTool({"sector", "dump", sector()}, env.dir()).out);
    EXPECT_EQ(tables["geo"][1].object.value("color").toString(), "#000000");
    EXPECT_EQ(tables["geo"][1].object.value("detail").toInt(0), -1);
    EXPECT_EQ(tables["fixes"][0].object.value("selected").toInt(-1), 1);
}

TEST_F(ZazTool, SaveThenLoadGivesTheSameElements)
{
    const QString plain = env.path("plain.sct"), all = env.path("all.sct");
    ASSERT_EQ(RunTool({"sector", "save", sector(), plain}, env.dir()).exitCode, 0);
    const ToolRun saveAll = RunTool({"sector", "save", "--select-all", sector(), all}, env.dir());
    ASSERT_EQ(saveAll.exitCode, 0) << saveAll.err.toStdString();
    EXPECT_TRUE(saveAll.out.isEmpty());

    // Procedures and airways are written only when selected.
    const QJsonObject plainCounts = ParseObject(RunTool({"sector", "check", plain}, env.dir()).out).value("counts").toObject();
    EXPECT_EQ(plainCounts.value("sid").toInt(-1), 0);
    EXPECT_EQ(plainCounts.value("fixes").toInt(-1), 3);
    const QJsonObject check = ParseObject(RunTool({"sector", "check", all}, env.dir()).out);
    EXPECT_EQ(check.value("tolerant_lines").toInt(-1), 0);
    EXPECT_EQ(check.value("identity").toObject().value("name").toString(), "Test sector");

    const auto before = ParseDump(RunTool({"sector", "dump", sector()}, env.dir()).out);
    const auto after = ParseDump(RunTool({"sector", "dump", all}, env.dir()).out);
    auto close = [](const QJsonValue &a, const QJsonValue &b) {
        const double x = a.toDouble(), y = b.toDouble();
        return a.isDouble() && b.isDouble() && std::abs(x - y) <= 1.0 / 3600000 + std::abs(x) * FLT_EPSILON;
    };
    const QMap<QString, QStringList> coordinates = {
        {"vor", {"lat", "lon"}}, {"ndb", {"lat", "lon"}}, {"fixes", {"lat", "lon"}},
        {"airports", {"lat", "lon"}}, {"runways", {"lat", "lon", "opposite_lat", "opposite_lon"}},
        {"geo", {"lat1", "lon1", "lat2", "lon2"}}};
    for (auto it = coordinates.begin(); it != coordinates.end(); ++it) {
        ASSERT_EQ(after[it.key()].size(), before[it.key()].size()) << it.key().toStdString();
        for (int i = 0; i < before[it.key()].size(); ++i)
            for (const QString &field : it.value())
                EXPECT_TRUE(close(before[it.key()][i].object.value(field), after[it.key()][i].object.value(field)))
                    << it.key().toStdString() << " " << i << " " << field.toStdString();
    }
    for (const QString &table : kTables.mid(6, 7)) {
        ASSERT_EQ(after[table].size(), before[table].size()) << table.toStdString();
        for (int i = 0; i < before[table].size(); ++i) {
            const QJsonArray a = before[table][i].object.value("segments").toArray();
            const QJsonArray b = after[table][i].object.value("segments").toArray();
            ASSERT_EQ(a.size(), b.size()) << table.toStdString();
            for (int s = 0; s < a.size(); ++s)
                for (int k = 0; k < 4; ++k)
                    EXPECT_TRUE(close(a[s].toArray()[k], b[s].toArray()[k])) << table.toStdString() << " " << s;
        }
    }
}

TEST_F(ZazTool, BadArgumentsAndUnreadableFilesGiveOneErrorLine)
{
    const QString file = sector();
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
    };
    for (const Case &c : cases) {
        const ToolRun run = RunTool(c.arguments, env.dir());
        const std::string what = c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, c.code) << what;
        EXPECT_TRUE(run.out.isEmpty()) << what;
        EXPECT_TRUE(run.err.startsWith("zaz-tool : ")) << what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.err.endsWith('\n') && run.err.count('\n') == 1) << what << ": " << run.err.toStdString();
    }
    const ToolRun missing = RunTool({"sector", "check", env.path("missing.sct")}, env.dir());
    EXPECT_TRUE(missing.err.contains("missing.sct"));
}

TEST_F(ZazTool, HelpPrintsTheUsage)
{
    for (const QStringList &arguments : {QStringList{"--help"}, QStringList{"sector", "check", "--help"}}) {
        const ToolRun run = RunTool(arguments, env.dir());
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.err.isEmpty());
        EXPECT_TRUE(run.out.contains("zaz-tool sector check FICHIER [--settings DOSSIER]"));
        EXPECT_TRUE(run.out.contains("zaz-tool sector save"));
    }
}

namespace {

// Five fixes on a line, a high airway AWY from AAA to EEE through every fix, and a low
// airway LWY of one segment from AAA to CCC.
QString AirwaySector()
{
    return QStringLiteral("[INFO]\nRoute test\nLFXX_CTR\nLFXX\nN045.20.00.000\nE005.20.00.000\n60\n42\n0\n1\n"
                          "[FIXES]\n"
                          "AAA   N045.00.00.000 E005.00.00.000\n"
                          "BBB   N045.10.00.000 E005.10.00.000\n"
                          "CCC   N045.20.00.000 E005.20.00.000\n"
                          "DDD   N045.30.00.000 E005.30.00.000\n"
                          "EEE   N045.40.00.000 E005.40.00.000\n"
                          "[HIGH AIRWAY]\n")
           + RouteLine(QStringLiteral("AWY"), QStringLiteral("AAA"), QStringLiteral("BBB"))
           + RouteLine(QString(), QStringLiteral("BBB"), QStringLiteral("CCC"))
           + RouteLine(QString(), QStringLiteral("CCC"), QStringLiteral("DDD"))
           + RouteLine(QString(), QStringLiteral("DDD"), QStringLiteral("EEE"))
           + QStringLiteral("[LOW AIRWAY]\n") + RouteLine(QStringLiteral("LWY"), QStringLiteral("AAA"), QStringLiteral("CCC"));
}

// The expected point: a fix name ("" for 0/0), the element index and its text.
struct ExpectedPoint {
    const char *fix;
    int element;
    const char *text;
};

void ExpectPoints(const QJsonArray &points, std::initializer_list<ExpectedPoint> expected)
{
    static const QMap<QString, QPair<const char *, const char *>> kFixes = {
        {"AAA", {"N045.00.00.000", "E005.00.00.000"}}, {"BBB", {"N045.10.00.000", "E005.10.00.000"}},
        {"CCC", {"N045.20.00.000", "E005.20.00.000"}}, {"DDD", {"N045.30.00.000", "E005.30.00.000"}},
        {"EEE", {"N045.40.00.000", "E005.40.00.000"}}};
    ASSERT_EQ(points.size(), qsizetype(expected.size()));
    int k = 0;
    for (const ExpectedPoint &e : expected) {
        const QJsonObject p = points[k].toObject();
        const auto position = kFixes.value(QString::fromLatin1(e.fix));
        const float lat = *e.fix ? Coordinate(position.first) : 0.0f;
        const float lon = *e.fix ? Coordinate(position.second) : 0.0f;
        EXPECT_TRUE(SameFloat(p.value("lat"), lat)) << "point " << k << " " << e.fix;
        EXPECT_TRUE(SameFloat(p.value("lon"), lon)) << "point " << k << " " << e.fix;
        EXPECT_EQ(p.value("element").toInt(-1), e.element) << "point " << k;
        EXPECT_EQ(p.value("text").toString(), QString::fromLatin1(e.text)) << "point " << k;
        ++k;
    }
}

class ZazToolRoutes : public ::testing::Test {
protected:
    void SetUp() override { env.Write(QStringLiteral("airways.sct"), AirwaySector()); }
    QJsonObject Route(const QString &route, QByteArray *raw = nullptr)
    {
        const ToolRun run = RunTool({"route", "--sector", env.path(QStringLiteral("airways.sct")), route}, env.dir());
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.isEmpty());
        if (raw)
            *raw = run.out;
        return ParseObject(run.out);
    }
    TestEnv env;
};

QStringList Texts(const QJsonValue &array)
{
    QStringList texts;
    for (const QJsonValue &v : array.toArray())
        texts << v.toString();
    return texts;
}

} // namespace

TEST_F(ZazToolRoutes, AirwaysExpandInBothDirectionsBetweenTheirFixes)
{
    QByteArray raw;
    QJsonObject o = Route(QStringLiteral("BBB/AWY/DDD"), &raw);
    QStringList keys = {"fields", "points"};
    for (int i = 0; i < 4; ++i)
        keys << QStringList{"lat", "lon", "element", "text"};
    keys << "selected_airways";
    EXPECT_EQ(KeysInOrder(raw), keys);
    EXPECT_EQ(Texts(o.value("fields")), (QStringList{"BBB", "AWY", "DDD"}));
    ExpectPoints(o.value("points").toArray(),
                 {{"BBB", 0, "BBB"}, {"BBB", 1, "AWY"}, {"CCC", 1, "AWY"}, {"DDD", 2, "DDD"}});
    EXPECT_EQ(Texts(o.value("selected_airways")), QStringList{"AWY"});

    o = Route(QStringLiteral("DDD/AWY/BBB"));
    ExpectPoints(o.value("points").toArray(),
                 {{"DDD", 0, "DDD"}, {"CCC", 1, "AWY"}, {"BBB", 1, "AWY"}, {"BBB", 2, "BBB"}});

    // No segment starts at EEE: the airway stays a point without position, still selected.
    o = Route(QStringLiteral("EEE/AWY/AAA"));
    ExpectPoints(o.value("points").toArray(), {{"EEE", 0, "EEE"}, {"", 1, "AWY"}, {"AAA", 2, "AAA"}});
    EXPECT_EQ(Texts(o.value("selected_airways")), QStringList{"AWY"});

    o = Route(QStringLiteral("LWY/CCC"));
    ExpectPoints(o.value("points").toArray(), {{"", 0, "LWY"}, {"CCC", 1, "CCC"}});
    EXPECT_EQ(Texts(o.value("selected_airways")), QStringList{"LWY"});
}

TEST_F(ZazToolRoutes, RouteIsNormalisedAndHighAirwaysListedFirst)
{
    const QJsonObject o = Route(QStringLiteral("AAA-LWY CCC,AWY  EEE XYZ"));
    EXPECT_EQ(Texts(o.value("fields")), (QStringList{"AAA", "LWY", "CCC", "AWY", "EEE", "XYZ"}));
    // LWY has a single segment from AAA to CCC: nothing lies between them.
    ExpectPoints(o.value("points").toArray(), {{"AAA", 0, "AAA"},
                                               {"CCC", 2, "CCC"},
                                               {"CCC", 3, "AWY"},
                                               {"DDD", 3, "AWY"},
                                               {"EEE", 4, "EEE"},
                                               {"", 5, "XYZ"}});
    EXPECT_EQ(Texts(o.value("selected_airways")), (QStringList{"AWY", "LWY"}));

    const QJsonObject none = Route(QStringLiteral("AAA/CCC"));
    EXPECT_TRUE(none.value("selected_airways").isArray());
    EXPECT_TRUE(none.value("selected_airways").toArray().isEmpty());
}

TEST_F(ZazToolRoutes, PlanPrintsTheListsAndTheRoute)
{
    const QString plan = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<SimBase.Document Type=\"AceXML\" version=\"1,0\">\r\n"
        "    <FlightPlan.FlightPlan>\r\n"
        "        <Title>LFLL to LFPG</Title>\r\n"
        "        <FPType>IFR</FPType>\r\n"
        "        <CruisingAlt>34000</CruisingAlt>\r\n");
    auto waypoint = [](const char *id, const char *type) {
        return QStringLiteral("        <ATCWaypoint id=\"%1\">\r\n"
                              "            <ATCWaypointType>%2</ATCWaypointType>\r\n"
                              "            <ICAO>\r\n"
                              "                <ICAOIdent>%1</ICAOIdent>\r\n"
                              "            </ICAO>\r\n"
                              "        </ATCWaypoint>\r\n")
            .arg(QLatin1String(id), QLatin1String(type));
    };
    const QString text = plan + waypoint("LFLL", "Airport") + waypoint("MOLUS", "Intersection")
                         + waypoint("N45/E5", "User") + waypoint("LFPG", "Airport")
                         + QStringLiteral("    </FlightPlan.FlightPlan>\r\n</SimBase.Document>\r\n");
    QFile file(env.path(QStringLiteral("route.PLN")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBF" + text.toUtf8());
    file.close();

    const ToolRun run = RunTool({"plan", env.path(QStringLiteral("route.PLN"))}, env.dir());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(KeysInOrder(run.out), (QStringList{"display", "waypoints", "route"}));
    const QJsonObject o = ParseObject(run.out);
    EXPECT_EQ(Texts(o.value("display")), (QStringList{"LFLL to LFPG  IFR  34000ft", "0:  LFLL  Airport",
                                                      "1:  MOLUS  Intersection", "2:  N45/E5  User",
                                                      "3:  LFPG  Airport"}));
    EXPECT_EQ(Texts(o.value("waypoints")), (QStringList{"LFLL", "MOLUS", "N45/E5", "LFPG"}));
    EXPECT_EQ(o.value("route").toString(), "MOLUS/N45/E5");

    // Not an XML plan: empty lists and an empty route.
    env.Write(QStringLiteral("other.PLN"), QStringLiteral("[flightplan]\nwaypoint.0=LFLL\n"));
    const QJsonObject other = ParseObject(RunTool({"plan", env.path(QStringLiteral("other.PLN"))}, env.dir()).out);
    EXPECT_TRUE(Texts(other.value("waypoints")).isEmpty());
    EXPECT_EQ(other.value("route").toString("?"), "");
}

TEST_F(ZazToolRoutes, BadRouteAndPlanArgumentsGiveOneErrorLine)
{
    const QString sector = env.path(QStringLiteral("airways.sct"));
    QFile big(env.path(QStringLiteral("big.PLN")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write("<?xml?>\r\n" + QByteArray(5 * 1024 * 1024, ' '));
    big.close();
    struct Case {
        QStringList arguments;
        int code;
    } cases[] = {
        {{"route", "BBB/AWY/DDD"}, 2},
        {{"route", "--sector", sector}, 2},
        {{"route", "--sector", sector, "BBB", "DDD"}, 2},
        {{"route", "--sector", env.path("missing.sct"), "BBB"}, 1},
        {{"route", "--sector", sector, "--settings", env.path("nowhere"), "BBB"}, 1},
        {{"plan"}, 2},
        {{"plan", "a.PLN", "b.PLN"}, 2},
        {{"plan", env.path("missing.PLN")}, 1},
        {{"plan", env.dir()}, 1},
        {{"plan", env.path("big.PLN")}, 1},
    };
    for (const Case &c : cases) {
        const ToolRun run = RunTool(c.arguments, env.dir());
        const std::string what = c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, c.code) << what;
        EXPECT_TRUE(run.out.isEmpty()) << what;
        EXPECT_TRUE(run.err.startsWith("zaz-tool : ")) << what << ": " << run.err.toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << what << ": " << run.err.toStdString();
    }
    const ToolRun help = RunTool({"route", "--help"}, env.dir());
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("zaz-tool route --sector FICHIER [--settings DOSSIER] ROUTE"));
    EXPECT_TRUE(help.out.contains("zaz-tool plan FICHIER.PLN"));
}

namespace {

// A capture after the login of ZAZ_OBS: two positions of one aircraft, its plan, a
// controller, a text on COM1 (the small sector's airport is on 118.100), a strip then the
// handoff acceptance that sends it back, weather lines, a filed plan and a bad position.
QString Capture()
{
    QString row = QStringLiteral("012") + QStringLiteral("10:15:30") + QStringLiteral("A003050YYN")
                  + QStringLiteral("BULOL270120NNNNNI250TWR") + QStringLiteral("D") + QStringLiteral("LFMN_APP")
                  + QStringLiteral("007") + QStringLiteral(" 4") + QStringLiteral("   ");
    row.replace(QLatin1Char(':'), QLatin1Char('/'));
    return QStringLiteral("@N:AFR1:1200:1:45.72:5.08:35000:450:90:0\n"
                          "@S:AFR1:7700:1:45.80:5.10:36000:460:95:0\n"
                          "$FPAFR1:ZAZ_OBS:I:B738:450:LFLL:1200:1205:FL350:LFPG:1:05:3:00:LFPO:/v/:ABCDE FGHIJ\n"
                          "%LFMN_APP:27500:4:100:5:43.66:7.21:0\n"
                          "#TMLFMN_APP:@18100:sur COM1\n"
                          "#TMLFMN_APP:ZAZ_OBS:~STRIP")
           + row
           + QStringLiteral("AFR1\n"
                            "$HALFMN_APP:ZAZ_OBS:AFR1\n"
                            "#TDserver:ZAZ_OBS:1000:15\n"
                            "#WDserver:ZAZ_OBS:3000:0:270:15:1:0\n"
                            "#CDserver:ZAZ_OBS:4000:2000:SCT:0:1\n"
                            "$ARserver:ZAZ_OBS:METAR:LFLL 061200Z 27015KT Q1013\n"
                            "$DEPOTFP:ZAZ_OBS:BAW2:I:A320:450:LFLL:1200:0905:350:LFPG:1:05:3:00:LFPO:rmk:DCT\n"
                            "@N:BAD1:1200:1:45:5:FL350:450:90:0\n");
}

QStringList ReplayKeys()
{
    const QStringList wind = {"altitude", "temperature", "direction", "sectorStart", "sectorEnd", "speed",
                              "unit",     "gust",        "depth",     "turbulence",  "shear"};
    return QStringList{"traffic", "index", "live", "callsign", "squawk", "lat", "lon", "altitude",
                       "prevAltitude", "groundSpeed", "heading", "transponderMode", "hasFlightPlan", "ifr",
                       "acType", "departure", "destination", "alternate", "tas", "cruiseLevel", "route",
                       "remarks", "routePoints", "nextPoint", "handoffFrom", "handoffState", "hasStrip",
                       "alert", "controllers", "index", "callsign", "frequency", "facilityText", "ratingText",
                       "range", "lat", "lon", "altitude", "inRadioList", "radio", "strips", "stripKeys",
                       "filedPlans", "weather", "station", "time", "rawMetar", "newMetar", "qnh", "altimeter",
                       "pressure", "windUnit", "wind"}
           + wind + QStringList{"windsAloft", "clouds", "height", "cover", "top", "turbulence", "precipIntensity",
                                "precipType", "base", "icing", "temperatures", "temperature", "dewPoint", "altitude",
                                "sent", "errors", "errorLines", "elapsed_ms"};
}

class ZazToolReplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        env.Write(QStringLiteral("small.sct"), SmallSector());
        env.Write(QStringLiteral("ZAZ.ini"), QStringLiteral("[facility]\n4=Tower\n[rating]\n5=C1\n"));
        env.Write(QStringLiteral("capture.txt"), Capture());
    }
    ToolRun Replay(QStringList arguments)
    {
        return RunTool(QStringList{"replay"} + arguments, env.dir());
    }
    TestEnv env;
};

} // namespace

TEST_F(ZazToolReplay, PrintsEverythingTheCaptureChanged)
{
    const ToolRun run = Replay({env.path("capture.txt"), "--sector", env.path("small.sct")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    EXPECT_EQ(KeysInOrder(run.out), ReplayKeys());
    const QJsonObject o = ParseObject(run.out);

    const QJsonArray traffic = o.value("traffic").toArray();
    ASSERT_EQ(traffic.size(), 1) << "the bad position made no aircraft";
    const QJsonObject a = traffic[0].toObject();
    EXPECT_EQ(a.value("callsign").toString(), "AFR1");
    EXPECT_EQ(a.value("live").toInt(), 1);
    EXPECT_EQ(a.value("squawk").toString(), "7700");
    EXPECT_EQ(a.value("transponderMode").toString(), "S");
    EXPECT_EQ(a.value("altitude").toInt(), 36000);
    EXPECT_EQ(a.value("prevAltitude").toInt(), 35000);
    EXPECT_TRUE(SameFloat(a.value("lat"), 45.80f));
    EXPECT_EQ(a.value("heading").toDouble(-1), 0.0) << "an FSD server's heading is not read";
    EXPECT_EQ(a.value("hasFlightPlan").toInt(), 1);
    EXPECT_EQ(a.value("destination").toString(), "LFPG");
    EXPECT_EQ(a.value("route").toString(), "ABCDE/FGHIJ");
    EXPECT_EQ(a.value("routePoints").toInt(), 2);
    EXPECT_EQ(a.value("hasStrip").toInt(), 1);
    EXPECT_EQ(a.value("nextPoint").toInt(), 4);
    EXPECT_EQ(a.value("handoffState").toString(), "A");

    const QJsonObject c = o.value("controllers").toArray().at(0).toObject();
    EXPECT_EQ(c.value("callsign").toString(), "LFMN_APP");
    EXPECT_EQ(c.value("frequency").toString(), "127500");
    EXPECT_EQ(c.value("facilityText").toString(), "Tower");
    EXPECT_EQ(c.value("ratingText").toString(), "C1");
    EXPECT_EQ(c.value("range").toInt(), 100);

    EXPECT_EQ(Texts(o.value("radio")), QStringList{">COM1:LFMN_APP:sur COM1"});
    const QStringList strips = Texts(o.value("strips"));
    ASSERT_EQ(strips.size(), 1);
    EXPECT_EQ(strips[0].size(), 61);
    EXPECT_TRUE(strips[0].startsWith("00012:00:00A003050YYNBULOL")) << "the replay's clock starts at noon";
    EXPECT_EQ(strips[0].mid(44, 9), "ALFMN_APP");
    EXPECT_EQ(Texts(o.value("stripKeys")), QStringList{"000"});
    EXPECT_EQ(Texts(o.value("filedPlans")),
              QStringList{"BAW2\t1200\tIFR\tA320\tLFLL\tDCT\tLFPG\tFL350\t450kts\tZ09:05\trmk"});

    const QJsonObject w = o.value("weather").toObject();
    EXPECT_EQ(w.value("time").toString(), "01/01/2000 12:00:00");
    EXPECT_EQ(w.value("rawMetar").toString(), "LFLL 061200Z 27015KT Q1013");
    EXPECT_EQ(w.value("newMetar").toInt(), 1);
    EXPECT_EQ(w.value("qnh").toString(), "1013");
    EXPECT_EQ(w.value("altimeter").toString(), "29.92");
    EXPECT_EQ(w.value("pressure").toString(), "1013mb");
    EXPECT_EQ(w.value("windUnit").toString(), "KT");
    EXPECT_EQ(w.value("wind").toObject().value("direction").toString(), "270");
    EXPECT_EQ(w.value("wind").toObject().value("unit").toString(), "KT");
    EXPECT_EQ(w.value("clouds").toArray().at(0).toObject().value("cover").toString(), "1,0,SCT");
    EXPECT_EQ(w.value("temperatures").toArray().at(0).toObject().value("temperature").toString(), "15");

    const QStringList sent = Texts(o.value("sent"));
    ASSERT_EQ(sent.size(), 2);
    EXPECT_EQ(sent[0], "$CQZAZ_OBS:SERVER:FP:AFR1");
    QString row = strips[0];
    EXPECT_EQ(sent[1], "#TMZAZ_OBS:LFMN_APP:~STRIP" + row.replace(':', '/') + "AFR1");
    EXPECT_EQ(o.value("errors").toInt(), 1);
    EXPECT_EQ(Texts(o.value("errorLines")), QStringList{"@N:BAD1:1200:1:45:5:FL350:450:90:0"});
    EXPECT_TRUE(o.value("elapsed_ms").isDouble());
}

TEST_F(ZazToolReplay, OwnCallsignServerTypeAndLineEnds)
{
    const QByteArray lines = "@N:AFR1:1200:1:45.72:5.08:35000:450:90:0\n"
                             "#TMLFMN_APP:LFLL_TWR:pour la tour\n"
                             "#TMLFMN_APP:@18100:sur COM1\n"
                             "#TMLFMN_APP:ZAZ_OBS:pas pour moi";
    auto write = [&](const char *name, const QByteArray &bytes) {
        QFile file(env.path(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write("lf.txt", lines);
    write("crlf.txt", QByteArray(lines).replace("\n", "\r\n") + "\r\n");
    write("cr.txt", QByteArray(lines).replace('\n', '\r'));

    QJsonObject first;
    for (const char *name : {"lf.txt", "crlf.txt", "cr.txt"}) {
        const ToolRun run = Replay({env.path(QString::fromLatin1(name)), "--own", "LFLL_TWR", "--server-type",
                                    "VIREO-SERVER"});
        ASSERT_EQ(run.exitCode, 0) << name << ": " << run.err.toStdString();
        QJsonObject o = ParseObject(run.out);
        // Without a sector there is no COM1 channel; a VIREO-SERVER gives the heading.
        EXPECT_EQ(Texts(o.value("radio")), QStringList{">TELE:LFMN_APP:pour la tour"}) << name;
        EXPECT_EQ(Texts(o.value("sent")), QStringList{"$CQLFLL_TWR:SERVER:FP:AFR1"}) << name;
        EXPECT_NEAR(o.value("traffic").toArray().at(0).toObject().value("heading").toDouble(), 1.5707963, 1e-6);
        o.remove("elapsed_ms");
        if (first.isEmpty())
            first = o;
        EXPECT_EQ(o, first) << name << ": every line end gives the same replay";
    }

    // The same capture twice gives the same output, times included.
    const QByteArray one = Replay({env.path("capture.txt"), "--sector", env.path("small.sct")}).out;
    const QByteArray two = Replay({env.path("capture.txt"), "--sector", env.path("small.sct")}).out;
    EXPECT_EQ(one.left(one.indexOf("\"elapsed_ms\"")), two.left(two.indexOf("\"elapsed_ms\"")));
}

TEST_F(ZazToolReplay, BadArgumentsGiveOneErrorLine)
{
    const QString capture = env.path("capture.txt");
    struct Case {
        QStringList arguments;
        int code;
    } cases[] = {
        {{}, 2},
        {{capture, "--server-type", "IRC"}, 2},
        {{capture, "--own"}, 2},
        {{capture, capture}, 2},
        {{env.path("missing.txt")}, 1},
        {{env.dir()}, 1},
        {{capture, "--sector", env.path("missing.sct")}, 1},
        {{capture, "--settings", env.path("nowhere")}, 1},
    };
    for (const Case &c : cases) {
        const ToolRun run = Replay(c.arguments);
        const std::string what = c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, c.code) << what;
        EXPECT_TRUE(run.out.isEmpty()) << what;
        EXPECT_TRUE(run.err.startsWith("zaz-tool : ")) << what << ": " << run.err.toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << what << ": " << run.err.toStdString();
    }
    const ToolRun help = Replay({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("zaz-tool replay FICHIER [--server-type FSD|VIREO-SERVER]"));
}
