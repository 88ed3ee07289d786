// The sector writer: its layout, what the reader reads back by columns, and saving.
#include "sector/SectorWriter.h"

#include "sector/Coordinates.h"
#include "sector/SectorReader.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace zaz {
namespace {

// A small sector with one or two of everything, all coordinates exact in binary.
struct Sample {
    SectorTables tables;
    SectorIdentity identity;

    Sample()
    {
        identity.infoLines = {"Lyon demo", "LFLL_APP", "LFLL", "N045.43.32.000", "E005.04.52.000", "60", "42", "1",
                              "-2.1"};
        tables.defines = {{"GRAY", "3158064"}};
        tables.vors = {{"LY", "114.750", 45.5f, 5.25f, 0, "Lyon St-Exupéry"}};
        tables.ndbs = {{"LYONX", "338", -45.75f, -0.5f, 0, ""}};
        tables.fixes = {{"BENOT", 46.0f, 4.875f, 1, "x"}, {"MOLUS", 45.0f, 5.0f, 0, ""}};
        tables.airports = {Airport{"LFLL", "120.450", 45.75f, 5.0f, "C", {}, 0, 0, {}, 0, {}, {}}};
        tables.runways = {{"18L", "36R", "177", "357", 45.75f, 5.0f, 45.5f, 5.0f, "main"}};
        tables.sids = {ROUTE{"LSE1A", {{45, 5, 45.5f, 5}, {45.5f, 5, 45.5f, 5.5f}}, 1},
                       ROUTE{"XXX1A", {{45, 5, 45.5f, 5}}, 0}};
        tables.highAirways = {ROUTE{"UM730", {{45, 5, 46, 5}}, 0}};
        tables.artcc = {ROUTE{"LYON", {{45, 5, 45.5f, 5}}, 0}}; // boundaries are always written
        tables.geo = {GEO{45.5f, 5.0f, 45.75f, 5.25f, 0, -1, "GRAY"}};
        tables.taxiways = {Taxiway{"A", 45, 5, -1}};
    }
};

TEST(SectorWriter, LayoutAndProgress)
{
    const Sample s;
    QList<int> counts;
    QStringList lines;
    WriteSector(s.tables, s.identity, "lyon.sct", lines, [&](int n) { counts << n; });
    EXPECT_EQ(lines.mid(0, 2), QStringList({"; Ce fichier secteur a été modifié par le logiciel ZAZ",
                                            "; à partir du fichier secteur original: lyon.sct"}));
    EXPECT_EQ(lines.filter(QRegularExpression("^[[#]")),
              QStringList({"[INFO]", "#define GRAY 3158064", "[VOR]", "[NDB]", "[FIXES]", "[AIRPORT]", "[RUNWAY]",
                           "[SID]", "[STAR]", "[LOW AIRWAY]", "[HIGH AIRWAY]", "[ARTCC]", "[ARTCC LOW]",
                           "[ARTCC HIGH]", "[GEO]"}));
    for (const char *line : {"LY   114.750 N045.30.00.000 E005.15.00.000 ;Lyon St-Exupéry",
                             "LYONX 338     S045.45.00.000 W000.30.00.000 ;",
                             "LSE1A                     N045.00.00.000 E005.00.00.000 N045.30.00.000 E005.00.00.000",
                             "                          N045.30.00.000 E005.00.00.000 N045.30.00.000 E005.30.00.000"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(line))) << line;
    EXPECT_EQ(lines.mid(lines.size() - 3),
              QStringList({"N045.30.00.000 E005.00.00.000 N045.45.00.000 E005.15.00.000 GRAY", ";", ";"}));
    // Coordinates: every step truncated, never rounded up to the next degree.
    EXPECT_EQ(LatitudeText(0) + LongitudeText(-0.5f) + LatitudeText(0.99999994f),
              "S000.00.00.000W000.30.00.000N000.59.59.999");
    // The running line count after each element: after a whole route, not after each segment.
    EXPECT_EQ(counts.last(), lines.size());
    EXPECT_TRUE(counts.contains(lines.indexOf("[SID]") + 3));
    EXPECT_FALSE(counts.contains(lines.indexOf("[SID]") + 2));
}

// Read back, every line stands at its columns and the points come back to the thousandth
// of a second; names that begin like a comment or a header (from free-form lines) too.
TEST(SectorWriter, WrittenSectorReadsBackByColumns)
{
    Sample s;
    s.tables.fixes[0].latitude = 46.123456f;
    s.tables.vors[0].longitude = -12.345678f;
    s.tables.vors.append({"#AB", "114.750", 45.5f, 5.25f, 0, ""});
    s.tables.fixes[0].name = "[X";
    SectorReadSettings settings;
    settings.selections.sids = "1";
    QStringList lines;
    WriteSector(s.tables, s.identity, "lyon.sct", lines);
    const SectorLoadResult read = ReadSectorText(lines.join("\r\n"), settings);
    EXPECT_EQ(read.tolerantLines, 0);
    EXPECT_FALSE(read.hasErrors) << read.errorText.toStdString();
    // The fix and the routes not selected are left out; boundaries are kept.
    ASSERT_EQ(QList<qsizetype>({read.tables.vors.size(), read.tables.fixes.size(), read.tables.ndbs.size(),
                                read.tables.airports.size(), read.tables.runways.size(), read.tables.sids.size(),
                                read.tables.highAirways.size(), read.tables.artcc.size(), read.tables.geo.size()}),
              QList<qsizetype>({2, 1, 1, 1, 1, 1, 0, 1, 1}));
    EXPECT_EQ(LongitudeText(read.tables.vors[0].longitude), LongitudeText(-12.345678f));
    EXPECT_EQ(LatitudeText(read.tables.fixes[0].latitude), LatitudeText(46.123456f));
    EXPECT_EQ(read.tables.vors[1].identifier + "|" + read.tables.fixes[0].name, " #AB| [X  ");
}

TEST(SectorWriter, SaveLinesWritesWindows1252WithCrLfOrSaysWhyNot)
{
    QTemporaryDir dir;
    QString error;
    ASSERT_TRUE(SaveLines(dir.filePath("out.sct"), {"; modifié", "", "[VOR]"}, error));
    QFile f(dir.filePath("out.sct"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("; modifi\xE9\r\n\r\n[VOR]\r\n"));
    EXPECT_FALSE(SaveLines(dir.filePath("nowhere/out.sct"), {"x"}, error));
    EXPECT_TRUE(error.contains("out.sct") && error.contains("n'existe pas")) << error.toStdString();
}

} // namespace
} // namespace zaz
