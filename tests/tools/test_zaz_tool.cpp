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
