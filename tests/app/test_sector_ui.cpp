// Loading and saving sectors from the main window: the auto-load at start, the menu items
// "charger secteur" and "sauvegarder secteur".
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "ui/TForm_message.h"
#include "sector/SectorReader.h"
#include "support/IniText.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QFile>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace zaz;
using zaz::test::IniText;
using zaz::test::PromptCall;
using zaz::test::TestEnv;

namespace {

// Shows the main window and waits for its show handler.
void Show(TForm1 &form)
{
    QSignalSpy shown(&form, &TForm1::shown);
    form.show();
    ASSERT_TRUE(shown.wait(5000));
}

} // namespace

TEST(SectorUi, DemoSectorLoadsAtStartAndProgressWindowCloses)
{
    TestEnv env = TestEnv::withStartingData();
    auto windows = CreateAppWindows(env.services());
    TForm1 &form = *windows->form1;
    QSignalSpy loaded(&form.state().notifier, &StateNotifier::sectorLoaded);
    Show(form);

    const RadarState &s = form.state();
    EXPECT_EQ(loaded.size(), 1);
    EXPECT_TRUE(s.sector.identity.loaded);
    EXPECT_EQ(s.sector.identity.airport.trimmed(), "LFLL");
    EXPECT_FLOAT_EQ(s.view.centreLat, s.sector.identity.ownLat);
    EXPECT_LT(s.view.nmPerDegLon, 43.0f);
    EXPECT_TRUE(form.StatusText(0).contains(QStringLiteral(" declinaison:")));
    // Selections saved in the settings apply: the first three SIDs only.
    EXPECT_EQ(SelectionText(s.sector.tables.sids).left(6), "111000");
    EXPECT_FALSE(windows->message->isVisible());
    for (const char *view : {"Vue11", "vue21", "vue31", "vue41"})
        EXPECT_FALSE(form.MenuItem(QLatin1String(view))->isVisible()) << view;
    // The summary is the last box; the demo sector has no coordinate error.
    const QStringList messages = env.prompts.messages();
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_TRUE(messages.last().contains(QStringLiteral(" AIRPORT\r"))) << messages.last().toStdString();
    EXPECT_FALSE(messages.join(' ').contains(QStringLiteral("erreur de coordonnée")));
    EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
}

TEST(SectorUi, ChargerSecteurAsksForAFileWritesTheFolderAndClearsSelections)
{
    TestEnv env = TestEnv::withStartingData();
    env.write(QStringLiteral("ailleurs/petit.sct"),
              QStringLiteral("[INFO]\nPetit\nLFLY_TWR\nLFLY\nN045.43.00.000\nE004.56.00.000\n60\n42\n1.5\n1\n"
                             "[FIXES]\nFIX1  N045.00.00.000 E005.00.00.000\nFIX2  N045.00.00.000\n"
                             "[SID]\nS1                        N045.00.00.000 E005.00.00.000 N046.00.00.000 E005.00.00.000\n"));
    auto windows = CreateAppWindows(env.services());
    TForm1 &form = *windows->form1;
    Show(form);
    env.prompts.clear();

    // Cancelling changes nothing.
    const QByteArray before = env.readBytes(QStringLiteral("ZAZ.ini"));
    form.MenuItem(QStringLiteral("chargersct1"))->trigger();
    ASSERT_EQ(env.prompts.count(PromptCall::Open), 1);
    EXPECT_EQ(env.prompts.calls()[0].caption, "chosir le secteur?");
    EXPECT_EQ(env.prompts.calls()[0].filter, "secteur (*.sct)|*.SCT");
    EXPECT_EQ(env.prompts.calls()[0].initialDir, env.path(QStringLiteral("secteurs/")));
    EXPECT_EQ(env.readBytes(QStringLiteral("ZAZ.ini")), before);
    EXPECT_EQ(form.state().sector.identity.airport.trimmed(), "LFLL");

    env.prompts.clear();
    env.prompts.answerOpen(env.path(QStringLiteral("ailleurs/petit.sct")));
    form.MenuItem(QStringLiteral("chargersct1"))->trigger();
    const RadarState &s = form.state();
    EXPECT_EQ(s.sector.identity.name, "Petit");
    EXPECT_EQ(s.settings.paths.sectorFile, env.path(QStringLiteral("ailleurs/petit.sct")));
    // The folder is on disk at once; a new sector starts with every fix and no SID.
    EXPECT_EQ(IniText::parse(env.readBytes(QStringLiteral("ZAZ.ini"))).value("FSX", "SCTDIR"),
              env.path(QStringLiteral("ailleurs")) + "/");
    EXPECT_EQ(SelectionText(s.sector.tables.fixes), "10");
    EXPECT_EQ(SelectionText(s.sector.tables.sids), "0");
    // The coordinate error, then the summary.
    const QStringList messages = env.prompts.messages();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("erreur de coordonnée ligne: \r13: ")));
    EXPECT_TRUE(messages[1].startsWith(QStringLiteral("0 AIRPORT\r0 VOR\r0 NDB\r2 FIXES")));
    EXPECT_FALSE(windows->message->isVisible());
}

TEST(SectorUi, UnreadableFileKeepsTheSectorLoadedBefore)
{
    TestEnv env = TestEnv::withStartingData();
    QDir().mkpath(env.path(QStringLiteral("dossier.sct")));
    auto windows = CreateAppWindows(env.services());
    TForm1 &form = *windows->form1;
    Show(form);
    const qsizetype fixes = form.state().sector.tables.fixes.size();
    env.prompts.clear();
    env.prompts.answerOpen(env.path(QStringLiteral("dossier.sct")));
    form.MenuItem(QStringLiteral("chargersct1"))->trigger();
    ASSERT_EQ(env.prompts.messages().size(), 1);
    EXPECT_TRUE(env.prompts.messages()[0].startsWith(QStringLiteral("Impossible de lire le secteur")));
    EXPECT_EQ(form.state().sector.tables.fixes.size(), fixes);
    EXPECT_EQ(form.state().sector.identity.airport.trimmed(), "LFLL");
    EXPECT_FALSE(windows->message->isVisible());
    EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
}

TEST(SectorUi, SauvegarderSecteurWritesWhatReadsBack)
{
    TestEnv env = TestEnv::withStartingData();
    auto windows = CreateAppWindows(env.services());
    TForm1 &form = *windows->form1;
    Show(form);
    env.prompts.clear();
    env.prompts.answerSave(env.path(QStringLiteral("copie")));
    form.MenuItem(QStringLiteral("sauvegardersct1"))->trigger();
    ASSERT_EQ(env.prompts.count(PromptCall::Save), 1);
    EXPECT_EQ(env.prompts.calls()[0].initialDir, env.path(QStringLiteral("secteurs")));
    EXPECT_TRUE(env.prompts.messages().isEmpty()) << env.prompts.messages().join(' ').toStdString();

    // ".sct" is added; the file holds the selected elements only, read back by columns.
    QString error;
    const auto back = ReadSectorFile(env.path(QStringLiteral("copie.sct")), ReadSettingsOf(form.state()), error);
    ASSERT_TRUE(back.has_value()) << error.toStdString();
    EXPECT_EQ(back->tolerantLines, 0);
    EXPECT_FALSE(back->hasErrors);
    EXPECT_EQ(back->tables.fixes.size(), form.state().sector.tables.fixes.size());
    EXPECT_EQ(back->tables.sids.size(), 3);
    EXPECT_EQ(back->tables.geo.size(), form.state().sector.tables.geo.size());
    EXPECT_TRUE(env.readBytes(QStringLiteral("copie.sct")).startsWith("; Ce fichier secteur a \xE9t\xE9 modifi\xE9"));
    EXPECT_FALSE(windows->message->isVisible());
}
