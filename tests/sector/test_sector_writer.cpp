#include "sector/SectorWriter.h"

#include "sector/Coordinates.h"
#include "sector/SectorReader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <sys/resource.h>

using namespace zaz;

namespace {

ROUTE Route(const QString &name, bool selected, QList<RouteSegment> segments)
{
    return ROUTE{name, std::move(segments), std::uint8_t(selected ? 1 : 0)};
}

// A small sector with one or two of everything, all coordinates exact in binary.
struct Sample {
    SectorTables tables;
    SectorIdentity identity;

    Sample()
    {
        identity.infoLines = {"Lyon demo", "LFLL_APP", "LFLL", "N045.43.32.000", "E005.04.52.000",
                              "60", "42", "1", "-2.1", "not written"};
        tables.defines = {{"GRAY", "3158064"}};
        tables.vors = {{"LY", "114.750", 45.5f, 5.25f, 0, "Lyon St-Exupéry"}};
        tables.ndbs = {{"LYONXX", "338", -45.75f, -0.5f, 0, ""}};
        tables.fixes = {{"BENOT", 46.0f, 4.875f, 1, "x"}, {"MOLUS", 45.0f, 5.0f, 0, ""}};
        Airport lfll;
        lfll.identifier = "LFLL", lfll.frequency = "120.450", lfll.airspaceClass = "C";
        lfll.latitude = 45.75f, lfll.longitude = 5.0f;
        tables.airports = {lfll};
        tables.runways = {{"18L", "36R", "177", "357", 45.75f, 5.0f, 45.5f, 5.0f, "main"}};
        tables.sids = {Route("LSE1A", true, {{45, 5, 45.5f, 5}, {45.5f, 5, 45.5f, 5.5f}, {45.5f, 5.5f, 46, 5.5f}}),
                       Route("XXX1A", false, {{45, 5, 45.5f, 5}})};
        tables.highAirways = {Route("UM730", false, {{45, 5, 46, 5}})};
        tables.artcc = {Route("LYON", false, {{45, 5, 45.5f, 5}, {45.5f, 5, 45.5f, 5.5f}})};
        GEO g;
        g.lat1 = 45.5f, g.lon1 = 5.0f, g.lat2 = 45.75f, g.lon2 = 5.25f, g.colourName = "GRAY";
        tables.geo = {g};
        tables.taxiways = {Taxiway{"A", 45, 5, -1}};
    }

    QStringList write(const WriterProgress &progress = {}) const
    {
        QStringList lines;
        WriteSector(tables, identity, "lyon.sct", lines, progress);
        return lines;
    }
};

const QString S = ";";

} // namespace

TEST(SectorWriter, CoordinateTextsTruncateEveryStep)
{
    EXPECT_EQ(LatitudeText(0), "S000.00.00.000");
    EXPECT_EQ(LatitudeText(45.5f), "N045.30.00.000");
    EXPECT_EQ(LongitudeText(-0.5f), "W000.30.00.000");
    // Just below 1: 59' 59.9997" is cut, never rounded up to one degree.
    EXPECT_EQ(LatitudeText(0.99999994f), "N000.59.59.999");
}

TEST(SectorWriter, WholeFileLayoutAndProgress)
{
    const QString seg1 = "N045.00.00.000 E005.00.00.000 N045.30.00.000 E005.00.00.000";
    const QString seg2 = "N045.30.00.000 E005.00.00.000 N045.30.00.000 E005.30.00.000";
    const QStringList expected = {
        "; Ce fichier secteur a été modifié par le logiciel ZAZ",
        "; à partir du fichier secteur original: lyon.sct",
        S, S, S, "[INFO]", "Lyon demo", "LFLL_APP", "LFLL", "N045.43.32.000", "E005.04.52.000", "60", "42", "1", "-2.1",
        S, S, S, "#define GRAY 3158064",
        S, S, S, "[VOR]", "LY   114.750 N045.30.00.000 E005.15.00.000 ;Lyon St-Exupéry",
        S, S, S, "[NDB]", "LYONXX 338     S045.45.00.000 W000.30.00.000 ;",
        S, S, S, "[FIXES]", "BENOT N046.00.00.000 E004.52.30.000 ;x",
        S, S, S, "[AIRPORT]", "LFLL 120.450 N045.45.00.000 E005.00.00.000 C ;",
        S, S, S, "[RUNWAY]", "18L 36R 177 357 N045.45.00.000 E005.00.00.000 N045.30.00.000 E005.00.00.000 ;main",
        S, S, S, "[SID]",
        "LSE1A                     " + seg1,
        "                          " + seg2,
        "                          N045.30.00.000 E005.30.00.000 N046.00.00.000 E005.30.00.000",
        S, S, S, "[STAR]",
        S, S, S, "[LOW AIRWAY]",
        S, S, S, "[HIGH AIRWAY]",
        S, S, S, "[ARTCC]", "LYON                      " + seg1, "                          " + seg2,
        S, S, S, "[ARTCC LOW]",
        S, S, S, "[ARTCC HIGH]",
        S, S, S, "[GEO]", "N045.30.00.000 E005.00.00.000 N045.45.00.000 E005.15.00.000 GRAY",
        S, S,
    };
    QList<int> counts;
    const QStringList lines = Sample().write([&](int n) { counts << n; });
    EXPECT_EQ(lines, expected) << lines.join('\n').toStdString();

    // The running line count after each element: after the VOR, after the whole SID.
    EXPECT_EQ(counts.last(), lines.size());
    EXPECT_TRUE(std::is_sorted(counts.begin(), counts.end()));
    EXPECT_TRUE(counts.contains(lines.indexOf("[VOR]") + 2));
    EXPECT_TRUE(counts.contains(lines.indexOf("[SID]") + 4));
    EXPECT_FALSE(counts.contains(lines.indexOf("[SID]") + 2));
}

// What the writer produces is what the reader reads: coordinates to the thousandth of a
// second (truncated), and no fixes when none was selected.
TEST(SectorWriter, WrittenSectorReadsBack)
{
    Sample s;
    s.tables.fixes[0].latitude = 46.123456f;
    s.tables.vors[0].longitude = -12.345678f;
    SectorReadSettings settings;
    settings.selections.sids = "1";
    SectorLoadResult read = ReadSectorText(s.write().join("\r\n"), settings);
    ASSERT_EQ(read.tables.fixes.size(), 1);
    EXPECT_EQ(LatitudeText(read.tables.fixes[0].latitude), LatitudeText(46.123456f));
    ASSERT_EQ(read.tables.vors.size(), 1);
    EXPECT_EQ(LongitudeText(read.tables.vors[0].longitude), LongitudeText(-12.345678f));
    ASSERT_EQ(read.tables.sids.size(), 1);
    EXPECT_EQ(read.tables.sids[0].segments.size(), 3);
    EXPECT_EQ(read.tables.artcc.size(), 1);
    EXPECT_EQ(read.tables.geo.size(), 1);

    for (FIXE &f : s.tables.fixes)
        f.selected = 0;
    const QStringList lines = s.write();
    const qsizetype fixes = lines.indexOf("[FIXES]");
    EXPECT_EQ(lines.mid(fixes + 1, 4), QStringList({S, S, S, "[AIRPORT]"}));
    EXPECT_TRUE(ReadSectorText(lines.join("\r\n"), settings).tables.fixes.isEmpty());
}

TEST(SectorWriter, SaveLinesWritesWindows1252WithCrLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.sct");
    QString error = "stale";
    ASSERT_TRUE(SaveLines(path, {"; modifié", "", "[VOR]"}, error));
    EXPECT_TRUE(error.isEmpty());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("; modifi\xE9\r\n\r\n[VOR]\r\n"));

    EXPECT_FALSE(SaveLines(dir.filePath("nowhere/out.sct"), {"x"}, error));
    EXPECT_TRUE(error.contains("out.sct") && error.contains("n'existe pas")) << error.toStdString();
}

// A full disk, imitated with the file size limit of the process: the old file must stay
// whole and no temporary file may remain.
TEST(SectorWriter, FailedSaveLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.sct");
    const QByteArray old = "[INFO]\r\nold\r\n";
    QString error;
    ASSERT_TRUE(SaveLines(path, {"[INFO]", "old"}, error));

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = SaveLines(path, QStringList(100, QString(60, 'x')), error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_TRUE(error.contains(path) && error.contains("disque plein")) << error.toStdString();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"out.sct"}));
}

// Names read from free-form lines that begin like a comment or a header, and coordinates
// far outside the world, still make a file that reads back with every element.
TEST(SectorWriter, OddNamesAndAbsurdCoordinatesSurviveTheRoundTrip)
{
    Sample s;
    s.tables.vors[0].identifier = "#AB";
    s.tables.fixes[0].name = "[X";
    s.tables.ndbs[0].latitude = 1e24f;
    const QStringList lines = s.write();
    EXPECT_TRUE(lines.contains(QStringLiteral(" #AB 114.750 N045.30.00.000 E005.15.00.000 ;Lyon St-Exupéry")));
    const SectorLoadResult read = ReadSectorText(lines.join("\r\n"), {});
    ASSERT_EQ(read.tables.vors.size(), 1);
    EXPECT_EQ(read.tables.vors[0].identifier.trimmed(), "#AB");
    ASSERT_EQ(read.tables.fixes.size(), 1);
    EXPECT_EQ(read.tables.fixes[0].name.trimmed(), "[X");
    EXPECT_EQ(read.tables.ndbs.size(), 1);
}
