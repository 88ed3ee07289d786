// Reading ZAZ.ini into the state and writing it back at exit.
#include "state/Settings.h"
#include "core/Text.h"
#include "support/IniText.h"
#include "support/TestEnv.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace zaz;
using zaz::test::IniText;
using zaz::test::TestEnv;

namespace {

QString Fixes(int count, const QString &pattern)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += pattern[i % pattern.size()];
    return text;
}

void SetFixes(RadarState &state, const QString &selection)
{
    state.sector.tables.fixes.clear();
    for (QChar c : selection) {
        FIXE fix;
        fix.selected = c == QLatin1Char('1') ? 1 : 0;
        state.sector.tables.fixes.append(fix);
    }
}

// Reads the whole file as the start-up does.
void ReadAll(const IniFile &ini, RadarState &state, SettingsReport &report)
{
    Settings::ReadRingSpacing(ini, state.view, report);
    Settings::ReadDisplay(ini, state.settings, report);
    Settings::ReadSector(ini, state.settings);
    Settings::ReadWeatherTables(ini, state.settings);
    Settings::ReadWeatherServer(ini, state.settings, report);
    Settings::ReadWindowPlaces(ini, state.settings);
}

} // namespace

TEST(SettingsFixSelection, CutInto2047CharacterPiecesAndRestored)
{
    struct Case {
        int fixes;
        int first, second, third;
    } cases[] = {{0, 0, 0, 0}, {2047, 2047, 0, 0}, {2048, 2047, 1, 0}, {3000, 2047, 953, 0},
                 {4094, 2047, 2047, 0}, {4095, 2047, 2047, 1}, {9000, 2047, 2047, 4906}};
    for (const Case &c : cases) {
        TestEnv env;
        RadarState state;
        state.settings.display.colours = DefaultColourTable();
        const QString selection = Fixes(c.fixes, QStringLiteral("1101000"));
        SetFixes(state, selection);
        IniFile ini(env.path(QStringLiteral("ZAZ.ini")));
        ASSERT_TRUE(Settings::WriteExit(ini, state));

        const IniText file = IniText::parse(env.readBytes(QStringLiteral("ZAZ.ini")));
        EXPECT_EQ(file.value("sector", "liste_fix").size(), c.first) << c.fixes;
        EXPECT_EQ(file.value("sector", "liste_fix2").size(), c.second) << c.fixes;
        EXPECT_EQ(file.value("sector", "liste_fix3").size(), c.third) << c.fixes;

        RadarState next;
        Settings::ReadSector(IniFile(env.path(QStringLiteral("ZAZ.ini"))), next.settings);
        EXPECT_EQ(next.settings.selections.fixes, selection) << c.fixes;
    }
}

TEST(SettingsExit, WritesRouteSelectionsAndFlagsAndLeavesSqwakAlone)
{
    TestEnv env;
    env.write(QStringLiteral("ZAZ.ini"), QStringLiteral("[mode]\ncharly=false\nsqwak = true \n"));
    RadarState state;
    state.settings.display.colours = DefaultColourTable();
    state.settings.display.labelMode = 1;
    state.settings.display.transponderOnLabel = 0; // never written back
    state.settings.display.showStarNames = 1;
    state.sector.tables.sids.resize(3);
    state.sector.tables.sids[1].selected = 1;
    state.sector.tables.highAirways.resize(2);
    IniFile ini(env.path(QStringLiteral("ZAZ.ini")));
    ASSERT_TRUE(Settings::WriteExit(ini, state));

    const QByteArray bytes = env.readBytes(QStringLiteral("ZAZ.ini"));
    EXPECT_TRUE(bytes.contains("sqwak = true \r\n")) << bytes.constData();
    const IniText file = IniText::parse(bytes);
    EXPECT_EQ(file.value("mode", "charly"), "true");
    EXPECT_EQ(file.value("sector", "liste_sid"), "010");
    EXPECT_EQ(file.value("sector", "liste_hi"), "00");
    EXPECT_EQ(file.value("sector", "liste_star"), "");
    EXPECT_EQ(file.value("sector", "libelstar"), "true");
    EXPECT_EQ(file.value("sector", "libelsid"), "false");
}

TEST(SettingsExit, WritesSectionsInExitOrderIntoANewFile)
{
    TestEnv env;
    RadarState state;
    state.settings.display.colours = DefaultColourTable();
    state.settings.display.details = {{QStringLiteral("TAXIWAY"), QStringLiteral("clYellow")}};
    state.settings.weatherServer.radius = QStringLiteral("50");
    state.settings.windows.main = QRect(10, 20, 800, 600);
    IniFile ini(env.path(QStringLiteral("ZAZ.ini")));
    ASSERT_TRUE(Settings::WriteExit(ini, state));

    const IniText file = IniText::parse(env.readBytes(QStringLiteral("ZAZ.ini")));
    EXPECT_EQ(file.sectionNames(),
              QStringList({"caract", "mode", "couleur", "afich", "detail", "sector", "conflict",
                           "screen", "server meteo"}));
    // Colours are written as constant names when they have one, otherwise as "$" hex.
    EXPECT_EQ(file.find("couleur")->keys.size(), kColourCount);
    EXPECT_EQ(file.value("couleur", "FOND"), "$00201A10");
    EXPECT_EQ(file.value("couleur", "ALERTE"), "clRed");
    EXPECT_EQ(file.value("afich", "HIGH AWY"), "true");
    EXPECT_EQ(file.value("couleur", "METEO"), "clSkyBlue");
    const auto &screen = file.find("screen")->keys;
    QStringList screenKeys;
    for (const auto &kv : screen)
        screenKeys << kv.first;
    EXPECT_EQ(screenKeys.mid(0, 4), QStringList({"radartop", "radarleft", "radarheight", "radarwidth"}));
    EXPECT_EQ(screenKeys.last(), "eqdist");
    EXPECT_EQ(file.value("screen", "radarleft"), "10");
    EXPECT_EQ(file.value("screen", "radarwidth"), "800");
}

TEST(SettingsRead, StartingFileRoundTripsThroughExitUnchanged)
{
    // The delivered settings read into the state and written back give the same values.
    TestEnv env = TestEnv::withStartingData();
    const QByteArray before = env.readBytes(QStringLiteral("ZAZ.ini"));
    ASSERT_FALSE(before.isEmpty());
    RadarState state;
    SettingsReport report;
    IniFile ini(env.path(QStringLiteral("ZAZ.ini")));
    ReadAll(ini, state, report);
    EXPECT_TRUE(report.isEmpty()) << report.text().toStdString();
    EXPECT_EQ(state.settings.display.colours[kColFixes].name, "FIXES");
    EXPECT_EQ(state.settings.display.colours[kColSid].name, "SID");
    EXPECT_EQ(state.settings.display.colours[kColStar].name, "STAR");
    EXPECT_EQ(state.settings.display.colours[kColLowAirways].name, "LOW AWY");
    EXPECT_EQ(state.settings.display.colours[kColHighAirways].name, "HIGH AWY");
    ASSERT_TRUE(Settings::ReadWindowRect(ini, state.settings.windows.main));
    // No sector is loaded here, so the selection texts written are empty and are left out
    // of the comparison.
    ASSERT_TRUE(Settings::WriteExit(ini, state));

    const IniText old = IniText::parse(before);
    const IniText now = IniText::parse(env.readBytes(QStringLiteral("ZAZ.ini")));
    const QStringList selectionKeys = {"liste_fix", "liste_fix2", "liste_fix3", "liste_sid",
                                       "liste_star", "liste_low", "liste_hi"};
    for (const IniText::Section &s : old.sections)
        for (const auto &kv : s.keys) {
            if (s.name == "sector" && selectionKeys.contains(kv.first))
                continue;
            EXPECT_EQ(now.value(s.name, kv.first), kv.second) << s.name.toStdString() << "/"
                                                              << kv.first.toStdString();
        }
}

TEST(SettingsRead, ColoursDetailsAndDictionariesInFileOrder)
{
    TestEnv env;
    QString text = QStringLiteral("[couleur]\n");
    QString afich = QStringLiteral("[afich]\n");
    for (int i = 0; i < kColourCount; ++i) {
        text += QStringLiteral("c%1=%2\n").arg(i).arg(i == 2 ? QStringLiteral("clRed") : IntToStr(i * 65793));
        afich += QStringLiteral("C%1=%2\n").arg(i).arg(i % 2 ? "true" : "TRUE");
    }
    text += afich;
    text += QStringLiteral("[detail]\nRUNWAY=clWhite\nTAXIWAY=$0000FFFF\n"
                           "[cloud typ]\nCU=cumulus\nCB=cumulonimbus\n");
    env.write(QStringLiteral("ZAZ.ini"), text);
    RadarState state;
    SettingsReport report;
    Settings::ReadDisplay(IniFile(env.path(QStringLiteral("ZAZ.ini"))), state.settings, report);
    Settings::ReadWeatherTables(IniFile(env.path(QStringLiteral("ZAZ.ini"))), state.settings);

    const auto &colours = state.settings.display.colours;
    EXPECT_EQ(colours[0].name, "c0");
    EXPECT_EQ(colours[20].name, "c20");
    EXPECT_EQ(colours[2].colour, 0x0000FF);
    EXPECT_EQ(colours[3].colour, 3 * 65793);
    // Only the exact text "true" is true, whatever the key's case.
    EXPECT_EQ(colours[1].visible, 1);
    EXPECT_EQ(colours[2].visible, 0);
    ASSERT_EQ(state.settings.display.details.size(), 2);
    EXPECT_EQ(state.settings.display.details[1].name, "TAXIWAY");
    EXPECT_EQ(state.settings.display.details[1].value, "$0000FFFF");
    const WeatherDictionary &clouds = state.settings.weatherDictionaries[4];
    EXPECT_EQ(clouds.keys, QStringList({"CU", "CB"}));
    EXPECT_EQ(clouds.values, QStringList({"cumulus", "cumulonimbus"}));
}

TEST(SettingsRead, MissingOrBadValuesGiveSaneValuesAndNameFileSectionKey)
{
    TestEnv env;
    env.write(QStringLiteral("ZAZ.ini"),
              QStringLiteral("[screen]\neqdist=dix\n[caract]\nsize=9\nlistsize=8\n"
                             "[couleur]\nFOND=clBlack\nVOR=pas une couleur\n"
                             "[conflict]\nvertical=1500\nhorizontal=3\n"
                             "[detail]\nRUNWAY=rouge\n[server meteo]\nrayon=50\n"));
    RadarState state;
    SettingsReport report;
    ReadAll(IniFile(env.path(QStringLiteral("ZAZ.ini"))), state, report);

    EXPECT_EQ(state.view.ringSpacing, 10);
    EXPECT_EQ(state.settings.display.minimumAltitude, 2000);
    EXPECT_EQ(state.settings.display.verticalSeparation, 1500);
    const auto &colours = state.settings.display.colours;
    EXPECT_EQ(colours[0].colour, 0);
    EXPECT_EQ(colours[1].name, "VOR");
    EXPECT_EQ(colours[1].colour, DefaultColourTable()[1].colour);
    EXPECT_EQ(colours[3].name, "FIXES"); // missing entries take the default names
    TColor detail = 0;
    EXPECT_TRUE(TryStringToColor(state.settings.display.details[0].value, detail));

    const QString text = report.text();
    EXPECT_TRUE(text.contains(QStringLiteral("ZAZ.ini, section [screen], clé \"eqdist\" : \"dix\"")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("ZAZ.ini, section [conflict], clé \"minimum\" absente")));
    EXPECT_TRUE(text.contains(QStringLiteral("section [couleur] : 2 couleurs sur 21")));
    EXPECT_TRUE(text.contains(QStringLiteral("clé \"VOR\" : \"pas une couleur\" n'est pas une couleur")));
    EXPECT_TRUE(text.contains(QStringLiteral("clé \"RUNWAY\"")));
    EXPECT_FALSE(text.contains(QStringLiteral("rayon")));
}

TEST(SettingsImmediateWrites, SimulatorAndSectorFoldersAreOnDiskAtOnce)
{
    TestEnv env;
    env.write(QStringLiteral("ZAZ.ini"), QStringLiteral("[FSX]\nDIR=error\n"));
    RadarState state;
    IniFile ini(env.path(QStringLiteral("ZAZ.ini")));
    ASSERT_TRUE(Settings::WriteSimulatorDir(ini, state.settings, QStringLiteral("/opt/sim/")));
    ASSERT_TRUE(Settings::WriteSectorDir(ini, state.settings, QStringLiteral("/home/c/secteurs")));
    const IniText file = IniText::parse(env.readBytes(QStringLiteral("ZAZ.ini")));
    EXPECT_EQ(file.value("FSX", "DIR"), "/opt/sim/");
    EXPECT_EQ(file.value("FSX", "SCTDIR"), "/home/c/secteurs");
    EXPECT_EQ(state.settings.paths.simulatorDir, "/opt/sim/");
}
