// The sector reader: column cuts, sections, look-ups, selections, errors, the free-form
// reading of real files, and robustness.
#include "core/Codec.h"
#include "state/Settings.h"
#include "sector/Coordinates.h"
#include "sector/SectorReader.h"
#include "sector/SectorWriter.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace zaz;

namespace {

SectorLoadResult Read(const QString &text, const SectorReadSettings &settings = {})
{
    return ReadSectorText(text, settings);
}

// A column-exact point text of 29 characters.
QString Pair(const char *lat, const char *lon)
{
    return QString::fromLatin1(lat) + QLatin1Char(' ') + QString::fromLatin1(lon);
}

QString Route(const QString &name, const QString &a, const QString &b)
{
    return name.leftJustified(25) + QLatin1Char(' ') + a.leftJustified(29) + QLatin1Char(' ') + b;
}

const QString kP1 = Pair("N045.00.00.000", "E005.00.00.000");
const QString kP2 = Pair("N046.00.00.000", "E006.00.00.000");

QString SharedSector(const QString &name)
{
    return QStringLiteral(ZAZ_SOURCE_DIR "/../shared/data/sectors/") + name;
}

} // namespace

TEST(SectorReaderColumns, FieldsCommentsShortLinesAndHeaders)
{
    const QString text = QStringLiteral(
        "[vor]\n"
        "LSE  114.750 N045.33.45.500 E004.48.12.250 ;Saint-Exupery\n"
        "MT\n"
        " [NDB]\n"
        "[NDB]\n"
        "LYE   334.000 S012.30.00.000 W001.15.00.000\n"
        "[AIRPORT]\n"
        "LFLL 127.575 N045.43.32.000 E005.04.52.000 D ;tour\n"
        "[RUNWAY]\n"
        "17R 35L 172 352 N045.44.44.000 E005.04.30.000 N045.42.30.000 E005.05.00.000 ;west\n");
    const SectorLoadResult r = Read(text);
    // " [NDB]" is no header: it is one more VOR line.
    ASSERT_EQ(r.tables.vors.size(), 3);
    EXPECT_EQ(r.tables.vors[2].identifier, " [ND");
    const VOR &lse = r.tables.vors[0];
    EXPECT_EQ(lse.identifier, "LSE ");
    EXPECT_EQ(lse.frequency, "114.750");
    EXPECT_FLOAT_EQ(lse.latitude, float(45 + (33 + (45 + 500 / 1000.0) / 60) / 60));
    EXPECT_FLOAT_EQ(lse.longitude, float(4 + (48 + 12.25 / 60) / 60));
    EXPECT_EQ(lse.comment, "Saint-Exupery");
    // A short line keeps what it has; its coordinates are an error.
    EXPECT_EQ(r.tables.vors[1].identifier, "MT");
    EXPECT_EQ(r.tables.vors[1].comment, "");
    ASSERT_EQ(r.tables.ndbs.size(), 1);
    EXPECT_FLOAT_EQ(r.tables.ndbs[0].latitude, -12.5f);
    EXPECT_FLOAT_EQ(r.tables.ndbs[0].longitude, -1.25f);
    ASSERT_EQ(r.tables.airports.size(), 1);
    EXPECT_EQ(r.tables.airports[0].airspaceClass, "D");
    ASSERT_EQ(r.tables.runways.size(), 1);
    const RUNWAY &rw = r.tables.runways[0];
    EXPECT_EQ(rw.number, "17R");
    EXPECT_EQ(rw.oppositeHeading, "352");
    EXPECT_FLOAT_EQ(rw.oppositeLatitude, 45.70833333f);
    EXPECT_EQ(rw.comment, "west");
    EXPECT_EQ(r.tolerantLines, 0);
}

TEST(SectorReaderColumns, ErrorTextCollectsLinesThenTheInfoError)
{
    const QString text = QStringLiteral(
        "[INFO]\nSECT\nLFLL_APP\nLFLL\nbad\nE005.00.00.000\n60\n42\n1.5\n1\n"
        "[FIXES]\n"
        "GOOD1 N045.00.00.000 E005.00.00.000\n"
        "BAD1  N045.00,00\n"
        "BAD2  N045.00.00.000 E005\n");
    const SectorLoadResult r = Read(text);
    EXPECT_TRUE(r.hasErrors);
    EXPECT_EQ(r.errorText, QStringLiteral("erreur de coordonnée ligne: \r"
                                          "13: N045.00,00 \r"
                                          "14: N045.00.00.000 E005\r"
                                          "erreur de coordonnée dans la section [INFO] "));
    ASSERT_EQ(r.tables.fixes.size(), 3);
    EXPECT_EQ(r.tables.fixes[1].selected, 0); // an unreadable fix is not selected
    EXPECT_EQ(r.tables.fixes[1].latitude, 0.0f);
    EXPECT_EQ(r.identity.ownLat, 0.0f);
    EXPECT_EQ(r.identity.ownLon, 0.0f);
}

TEST(SectorReaderRoutes, GroupingByNameAndBlankContinuations)
{
    const QString text = QStringLiteral("[SID]\n") + Route("NORSA1A", kP1, kP2) + "\n"
                         + Route("", kP2, kP1) + "\n" + Route("", kP1, kP2) + "\n"
                         + Route("NORSA1A", kP2, kP1) + "\n" + Route("BEMOL1A", kP1, kP2) + "\n"
                         + QStringLiteral("[STAR]\n") + Route("", kP1, kP2) + "\n";
    const SectorLoadResult r = Read(text);
    ASSERT_EQ(r.tables.sids.size(), 2);
    EXPECT_EQ(r.tables.sids[0].name, QStringLiteral("NORSA1A").leftJustified(25));
    EXPECT_EQ(r.tables.sids[0].segments.size(), 4);
    EXPECT_FLOAT_EQ(r.tables.sids[0].segments[1].lat1, 46.0f);
    EXPECT_EQ(r.tables.sids[1].segments.size(), 1);
    // The first line of a section starts a route even with a blank name.
    ASSERT_EQ(r.tables.stars.size(), 1);
    EXPECT_EQ(r.tables.stars[0].segments.size(), 1);
}

TEST(SectorReaderRoutes, NameLookUpOrderAndLastMatch)
{
    const QString text = QStringLiteral(
        "[VOR]\n"
        "DJL  111.450 N047.00.00.000 E005.00.00.000\n"
        "MTL  113.650 N044.00.00.000 E004.00.00.000\n"
        "[NDB]\n"
        "MTL   300.000 N043.00.00.000 E003.00.00.000\n"
        "[FIXES]\n"
        "DJL   N001.00.00.000 E001.00.00.000\n"
        "DJL   N002.00.00.000 E002.00.00.000\n"
        "[AIRPORT]\n"
        "LFLY 118.100 N045.43.00.000 E004.56.00.000 D\n"
        "[LOW AIRWAY]\n")
        + Route("A1", "DJL", "MTL") + "\n" + Route("A2", "LFLY", "NOPE") + "\n";
    const SectorLoadResult r = Read(text);
    ASSERT_EQ(r.tables.lowAirways.size(), 2);
    const RouteSegment &s = r.tables.lowAirways[0].segments[0];
    EXPECT_FLOAT_EQ(s.lat1, 2.0f); // the later of two fixes, before the VOR
    EXPECT_FLOAT_EQ(s.lat2, 43.0f); // the NDB before the VOR
    const RouteSegment &t = r.tables.lowAirways[1].segments[0];
    EXPECT_FLOAT_EQ(t.lat1, 45.71666667f);
    EXPECT_EQ(t.lat2, 0.0f); // an unknown name stays at (0, 0)
    EXPECT_EQ(t.lon2, 0.0f);
}

TEST(SectorReaderSelections, FixesAndRoutesFromTheSelectionTexts)
{
    QString text = QStringLiteral("[FIXES]\n");
    for (int i = 1; i <= 6; ++i)
        text += QStringLiteral("FIX%1  N045.00.00.000 E005.00.00.000\n").arg(i);
    text += QStringLiteral("[SID]\n");
    for (const char *name : {"S1", "S2", "S3"})
        text += Route(QLatin1String(name), kP1, kP2) + "\n";
    text += QStringLiteral("[STAR]\n") + Route("T1", kP1, kP2) + "\n";

    SectorReadSettings settings;
    settings.selections.fixes = QStringLiteral("0101");
    settings.selections.sids = QStringLiteral("01");
    const SectorLoadResult r = Read(text, settings);
    QString fixes;
    for (const FIXE &f : r.tables.fixes)
        fixes += QString::number(f.selected);
    EXPECT_EQ(fixes, "010111");
    EXPECT_EQ(SelectionText(r.tables.sids), "011");
    EXPECT_EQ(SelectionText(r.tables.stars), "0"); // empty text: nothing selected

    const SectorLoadResult all = Read(text);
    EXPECT_EQ(SelectionText(all.tables.fixes), "111111");
}

TEST(SectorReaderSummary, CountsAndWarnings)
{
    QString text = QStringLiteral("[INFO]\nN\nC\nA\nN045.00.00.000\nE005.00.00.000\n60\n42\n0\n1\n[SID]\n");
    for (int i = 0; i < 2048; ++i)
        text += Route(QStringLiteral("S%1").arg(i), kP1, kP2) + "\n";
    const SectorLoadResult r = Read(text);
    EXPECT_TRUE(r.summary.startsWith(
        QStringLiteral("0 AIRPORT\r0 VOR\r0 NDB\r0 FIXES\r0 Airways\r2048 SID\r0 STAR")));
    EXPECT_TRUE(r.summary.endsWith(QStringLiteral(
        "\r\rAttention! la sélection des SID ne sera pas conservée correctement lors de la fermeture de ZAZ")));
    EXPECT_FALSE(r.summary.contains(QStringLiteral("[INFO]")));

    const SectorLoadResult none = Read(QStringLiteral("[FIXES]\nFIX1  N045.00.00.000 E005.00.00.000\n"));
    EXPECT_FALSE(none.hasInfo);
    EXPECT_TRUE(none.summary.contains(QStringLiteral("pas de section [INFO]")));
    EXPECT_EQ(none.identity.ownLat, 0.0f);
    EXPECT_FALSE(none.hasErrors);
    EXPECT_FLOAT_EQ(none.nmPerDegLon, 60.0f);
}

TEST(SectorReaderIdentity, InfoLinesFrequencyDeclinationAndFactor)
{
    const QString text = QStringLiteral(
        "[INFO]\nLyon\nLFLL_APP\nLFLL\nN060.00.00.000\nE005.00.00.000\n60\n30\n-2.7\n1\n"
        "[AIRPORT]\n"
        "LFLL 118.100 N045.43.32.000 E005.04.52.000 D\n"
        "LFLL 120.450 N045.43.32.000 E005.04.52.000 D\n");
    const SectorLoadResult r = Read(text);
    EXPECT_EQ(r.identity.name, "Lyon");
    EXPECT_EQ(r.identity.ownFrequency, "120450");
    EXPECT_FLOAT_EQ(r.identity.declination, -2.7f);
    EXPECT_EQ(r.identity.declinationText, "-2.7");
    EXPECT_NEAR(r.nmPerDegLon, 30.0f, 1e-4);
    EXPECT_EQ(r.identity.captionText, "Lyon  LFLL_APP");
    EXPECT_EQ(r.statusText, "Lyon LFLL_APP declinaison:-2.7");
    ASSERT_EQ(r.tables.info.size(), 1);
    EXPECT_EQ(r.tables.info[0][8], "1");
}

TEST(SectorReaderColours, DefinesDetailsAndLabels)
{
    SectorReadSettings settings;
    settings.details = {{QStringLiteral("runway"), QStringLiteral("clWhite")},
                        {QStringLiteral("TAXIWAY"), QStringLiteral("clYellow")},
                        {QStringLiteral("Runway"), QStringLiteral("clRed")}};
    const QString text = QStringLiteral(
        "; #define inside a comment line\n"
        ";#define gray 3158064\n"
        "#define  blank 1\n"
        "[GEO]\n")
        + kP1 + " " + kP2 + " RUNWAY\n" + kP1 + " " + kP2 + "   gray  \n" + kP1 + " " + kP2 + " nothing\n"
        + QStringLiteral("[TAXIWAYS]\n") + kP1 + " A1 \n";
    const SectorLoadResult r = Read(text, settings);
    ASSERT_EQ(r.tables.defines.size(), 3);
    EXPECT_EQ(r.tables.defines[0].name, "#DEFINE");
    EXPECT_EQ(r.tables.defines[1].name, "GRAY");
    EXPECT_EQ(r.tables.defines[1].value, "3158064");
    EXPECT_EQ(r.tables.defines[2].name, ""); // two blanks give an empty piece
    ASSERT_EQ(r.tables.geo.size(), 3);
    EXPECT_EQ(r.tables.geo[0].detailIndex, 2); // last match, regardless of case
    EXPECT_EQ(r.tables.geo[0].colour, 0x0000FF);
    EXPECT_EQ(r.tables.geo[0].colourName, "Runway");
    EXPECT_EQ(r.tables.geo[1].detailIndex, -1);
    EXPECT_EQ(r.tables.geo[1].colour, 3158064);
    EXPECT_EQ(r.tables.geo[1].colourName, "GRAY");
    EXPECT_EQ(r.tables.geo[2].colour, 0);
    EXPECT_EQ(r.tables.geo[2].colourName, "");
    ASSERT_EQ(r.tables.taxiways.size(), 1);
    EXPECT_EQ(r.tables.taxiways[0].label, "A1");
    EXPECT_EQ(r.tables.taxiways[0].detailIndex, 1);
}

TEST(SectorReaderFreeForm, TokensWhereColumnsDoNotHold)
{
    const QString text = QStringLiteral(
        "[VOR]\n"
        "YWG 115.500 N049.54.36.000 W097.14.06.000 ; short identifier\n"
        "[FIXES]\n"
        "OSITA\tN049.00.00.000\tW097.00.00.000\n"
        "POS N048.00.00.000 W096.00.00.000\n"
        "[AIRPORT]\n"
        "EGSC\t122.200\tN52.12.19.000\tE000.10.30.000\tD\n"
        "[RUNWAY]\n"
        "05 23 048 228 N052.12.00.000 E000.10.00.000 N052.13.00.000 E000.11.00.000\n"
        "[HIGH AIRWAY]\n"
        "UB688 POS POS OSITA OSITA\n"
        "CYWG RWY 18 DEPARTURE ROUTE NAME        N049.00.00.000 W097.00.00.000 N050.00.00.000 W098.00.00.000 COLOR_SID\n"
        "[GEO]\n"
        "Group name\tN049.00.00.000 W097.00.00.000 N050.00.00.000 W098.00.00.000 apron edge\n"
        "[PARKINGS]\n"
        "YWG YWG Gate 11\n"
        "N49.54.36.000 W097.14.06.000 Gate 12\n");
    SectorReadSettings settings;
    settings.selections.highAirways = QStringLiteral("1");
    const SectorLoadResult r = Read(text, settings);
    ASSERT_EQ(r.tables.vors.size(), 1);
    EXPECT_EQ(r.tables.vors[0].identifier, "YWG");
    EXPECT_FLOAT_EQ(r.tables.vors[0].longitude, -float(97 + (14 + 6 / 60.0) / 60));
    EXPECT_EQ(r.tables.fixes[0].name, "OSITA");
    EXPECT_EQ(r.tables.airports[0].identifier, "EGSC");
    EXPECT_EQ(r.tables.airports[0].airspaceClass, "D");
    EXPECT_NEAR(r.tables.airports[0].latitude, 52.2053, 1e-4);
    EXPECT_EQ(r.tables.runways[0].heading, "048");
    ASSERT_EQ(r.tables.highAirways.size(), 2);
    EXPECT_EQ(r.tables.highAirways[0].name, "UB688");
    EXPECT_FLOAT_EQ(r.tables.highAirways[0].segments[0].lat1, 48.0f);
    EXPECT_FLOAT_EQ(r.tables.highAirways[0].segments[0].lat2, 49.0f);
    EXPECT_EQ(r.tables.highAirways[1].name, "CYWG RWY 18 DEPARTURE ROUTE NAME");
    EXPECT_FLOAT_EQ(r.tables.highAirways[1].segments[0].lon2, -98.0f);
    ASSERT_EQ(r.tables.geo.size(), 1);
    EXPECT_FLOAT_EQ(r.tables.geo[0].lat2, 50.0f);
    ASSERT_EQ(r.tables.parkings.size(), 2);
    // A known name at the point's columns holds: the label is what follows column 31.
    EXPECT_EQ(r.tables.parkings[0].label, "");
    EXPECT_FLOAT_EQ(r.tables.parkings[0].latitude, r.tables.vors[0].latitude);
    EXPECT_EQ(r.tables.parkings[1].label, "Gate 12");
    EXPECT_FLOAT_EQ(r.tables.parkings[1].latitude, r.tables.vors[0].latitude);
    // The fix with TABs is column-exact; every other line here is read by tokens.
    EXPECT_EQ(r.tolerantLines, 8);
    EXPECT_FALSE(r.hasErrors) << r.errorText.toStdString();
}

TEST(SectorReaderIndexes, SameAnswersAsScanningEveryTable)
{
    // Names that collide across tables and inside tables, points named and by pairs.
    QString text = QStringLiteral("[VOR]\n");
    QStringList names;
    for (int i = 0; i < 60; ++i) {
        const QString name = QStringLiteral("N%1").arg(i % 23, 2, 10, QLatin1Char('0'));
        names << name;
        text += QStringLiteral("%1  11%2.000 N0%3.00.00.000 E00%4.00.00.000\n")
                    .arg(name.leftJustified(3)).arg(i % 10).arg(40 + i % 9).arg(i % 9);
    }
    text += QStringLiteral("[NDB]\n");
    for (int i = 0; i < 40; ++i)
        text += QStringLiteral("%1 300.000 S0%2.00.00.000 W00%3.00.00.000\n")
                    .arg(QStringLiteral("N%1").arg(i % 17, 2, 10, QLatin1Char('0')).leftJustified(5))
                    .arg(10 + i % 7).arg(i % 8);
    text += QStringLiteral("[FIXES]\n");
    for (int i = 0; i < 80; ++i)
        text += QStringLiteral("%1 N0%2.%3.00.000 E00%4.00.00.000\n")
                    .arg(QStringLiteral("N%1").arg(i % 31, 2, 10, QLatin1Char('0')).leftJustified(5))
                    .arg(30 + i % 9).arg(i % 60, 2, 10, QLatin1Char('0')).arg(i % 9);
    text += QStringLiteral("[LOW AIRWAY]\n");
    for (int i = 0; i < 120; ++i)
        text += Route(QStringLiteral("R%1").arg(i / 3), names[i % names.size()], QStringLiteral("N%1").arg(i % 40)) + "\n";
    text += QStringLiteral("[GEO]\n");
    for (int i = 0; i < 50; ++i)
        text += QStringLiteral("G%1 %2 %3 %4 gray\n").arg(i).arg(names[i % 60]).arg(names[(i + 7) % 60]).arg(names[(i + 3) % 60]);

    SectorReadSettings indexed, scanned;
    scanned.scanLookups = true;
    const SectorLoadResult a = Read(text, indexed), b = Read(text, scanned);
    ASSERT_EQ(a.tables.lowAirways.size(), b.tables.lowAirways.size());
    for (qsizetype i = 0; i < a.tables.lowAirways.size(); ++i) {
        const auto &sa = a.tables.lowAirways[i].segments, &sb = b.tables.lowAirways[i].segments;
        ASSERT_EQ(sa.size(), sb.size());
        for (qsizetype j = 0; j < sa.size(); ++j) {
            EXPECT_EQ(sa[j].lat1, sb[j].lat1);
            EXPECT_EQ(sa[j].lon2, sb[j].lon2);
        }
    }
    ASSERT_EQ(a.tables.geo.size(), b.tables.geo.size());
    for (qsizetype i = 0; i < a.tables.geo.size(); ++i) {
        EXPECT_EQ(a.tables.geo[i].lat1, b.tables.geo[i].lat1);
        EXPECT_EQ(a.tables.geo[i].lon2, b.tables.geo[i].lon2);
    }
    EXPECT_EQ(a.tolerantLines, b.tolerantLines);
}

TEST(SectorReaderRobustness, GarbageLongLinesAndManySections)
{
    QRandomGenerator rng(42);
    QByteArray garbage(200000, '\0');
    for (char &c : garbage)
        c = char(rng.bounded(256));
    for (const char *header : {"[GEO]\n", "[SID]\n", "[FIXES]\n", "[INFO]\n"})
        garbage.insert(rng.bounded(garbage.size()), header);
    const SectorLoadResult g = Read(DecodeCp1252(garbage));
    EXPECT_FALSE(g.summary.isEmpty());

    QString longLine = QStringLiteral("[GEO]\n") + QString(2'000'000, QLatin1Char('N')) + "\n"
                       + QStringLiteral("[HIGH AIRWAY]\n");
    for (int i = 0; i < 100000; ++i)
        longLine += QStringLiteral("X ");
    longLine += "\n";
    for (int i = 0; i < 100000; ++i)
        longLine += QStringLiteral("[S%1]\n").arg(i);
    const SectorLoadResult l = Read(longLine);
    EXPECT_EQ(l.tables.geo.size(), 1);
    EXPECT_EQ(l.tables.highAirways.size(), 1);
}

TEST(SectorReaderFiles, UnreadableFileIsReportedInFrench)
{
    QString error;
    EXPECT_FALSE(ReadSectorFile(QStringLiteral("/nonexistent/x.sct"), {}, error).has_value());
    EXPECT_TRUE(error.startsWith(QStringLiteral("Impossible de lire le secteur /nonexistent/x.sct")));
    EXPECT_FALSE(ReadSectorFile(QDir::tempPath(), {}, error).has_value());
    EXPECT_TRUE(error.contains(QStringLiteral("dossier")));
}

TEST(SectorReaderFiles, DemoSectorLoadsCleanAndRoundTripsThroughTheWriter)
{
    QString error;
    RadarState state;
    SettingsReport report;
    Settings::ReadDisplay(IniFile(zaz::test::SourceDataDir() + "/ZAZ.ini"), state.settings, report);
    const SectorReadSettings settings = ReadSettingsOf(state);
    const auto demo = ReadSectorFile(zaz::test::SourceDataDir() + "/secteurs/LFLL_Lyon.sct", settings, error);
    ASSERT_TRUE(demo.has_value()) << error.toStdString();
    EXPECT_FALSE(demo->hasErrors) << demo->errorText.toStdString();
    EXPECT_EQ(demo->tolerantLines, 0);
    EXPECT_EQ(demo->identity.airport.trimmed(), "LFLL");
    EXPECT_FALSE(demo->identity.ownFrequency.isEmpty());
    EXPECT_GT(demo->tables.fixes.size(), 10);
    EXPECT_GT(demo->tables.geo.size(), 10);
    for (const GEO &g : demo->tables.geo)
        EXPECT_FALSE(g.colourName.isEmpty());

    // Every fix and route selected, written, read back: the same coordinates to the
    // thousandth of a second, and the same text when written again.
    const auto selectAll = [](SectorTables tables) {
        for (FIXE &f : tables.fixes)
            f.selected = 1;
        for (QList<ROUTE> *t : {&tables.sids, &tables.stars, &tables.lowAirways, &tables.highAirways})
            for (ROUTE &r : *t)
                r.selected = 1;
        return tables;
    };
    const SectorTables tables = selectAll(demo->tables);
    QStringList first;
    WriteSector(tables, demo->identity, QStringLiteral("LFLL_Lyon.sct"), first);
    const SectorLoadResult back = Read(first.join(QLatin1Char('\n')), settings);
    EXPECT_FALSE(back.hasErrors);
    EXPECT_EQ(back.tolerantLines, 0);
    ASSERT_EQ(back.tables.fixes.size(), tables.fixes.size());
    for (qsizetype i = 0; i < tables.fixes.size(); ++i)
        EXPECT_NEAR(back.tables.fixes[i].latitude, tables.fixes[i].latitude, 1.0 / 3600 / 1000 + 1e-6);
    ASSERT_EQ(back.tables.sids.size(), tables.sids.size());
    ASSERT_EQ(back.tables.geo.size(), tables.geo.size());
    for (qsizetype i = 0; i < tables.geo.size(); ++i)
        EXPECT_EQ(back.tables.geo[i].colourName, tables.geo[i].colourName);
    QStringList second;
    WriteSector(selectAll(back.tables), back.identity, QStringLiteral("LFLL_Lyon.sct"), second);
    // Written again: the same lines, a coordinate at most a thousandth of a second lower
    // (a float just below the written value truncates to the thousandth before it).
    ASSERT_EQ(second.size(), first.size());
    int changed = 0;
    for (qsizetype i = 0; i < first.size(); ++i)
        changed += second[i] != first[i];
    EXPECT_LT(changed, first.size() / 4);
}


// Loads one of the public sector files kept beside the checkout; skips when absent.
std::optional<SectorLoadResult> ReadShared(const char *file)
{
    const QString path = SharedSector(QLatin1String(file));
    if (!QFile::exists(path))
        return std::nullopt;
    QString error;
    auto r = ReadSectorFile(path, {}, error);
    EXPECT_TRUE(r.has_value()) << error.toStdString();
    return r;
}

// GEO segments with an end left at (0, 0).
int UnresolvedGeo(const SectorLoadResult &r)
{
    int zero = 0;
    for (const GEO &g : r.tables.geo)
        zero += (g.lat1 == 0 && g.lon1 == 0) || (g.lat2 == 0 && g.lon2 == 0);
    return zero;
}

TEST(SectorReaderFiles, LargeFreeFormFileLoadsWithItsPointsResolved)
{
    const auto r = ReadShared("CZWG_Winnipeg_FIR.sct");
    if (!r)
        GTEST_SKIP() << "public sector files not found beside the checkout";
    // No VOR, NDB, FIXES or airway sections in this file.
    EXPECT_EQ(r->tables.vors.size(), 0);
    EXPECT_EQ(r->tables.fixes.size(), 0);
    EXPECT_GT(r->tables.airports.size(), 100);
    EXPECT_GT(r->tables.runways.size(), 100);
    EXPECT_GE(r->tables.geo.size(), 18000);
    EXPECT_GT(r->tables.sids.size() + r->tables.stars.size(), 0);
    EXPECT_GT(r->tolerantLines, 0);
    EXPECT_FALSE(r->hasErrors) << r->errorText.left(400).toStdString();
    // Only the group title lines ("CZWG Shorelines ;"), which hold no point, stay at (0, 0).
    EXPECT_LT(UnresolvedGeo(*r), 40);
    for (const QList<ROUTE> *t : {&r->tables.sids, &r->tables.stars, &r->tables.artcc, &r->tables.artccLow,
                                  &r->tables.artccHigh})
        for (const ROUTE &route : *t)
            for (const RouteSegment &s : route.segments)
                EXPECT_FALSE(s.lat1 == 0 && s.lon1 == 0) << route.name.toStdString();
    // Western longitudes stay west: all but the two foreign airports the file lists.
    int west = 0;
    for (const Airport &a : r->tables.airports)
        west += a.longitude < -60.0f && a.latitude > 40.0f;
    EXPECT_EQ(west, r->tables.airports.size() - 2);
}

TEST(SectorReaderFiles, SmallDialectFileLoadsAndKeepsItsRangeLinesAsErrors)
{
    const auto r = ReadShared("EGSC_Cambridge_poscon.sct");
    if (!r)
        GTEST_SKIP() << "public sector files not found beside the checkout";
    EXPECT_FALSE(r->hasInfo);
    // "RANGE" lines are element lines like any other: unreadable, kept at (0, 0) and reported.
    ASSERT_EQ(r->tables.airports.size(), 3);
    EXPECT_EQ(r->tables.airports[0].identifier, "RANG");
    EXPECT_EQ(r->tables.airports[1].identifier, "EGSS");
    EXPECT_NEAR(r->tables.airports[1].latitude, 51.885, 1e-3);
    EXPECT_NEAR(r->tables.airports[1].longitude, 0.235, 1e-3);
    EXPECT_TRUE(r->errorText.startsWith(QStringLiteral("erreur de coordonnée ligne: \r13: ")));
    ASSERT_GE(r->tables.runways.size(), 2);
    EXPECT_EQ(r->tables.runways[1].number, "04");
    EXPECT_NEAR(r->tables.runways[1].oppositeLatitude, 51.895, 1e-3);
    EXPECT_GT(r->tables.geo.size(), 100);
    EXPECT_EQ(UnresolvedGeo(*r), 3); // the three RANGE lines of the section
}
