// Reading ZAZ.ini into the state, writing it back at exit, and the keys written at once.
#include "core/Text.h"
#include "state/Settings.h"
#include "support/IniText.h"
#include "support/TestEnv.h"

#include <QDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace zaz {
namespace {

using test::IniText;
using test::TestEnv;

const QString kIni = QStringLiteral("ZAZ.ini");

// Reads the whole file as the start-up does.
void ReadAll(const IniFile &ini, RadarState &state, SettingsReport &report)
{
    Settings::ReadRingSpacing(ini, state.view, report);
    Settings::ReadDisplay(ini, state.settings, report);
    Settings::ReadSector(ini, state.settings);
    Settings::ReadWeather(ini, state.weather, report);
    Settings::ReadWindowPlaces(ini, state.settings);
}

// The exit writes everything at once: under a full disk (imitated with the file size limit
// of the process) the first keys would fit and the whole does not, so a write per key would
// leave a half-written file.
TEST(SettingsExit, OneWriteInExitOrderThatLeavesTheFileAsItWasWhenItFails)
{
    TestEnv env;
    env.write(kIni, QStringLiteral("[mode]\ncharly=false\nsqwak = true \n"));
    const QByteArray before = env.readBytes(kIni);
    RadarState state;
    state.settings.display.colours = DefaultColourTable();
    state.settings.display.labelMode = 1;
    for (int i = 0; i < 4100; ++i)
        state.sector.tables.fixes.append(FIXE{{}, 0, 0, std::uint8_t(i % 3 != 1), {}});
    state.sector.tables.sids.resize(3);
    state.sector.tables.sids[1].selected = 1;
    state.settings.windows.main = QRect(10, 20, 800, 600);
    IniFile ini(env.path(kIni));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 200;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = Settings::WriteExit(ini, state);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(env.readBytes(kIni), before);
    EXPECT_EQ(QDir(env.dir()).entryList(QDir::Files | QDir::Hidden), QStringList({kIni}));

    ASSERT_TRUE(Settings::WriteExit(ini, state));
    const QByteArray bytes = env.readBytes(kIni);
    EXPECT_TRUE(bytes.startsWith("[mode]\r\ncharly=true\r\nsqwak = true \r\n")) << bytes.constData();
    const IniText file = IniText::parse(bytes);
    EXPECT_EQ(file.sectionNames(), QStringList({"mode", "caract", "couleur", "afich", "sector", "conflict",
                                                "screen", "server meteo"}));
    EXPECT_EQ(file.find("screen")->keys.mid(0, 2),
              (QList<QPair<QString, QString>>{{"radartop", "20"}, {"radarleft", "10"}}));
    // The fix selection is cut into pieces of 2047 characters and read back whole.
    EXPECT_EQ(file.value("sector", "liste_fix2").size() + file.value("sector", "liste_fix3").size(), 2047 + 6);
    RadarState next;
    Settings::ReadSector(IniFile(env.path(kIni)), next.settings);
    EXPECT_EQ(next.settings.selections.fixes, SelectionText(state.sector.tables.fixes));
    EXPECT_EQ(next.settings.selections.sids, "010");
}

TEST(SettingsRead, StartingFileReadsCleanAndRoundTripsThroughExit)
{
    TestEnv env = TestEnv::withStartingData();
    const IniText old = IniText::parse(env.readBytes(kIni));
    RadarState state;
    SettingsReport report;
    IniFile ini(env.path(kIni));
    ReadAll(ini, state, report);
    EXPECT_TRUE(report.isEmpty()) << report.text().toStdString();
    ASSERT_TRUE(Settings::ReadWindowRect(ini, state.settings.windows.main));
    ASSERT_TRUE(Settings::WriteExit(ini, state));
    // No sector is loaded, so the selection texts written are empty.
    const IniText now = IniText::parse(env.readBytes(kIni));
    for (const IniText::Section &s : old.sections)
        for (const auto &[key, value] : s.keys)
            EXPECT_EQ(key.startsWith("liste_") ? value : now.value(s.name, key), value)
                << s.name.toStdString() << "/" << key.toStdString();
}

// The display values the dialogs edit and the file keeps come back at the next start, each
// through its own key; the transponder flag is read only.
TEST(SettingsExit, DisplayEditsComeBackAtTheNextStart)
{
    TestEnv env = TestEnv::withStartingData();
    SettingsReport report;
    RadarState state, next;
    IniFile ini(env.path(kIni));
    ReadAll(ini, state, report);
    const auto kept = [](const DisplaySettings &d) {
        QString v = QStringLiteral("%1|%2|%3|%4|%5%6%7%8%9|").arg(d.screenFontName, d.listFontName)
                        .arg(d.screenFontSize).arg(d.listFontSize).arg(d.labelMode).arg(d.showSidNames)
                        .arg(d.showStarNames).arg(d.showLowNames).arg(d.showHighNames);
        const SeparationMinima &m = d.separation;
        v += QStringLiteral("%1|%2|%3").arg(m.minimumAltitude).arg(m.verticalSeparation).arg(m.horizontalSeparation);
        for (const t_couleur &c : d.colours)
            v += "|" + c.name + ColorToString(c.colour) + IntToStr(c.visible);
        for (const t_define &e : d.details)
            v += "|" + e.name + e.value;
        return v;
    };
    DisplaySettings &d = state.settings.display;
    d.screenFontName = "Serif";
    d.listFontName = "Mono";
    d.screenFontSize = 13;
    d.listFontSize = 7;
    d.separation = {1500, 800, 3};
    for (std::uint8_t *flag : {&d.labelMode, &d.showSidNames, &d.showStarNames, &d.showLowNames, &d.showHighNames,
                               &d.transponderOnLabel})
        *flag = !*flag;
    for (t_couleur &c : d.colours)
        c = {c.name, c.colour ^ 0x010203, std::uint8_t(!c.visible)};
    for (t_define &e : d.details)
        e.value = ColorToString(StringToColor(e.value) ^ 0x030201);
    ASSERT_TRUE(Settings::WriteExit(ini, state));

    ReadAll(IniFile(env.path(kIni)), next, report);
    EXPECT_TRUE(report.isEmpty()) << report.text().toStdString();
    EXPECT_EQ(kept(next.settings.display), kept(d));
    EXPECT_EQ(next.settings.display.transponderOnLabel, 1);
}

TEST(SettingsRead, BadOrMissingKeysFallBackOnTheStatesInitialValuesAndAreReported)
{
    TestEnv env;
    env.write(kIni, QStringLiteral("[screen]\neqdist=dix\ncmdtop=x\n[caract]\nsize=9.5\n"
                                   "[couleur]\nFOND=clBlack\nVOR=pas une couleur\n[conflict]\nvertical=\n"
                                   "[server meteo]\nrayon=50 nm\n"));
    RadarState state;
    DisplaySettings &d = state.settings.display;
    state.view.ringSpacing = d.separation.minimumAltitude = -1;
    state.settings.windows.commands = QRect(1, 1, 1, 1);
    SettingsReport report;
    ReadAll(IniFile(env.path(kIni)), state, report);

    EXPECT_EQ(state.view.ringSpacing, ViewState().ringSpacing);
    EXPECT_EQ(d.separation.minimumAltitude, SeparationMinima().minimumAltitude);
    EXPECT_EQ(state.settings.windows.commands, WindowPlaces().commands);

    // Each line names the file, the section, the key and the fallback used.
    const DisplaySettings initial;
    const auto at = [](const char *section, const char *key) {
        return QStringLiteral("ZAZ.ini, section [%1], clé \"%2\"").arg(section, key);
    };
    const auto bad = [&](const char *section, const char *key, const char *text, int value) {
        return at(section, key)
               + QStringLiteral(" : \"%1\" n'est pas un nombre entier ; valeur utilisée : %2").arg(text).arg(value);
    };
    const auto absent = [&](const char *section, const char *key, int value) {
        return at(section, key) + QStringLiteral(" absente ; valeur utilisée : %1").arg(value);
    };
    EXPECT_EQ(report.lines(),
              QStringList({bad("screen", "eqdist", "dix", ViewState().ringSpacing),
                           bad("caract", "size", "9.5", initial.screenFontSize),
                           absent("caract", "listsize", initial.listFontSize),
                           "ZAZ.ini, section [couleur] : 2 couleurs sur 21 ; les couleurs manquantes prennent leur "
                           "valeur par défaut",
                           at("couleur", "VOR") + " : \"pas une couleur\" n'est pas une couleur ; valeur utilisée : "
                               + ColorToString(DefaultColourTable()[kColVor].colour),
                           absent("conflict", "minimum", initial.separation.minimumAltitude),
                           bad("conflict", "vertical", "", initial.separation.verticalSeparation),
                           absent("conflict", "horizontal", initial.separation.horizontalSeparation),
                           bad("server meteo", "rayon", "50 nm", WeatherServerSettings().radius.toInt())}));
}

TEST(SettingsRead, CodeTextsByCodeAndCaptionsInFileOrder)
{
    TestEnv env;
    env.write(kIni, QStringLiteral("[facility]\n4=Approche\n0=Observateur\n[rating]\n1=OBS\n"));
    CodeTexts texts;
    texts.facility.insert("9", "ancien");
    Settings::ReadCodeTexts(IniFile(env.path(kIni)), texts);
    EXPECT_EQ(texts.facility, (QHash<QString, QString>{{"4", "Approche"}, {"0", "Observateur"}}));
    EXPECT_EQ(texts.facilityCaptions, QStringList({"Approche", "Observateur"}));
    EXPECT_EQ(texts.rating.value("1"), "OBS");
    EXPECT_EQ(texts.ratingCaptions, QStringList({"OBS"}));
}

} // namespace
} // namespace zaz
