// Loading and saving a sector through the main menu: the file dialogs, the progress window
// and the messages.
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "ui/TForm2.h"
#include "ui/TForm_message.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QProgressBar>
#include <gtest/gtest.h>

namespace zaz::test {
namespace {

// The program after its start on the starting data: the demo sector is loaded.
struct Program {
    Program()
    {
        form.FormShow();
        env.prompts.clear();
    }
    // The progress window once the work is done: its caption, hidden; the cursor back.
    void expectWorkDone(const char *caption) const
    {
        EXPECT_EQ(progress.windowTitle(), caption);
        EXPECT_FALSE(progress.isVisible());
        EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
    }

    TestEnv env = TestEnv::withStartingData();
    std::unique_ptr<AppWindows> windows = CreateAppWindows(env.services());
    TForm1 &form = *windows->form1;
    const TForm_message &progress = *windows->message;
    const RadarState &state = form.state();
};

} // namespace

TEST(SectorUi, ChargerSecteurLoadsTheFileChosenAndKeepsItWhenTheNextCannotBeRead)
{
    Program p;
    p.env.write(QStringLiteral("ailleurs/petit.sct"),
                QStringLiteral("[INFO]\nPetit\nLFLY_TWR\nLFLY\nN045.43.00.000\nE004.56.00.000\n60\n42\n1.5\n1\n"
                               "[FIXES]\nFIX1  N045.00.00.000 E005.00.00.000\nFIX2  N045.00.00.000\n[SID]\n"
                               "S1 N045.00.00.000 E005.00.00.000 N046.00.00.000 E005.00.00.000\n"));
    const QByteArray before = p.env.readBytes(QStringLiteral("ZAZ.ini"));
    p.form.menu().chargersct1->trigger();
    const PromptCall dialog = p.env.prompts.calls().value(0);
    EXPECT_EQ(dialog.caption + "|" + dialog.filter + "|" + dialog.initialDir,
              "chosir le secteur?|secteur (*.sct)|*.SCT|" + p.env.path(QStringLiteral("secteurs/")));
    EXPECT_EQ(p.env.readBytes(QStringLiteral("ZAZ.ini")), before) << "cancelled: nothing changes";

    p.env.prompts.answerOpen(p.env.path(QStringLiteral("ailleurs/petit.sct")));
    p.form.menu().chargersct1->trigger();
    EXPECT_EQ(p.state.sector.identity.name, "Petit");
    EXPECT_EQ(IniFile(p.env.path(QStringLiteral("ZAZ.ini"))).readString("FSX", "SCTDIR", {}),
              p.env.path(QStringLiteral("ailleurs/")));
    // A new sector starts with every fix (the one in error excepted) and no procedure.
    EXPECT_EQ(SelectionText(p.state.sector.tables.fixes) + "|" + SelectionText(p.state.sector.tables.sids), "10|0");
    ASSERT_EQ(p.env.prompts.messages().size(), 2);
    EXPECT_TRUE(p.env.prompts.messages()[0].startsWith(QStringLiteral("erreur de coordonnée ligne: \r13: ")));
    EXPECT_TRUE(p.env.prompts.messages()[1].startsWith(QStringLiteral("0 AIRPORT\r0 VOR\r0 NDB\r2 FIXES")));
    EXPECT_EQ(p.progress.ProgressBar1()->value(), p.progress.ProgressBar1()->maximum());
    p.expectWorkDone("chargement secteur en cours");

    const QString folder = p.env.path(QStringLiteral("dossier.sct"));
    QDir().mkpath(folder);
    p.env.prompts.answerOpen(folder);
    p.form.menu().chargersct1->trigger();
    EXPECT_EQ(p.env.prompts.messages().mid(2),
              QStringList{QStringLiteral("Impossible de lire le secteur %1 : c'est un dossier").arg(folder)});
    EXPECT_EQ(p.state.sector.identity.name + "|" + SelectionText(p.state.sector.tables.fixes), "Petit|10");
    p.expectWorkDone("chargement secteur en cours");
}

TEST(SectorUi, TheSectorLoadedNamesTheControllerOnTheLinkAndInTheConnectionDialog)
{
    Program p;
    const LinkState &l = p.state.link;
    EXPECT_EQ(QStringList({l.OwnCallsign, l.WeatherStation, p.state.weather.CurrentWeather.station, l.Com1Frequency,
                           l.Com1Digits, QString::number(l.OwnLat, 'f', 4)}),
              QStringList({"LFLL_APP", "LFLL", "LFLL", "127.575", "127575", "45.7256"}));
    p.windows->form2->prepare(QStringLiteral("VIREO-SERVER"));
    EXPECT_EQ(p.windows->form2->choice().callsign, "LFLL_APP");
}

TEST(SectorUi, SauvegarderSecteurWritesWhatReadsBackOrSaysWhyNot)
{
    Program p;
    p.env.prompts.answerSave(p.env.path(QStringLiteral("copie")));
    p.env.prompts.answerSave(p.env.path(QStringLiteral("pas/de/dossier/copie.sct")));
    p.form.menu().sauvegardersct1->trigger();
    ASSERT_EQ(p.env.prompts.calls().size(), 1) << "no message";
    EXPECT_EQ(p.env.prompts.calls()[0].filter + "|" + p.env.prompts.calls()[0].initialDir,
              "secteur (*.sct)|*.SCT|" + p.env.path(QStringLiteral("secteurs")));
    p.expectWorkDone("ecriture secteur en cours");

    // ".sct" is added; the file holds the selected procedures only (three SIDs).
    QString error;
    const auto back = ReadSectorFile(p.env.path(QStringLiteral("copie.sct")), ReadSettingsOf(p.state), error);
    ASSERT_TRUE(back.has_value()) << error.toStdString();
    EXPECT_EQ(back->tables.fixes.size(), p.state.sector.tables.fixes.size());
    EXPECT_EQ(back->tables.sids.size(), 3);

    p.form.menu().sauvegardersct1->trigger();
    EXPECT_TRUE(p.env.prompts.messages().value(0).contains(QStringLiteral("pas/de/dossier/copie.sct")));
}

} // namespace zaz::test
