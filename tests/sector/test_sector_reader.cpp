// The sector reader: column cuts and the reading by words, sections, look-ups, selections,
// coordinate errors, real files and robustness.
#include "core/Codec.h"
#include "sector/SectorReader.h"
#include "state/Settings.h"

#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace zaz {
namespace {

SectorLoadResult Read(const QString &text, const SectorReadSettings &settings = {})
{
    return ReadSectorText(text, settings);
}

QString Route(const QString &name, const QString &a, const QString &b)
{
    return name.leftJustified(25) + QLatin1Char(' ') + a.leftJustified(29) + QLatin1Char(' ') + b + '\n';
}

// Column-exact point texts of 29 characters.
const QString kP1 = QStringLiteral("N045.00.00.000 E005.00.00.000");
const QString kP2 = QStringLiteral("N046.00.00.000 E006.00.00.000");

TEST(SectorReaderColumns, FieldsCommentsShortLinesAndHeaders)
{
    const SectorLoadResult r = Read(QStringLiteral(
        "[vor]\nLSE  114.750 N045.33.45.500 E004.48.12.250 ;Saint-Exupery\nMT\n [NDB]\n"
        "[NDB]\nLYE   334.000 S012.30.00.000 W001.15.00.000\n"
        "[AIRPORT]\nLFLL 127.575 N045.43.32.000 E005.04.52.000 D ;tour\n"
        "[RUNWAY]\n17R 35L 172 352 N045.44.44.000 E005.04.30.000 N045.42.30.000 E005.05.00.000 ;west\n"));
    // " [NDB]" is no header: it is one more VOR line. A short line keeps what it has.
    ASSERT_EQ(r.tables.vors.size(), 3);
    EXPECT_EQ(r.tables.vors[1].identifier + "|" + r.tables.vors[1].comment + "|" + r.tables.vors[2].identifier,
              "MT|| [ND");
    const VOR &lse = r.tables.vors[0];
    EXPECT_EQ(lse.identifier + "|" + lse.frequency + "|" + lse.comment, "LSE |114.750|Saint-Exupery");
    EXPECT_FLOAT_EQ(lse.latitude, float(45 + (33 + 45.5 / 60) / 60));
    EXPECT_FLOAT_EQ(lse.longitude, float(4 + (48 + 12.25 / 60) / 60));
    ASSERT_EQ(r.tables.ndbs.size() + r.tables.airports.size() + r.tables.runways.size(), 3);
    EXPECT_EQ(QPointF(r.tables.ndbs[0].latitude, r.tables.ndbs[0].longitude), QPointF(-12.5, -1.25));
    EXPECT_EQ(r.tables.airports[0].airspaceClass + "|" + r.tables.airports[0].comment, "D|tour");
    const RUNWAY &rw = r.tables.runways[0];
    EXPECT_EQ(rw.number + "|" + rw.oppositeHeading + "|" + rw.comment, "17R|352|west");
    EXPECT_FLOAT_EQ(rw.oppositeLatitude, 45.70833333f);
    EXPECT_EQ(r.tolerantLines, 0);
}

TEST(SectorReaderColumns, CoordinateErrorsListTheLinesThenTheInfoError)
{
    const SectorLoadResult r = Read(QStringLiteral("[INFO]\nSECT\nLFLL_APP\nLFLL\nbad\nE005.00.00.000\n60\n42\n1.5\n1\n"
                                                   "[FIXES]\n"
                                                   "GOOD1 N045.00.00.000 E005.00.00.000\n"
                                                   "BAD1  N045.00,00\n"
                                                   "BAD2  N045.00.00.000 E005\n"
                                                   // digits past the thousandths; minutes beyond measure
                                                   "FINE  N045.30.10.0055555555555 E005.00.00.000\n"
                                                   "BAD3  N045.99999999999.00.000 E005.00.00.000\n"));
    EXPECT_TRUE(r.hasErrors);
    EXPECT_EQ(r.errorText, QStringLiteral("erreur de coordonnée ligne: \r13: N045.00,00 \r14: N045.00.00.000 E005\r"
                                          "16: N045.99999999999.00.000 E005.00.00.000\r"
                                          "erreur de coordonnée dans la section [INFO] "));
    ASSERT_EQ(r.tables.fixes.size(), 5);
    EXPECT_FLOAT_EQ(r.tables.fixes[3].latitude, 45.0f + (30 * 60 + 10.005f) / 3600);
    EXPECT_EQ(r.tables.fixes[1].selected, 0); // an unreadable fix is not selected
    EXPECT_EQ(r.tables.fixes[1].latitude, 0.0f);
    EXPECT_EQ(r.identity.ownLat, 0.0f);
}

TEST(SectorReaderRoutes, GroupedByNameWithNamedPointsKeepingTheLastMatch)
{
    const SectorLoadResult r = Read(
        QStringLiteral("[VOR]\nDJL  111.450 N047.00.00.000 E005.00.00.000\nMTL  113.650 N044.00.00.000 E004.00.00.000\n"
                       "[NDB]\nMTL   300.000 N043.00.00.000 E003.00.00.000\n"
                       "[FIXES]\nDJL   N001.00.00.000 E001.00.00.000\nDJL   N002.00.00.000 E002.00.00.000\n"
                       "[AIRPORT]\nLFLY 118.100 N045.43.00.000 E004.56.00.000 D\n[SID]\n")
        + Route("NORSA1A", kP1, kP2) + Route("", kP2, kP1) + Route("NORSA1A", kP2, kP1) + Route("BEMOL1A", kP1, kP2)
        + "[STAR]\n" + Route("", kP1, kP2) + "[LOW AIRWAY]\n" + Route("A1", "DJL", "MTL")
        + Route("A2", "LFLY", "NOPE"));
    ASSERT_EQ(r.tables.sids.size(), 2);
    EXPECT_EQ(r.tables.sids[0].name, QStringLiteral("NORSA1A").leftJustified(25));
    EXPECT_EQ(r.tables.sids[0].segments.size(), 3);
    EXPECT_FLOAT_EQ(r.tables.sids[0].segments[1].lat1, 46.0f);
    // The first line of a section starts a route even with a blank name.
    ASSERT_EQ(r.tables.stars.size(), 1);
    ASSERT_EQ(r.tables.lowAirways.size(), 2);
    const RouteSegment &s = r.tables.lowAirways[0].segments[0];
    EXPECT_FLOAT_EQ(s.lat1, 2.0f);  // the later of two fixes, before the VOR
    EXPECT_FLOAT_EQ(s.lat2, 43.0f); // the NDB before the VOR
}

// A point that is neither a pair nor a known name: no segment (nor GEO line), the line in the
// error text and the list; a route line still names or continues its route.
TEST(SectorReaderRoutes, UnresolvedPointsGiveNoSegment)
{
    const QString bad = QStringLiteral("N0450000000000 E005.00.00.000"); // 29 wide, one piece only
    const SectorLoadResult r = Read("[STAR]\n" + Route("A2", "ABCDE", kP2) + Route("", kP1, kP2) + Route("", bad, kP1)
                                    + "[GEO]\nN045.00.00.000 X005.00.00.000 " + kP2 + '\n' + kP1 + " XYZ ABCDE\n");
    ASSERT_EQ(r.tables.stars.size(), 1);
    EXPECT_EQ(r.tables.stars[0].name.trimmed() + QString::number(r.tables.stars[0].segments.size()), "A21");
    EXPECT_EQ(r.tables.geo.size(), 1); // a pair that converts without being well-formed holds
    EXPECT_EQ(r.unresolvedLines, QList<int>({2, 4, 7}));
    EXPECT_EQ(r.errorText, "erreur de coordonnée ligne: \r2: A2 ABCDE " + kP2 + "\r4: " + bad + ' ' + kP1
                               + "\r7: " + kP1 + " XYZ ABCDE");
}

TEST(SectorReaderSelections, FixesSelectedUnlessZeroRoutesOnlyWhenOne)
{
    QString text = QStringLiteral("[FIXES]\n");
    for (int i = 1; i <= 6; ++i)
        text += QStringLiteral("FIX%1  N045.00.00.000 E005.00.00.000\n").arg(i);
    text += "[SID]\n" + Route("S1", kP1, kP2) + Route("S2", kP1, kP2) + Route("S3", kP1, kP2) + "[STAR]\n"
            + Route("T1", kP1, kP2);
    SectorReadSettings settings;
    settings.selections.fixes = QStringLiteral("0101");
    settings.selections.sids = QStringLiteral("01");
    const SectorLoadResult r = Read(text, settings);
    EXPECT_EQ(SelectionText(r.tables.fixes), "010111");
    EXPECT_EQ(SelectionText(r.tables.sids), "011");
    EXPECT_EQ(SelectionText(r.tables.stars), "0");
    EXPECT_EQ(SelectionText(Read(text).tables.fixes), "111111");
}

TEST(SectorReaderInfo, IdentitySummaryAndWarnings)
{
    QString text = QStringLiteral("[INFO]\nLyon\nLFLL_APP\nLFLL\nN060.00.00.000\nE005.00.00.000\n60\n30\n-2.7\n1\n"
                                  "[AIRPORT]\n"
                                  "LFLL 118.100 N045.43.32.000 E005.04.52.000 D\n"
                                  "LFLL 120.450 N045.43.32.000 E005.04.52.000 D\n[SID]\n");
    for (int i = 0; i < 2048; ++i)
        text += Route(QStringLiteral("S%1").arg(i), kP1, kP2);
    const SectorLoadResult r = Read(text);
    EXPECT_EQ(r.identity.ownFrequency, "120450"); // the last of the own airport's lines
    EXPECT_FLOAT_EQ(r.identity.declination, -2.7f);
    EXPECT_NEAR(r.nmPerDegLon, 30.0f, 1e-4);
    EXPECT_EQ(r.identity.captionText, "Lyon  LFLL_APP");
    EXPECT_EQ(r.statusText, "Lyon LFLL_APP declinaison:-2.7");
    EXPECT_EQ(r.summary, QStringLiteral("2 AIRPORT\r0 VOR\r0 NDB\r0 FIXES\r0 Airways\r2048 SID\r0 STAR\r\r"
                                        "Attention! la sélection des SID ne sera pas conservée correctement lors de "
                                        "la fermeture de ZAZ"));

    const SectorLoadResult none = Read(QStringLiteral("[FIXES]\nFIX1  N045.00.00.000 E005.00.00.000\n"));
    EXPECT_FALSE(none.hasInfo);
    EXPECT_TRUE(none.summary.contains(QStringLiteral("pas de section [INFO]")));
    EXPECT_FLOAT_EQ(none.nmPerDegLon, 60.0f);
}

TEST(SectorReaderColours, DefinesThenDetailsLastMatchWins)
{
    SectorReadSettings settings;
    settings.details = {{QStringLiteral("runway"), QStringLiteral("clWhite")},
                        {QStringLiteral("TAXIWAY"), QStringLiteral("clYellow")},
                        {QStringLiteral("Runway"), QStringLiteral("$800000FF")}};
    const QString geo = kP1 + ' ' + kP2;
    // A value wider than 24 bits (a definition, a detail entry) keeps its low 24 bits.
    const SectorLoadResult r = Read("; #define inside a comment line\n;#define gray 3158064\n#define  blank 1\n"
                                    "#define wide 1982288720\n[GEO]\n"
                                        + geo + " RUNWAY\n" + geo + "   gray  \n" + geo + " nothing\n" + geo
                                        + " wide\n[TAXIWAYS]\n" + kP1 + " A1 \n",
                                    settings);
    QStringList defines;
    for (const t_define &d : r.tables.defines)
        defines << d.name + "=" + d.value;
    // Two blanks give an empty piece.
    EXPECT_EQ(defines, QStringList({"#DEFINE=inside", "GRAY=3158064", "=blank", "WIDE=1982288720"}));
    // A detail entry (last match, any case) before a definition; no match gives black.
    QStringList colours;
    for (const GEO &g : r.tables.geo)
        colours << QStringLiteral("%1 %2 %3").arg(g.detailIndex).arg(ColorToString(g.colour), g.colourName);
    EXPECT_EQ(colours, QStringList({"2 clRed Runway", "-1 $00303030 GRAY", "-1 clBlack ", "-1 $00275350 WIDE"}));
    ASSERT_EQ(r.tables.taxiways.size(), 1);
    EXPECT_EQ(r.tables.taxiways[0].label + QString::number(r.tables.taxiways[0].detailIndex), "A11");
}

TEST(SectorReaderFreeForm, WordsWhereColumnsDoNotHold)
{
    SectorReadSettings settings;
    settings.selections.highAirways = QStringLiteral("1");
    const SectorLoadResult r = Read(
        QStringLiteral(
            "[VOR]\nYWG 115.500 N049.54.36.000 W097.14.06.000 ; short identifier\n"
            "[FIXES]\nOSITA\tN049.00.00.000\tW097.00.00.000\nPOS N048.00.00.000 W096.00.00.000\n"
            "[AIRPORT]\nEGSC\t122.200\tN52.12.19.000\tE000.10.30.000\tD\n"
            "[RUNWAY]\n05 23 048 228 N052.12.00.000 E000.10.00.000 N052.13.00.000 E000.11.00.000\n"
            "[HIGH AIRWAY]\nUB688 POS POS OSITA OSITA\n"
            "CYWG RWY 18 DEPARTURE ROUTE NAME        N049.00.00.000 W097.00.00.000 N050.00.00.000 W098.00.00.000 X\n"
            "[GEO]\nGroup name\tN049.00.00.000 W097.00.00.000 N050.00.00.000 W098.00.00.000 apron edge\n"
            "[PARKINGS]\nYWG YWG Gate 11\nN49.54.36.000 W097.14.06.000 Gate 12\n"),
        settings);
    EXPECT_EQ(r.tables.vors[0].identifier + r.tables.fixes[0].name + r.tables.airports[0].identifier
                  + r.tables.airports[0].airspaceClass + r.tables.runways[0].heading,
              "YWGOSITAEGSCD048");
    EXPECT_FLOAT_EQ(r.tables.vors[0].longitude, -float(97 + (14 + 6 / 60.0) / 60));
    EXPECT_NEAR(r.tables.airports[0].latitude, 52.2053, 1e-4);
    ASSERT_EQ(r.tables.highAirways.size(), 2);
    EXPECT_EQ(r.tables.highAirways[0].name, "UB688");
    const RouteSegment &named = r.tables.highAirways[0].segments[0];
    EXPECT_EQ(QPointF(named.lat1, named.lat2), QPointF(48, 49));
    EXPECT_EQ(r.tables.highAirways[1].name, "CYWG RWY 18 DEPARTURE ROUTE NAME");
    EXPECT_FLOAT_EQ(r.tables.highAirways[1].segments[0].lon2, -98.0f);
    EXPECT_FLOAT_EQ(r.tables.geo[0].lat2, 50.0f);
    // A known name at the point's columns holds: the label is what follows column 31.
    ASSERT_EQ(r.tables.parkings.size(), 2);
    EXPECT_EQ(r.tables.parkings[0].label + "|" + r.tables.parkings[1].label, "|Gate 12");
    EXPECT_EQ(QPointF(r.tables.parkings[0].latitude, r.tables.parkings[1].latitude),
              QPointF(r.tables.vors[0].latitude, r.tables.vors[0].latitude));
    // The fix with TABs is column-exact; every other line here is read by words.
    EXPECT_EQ(r.tolerantLines, 8);
    EXPECT_FALSE(r.hasErrors) << r.errorText.toStdString();
}

TEST(SectorReaderIndexes, SameAnswersAsScanningEveryTable)
{
    // Names that collide across tables and inside tables; points by name and by pairs.
    const auto name = [](int i) { return QStringLiteral("N%1").arg(i % 23, 2, 10, QLatin1Char('0')); };
    const auto pair = [](int i) {
        return QStringLiteral("N04%1.%2.00.000 E00%3.00.00.000").arg(i % 9).arg(10 + i % 50).arg(i % 7);
    };
    const char *const headers[] = {"[VOR]\n", "[NDB]\n", "[FIXES]\n"};
    const char *const frequencies[] = {"114.000 ", "300.000 ", ""};
    QString text;
    for (int s = 0; s < 3; ++s) {
        text += headers[s];
        for (int i = 0; i < 50; ++i)
            text += name(i * (s + 2)).leftJustified(s ? 5 : 4) + ' ' + frequencies[s] + pair(i * 7 + s) + '\n';
    }
    text += "[LOW AIRWAY]\n";
    for (int i = 0; i < 90; ++i)
        text += Route(QStringLiteral("R%1").arg(i / 3), i % 4 ? name(i) : pair(i), QStringLiteral("N%1").arg(i % 40));
    text += "[GEO]\n";
    for (int i = 0; i < 50; ++i)
        text += QStringLiteral("G%1 %2 %3 %4 gray\n").arg(i).arg(name(i), name(i + 7), i % 3 ? name(i + 3) : pair(i));

    SectorReadSettings scanned;
    scanned.scanLookups = true;
    const SectorLoadResult a = Read(text), b = Read(text, scanned);
    const auto points = [](const SectorLoadResult &r) {
        QList<float> out;
        for (const ROUTE &route : r.tables.lowAirways)
            for (const RouteSegment &s : route.segments)
                out << s.lat1 << s.lon1 << s.lat2 << s.lon2;
        for (const GEO &g : r.tables.geo)
            out << g.lat1 << g.lon1 << g.lat2 << g.lon2;
        return out;
    };
    EXPECT_EQ(points(a), points(b));
    EXPECT_EQ(a.tolerantLines, b.tolerantLines);
}

TEST(SectorReaderRobustness, GarbageAndHugeLines)
{
    QRandomGenerator rng(42);
    QByteArray garbage(200000, '\0');
    for (char &c : garbage)
        c = char(rng.bounded(256));
    for (const char *header : {"[GEO]\n", "[SID]\n", "[FIXES]\n", "[INFO]\n"})
        garbage.insert(rng.bounded(garbage.size()), header);
    EXPECT_FALSE(Read(DecodeCp1252(garbage)).summary.isEmpty());

    const SectorLoadResult l =
        Read("[GEO]\n" + QString(2'000'000, QLatin1Char('N')) + "\n[HIGH AIRWAY]\n" + QString("X ").repeated(100000));
    EXPECT_EQ(l.unresolvedLines, QList<int>({2}));
    EXPECT_EQ(l.tables.highAirways.size(), 1);
}

// The delivered sector reads clean by columns, every GEO line with a colour. Lines of blanks
// and TABs only, at the end of each section, are empty lines (an empty info line in [INFO]).
TEST(SectorReaderFiles, DemoSectorLoadsClean)
{
    RadarState state;
    SettingsReport report;
    Settings::ReadDisplay(IniFile(ZAZ_SOURCE_DIR "/data/ZAZ.ini"), state.settings, report);
    QString error;
    const QString path = QStringLiteral(ZAZ_SOURCE_DIR "/data/secteurs/LFLL_Lyon.sct");
    const auto demo = ReadSectorFile(path, ReadSettingsOf(state), error);
    ASSERT_TRUE(demo.has_value()) << error.toStdString();
    EXPECT_FALSE(demo->hasErrors) << demo->errorText.toStdString();
    EXPECT_EQ(demo->tolerantLines, 0);
    for (const GEO &g : demo->tables.geo)
        EXPECT_FALSE(g.colourName.isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = DecodeCp1252(file.readAll());
    const SectorLoadResult r = Read(QString(text).replace("\n[", "\n\t\n \t \n[") + "\t\n", ReadSettingsOf(state));
    EXPECT_FALSE(r.hasErrors) << r.errorText.toStdString(); // any element read from them has an error
    const auto labels = [](const SectorTables &t) { return std::pair(t.taxiways.size(), t.parkings.size()); };
    EXPECT_EQ(labels(r.tables), labels(demo->tables));
    EXPECT_EQ(Read(QStringLiteral("[INFO]\nLyon\n \t\nLFLL\n")).identity.callsign, QString());
}

// A large free-form file kept beside the checkout; skipped when absent.
TEST(SectorReaderFiles, LargeFreeFormFileLoadsWithItsPointsResolved)
{
    const QString path = QStringLiteral(ZAZ_SOURCE_DIR "/../shared/data/sectors/CZWG_Winnipeg_FIR.sct");
    if (!QFile::exists(path))
        GTEST_SKIP() << "public sector files not found beside the checkout";
    QString error;
    const auto r = ReadSectorFile(path, {}, error);
    ASSERT_TRUE(r.has_value()) << error.toStdString();
    EXPECT_GE(r->tables.geo.size(), 18000);
    // The group title lines, which hold no point, are the only errors and give no GEO line.
    EXPECT_EQ(r->errorText.count(QLatin1Char('\r')), r->unresolvedLines.size()) << r->errorText.left(400).toStdString();
    EXPECT_LT(r->unresolvedLines.size(), 40);
    EXPECT_EQ(std::count_if(r->tables.geo.begin(), r->tables.geo.end(),
                            [](const GEO &g) { return (g.lat1 == 0 && g.lon1 == 0) || (g.lat2 == 0 && g.lon2 == 0); }),
              0);
}

} // namespace
} // namespace zaz
