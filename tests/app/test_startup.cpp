// The main window's start, its menu, the windows and the program the menu starts, and "exit".
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "core/Shell.h"
#include "ui/TForm_bouton.h"
#include "ui/TForm_info.h"
#include "ui/TForm_message.h"
#include "support/IniText.h"
#include "support/TestEnv.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace zaz::test {
namespace {

// The menu as the user sees it: captions in order, "-" before a disabled item, the items of a
// sub-menu in braces. The actions are appended to met in the same order.
QString MenuText(const QList<QAction *> &actions, QList<QAction *> &met)
{
    QStringList items;
    for (QAction *a : actions) {
        met << a;
        items << (a->isEnabled() ? "" : "-") + a->text()
                     + (a->menu() ? "{" + MenuText(a->menu()->actions(), met) + "}" : QString());
    }
    return items.join(QLatin1Char(','));
}

QString Setting(const TestEnv &env, const char *section, const char *key)
{
    return IniText::parse(env.readBytes(QStringLiteral("ZAZ.ini"))).value(QLatin1String(section), QLatin1String(key));
}

} // namespace

TEST(StartUp, ReadsTheSettingsThenReportsProbesAsksAndReloadsTheLastSector)
{
    TestEnv env = TestEnv::withStartingData();
    ASSERT_TRUE(env.replace(QStringLiteral("ZAZ.ini"), "eqdist=10", "eqdist=dix"));
    QFile::remove(env.path(QStringLiteral("simulateur/FSX.exe")));
    auto w = CreateAppWindows(env.services());
    TForm1 &form = *w->form1;
    // Read before anything shows: the picture has the background of the settings ($00201A10).
    EXPECT_EQ(QColor(form.picture().pixel(5, 5)), QColor(0x10, 0x1A, 0x20));
    EXPECT_TRUE(env.prompts.calls().isEmpty());

    QSignalSpy shown(&form, &TForm1::shown);
    form.show();
    ASSERT_TRUE(shown.wait(5000));
    const QList<PromptCall> calls = env.prompts.calls();
    ASSERT_EQ(calls.size(), 4);
    EXPECT_TRUE(calls[0].text.contains(
        QStringLiteral("ZAZ.ini, section [screen], clé \"eqdist\" : \"dix\" n'est pas un nombre entier")));
    EXPECT_EQ(calls[1].text, "SimConnect.dll not found");
    EXPECT_FALSE(form.menu().ConnectFSX1->isEnabled());
    // The simulator folder holds no simulator: asked for, cancelled, nothing written.
    EXPECT_EQ(calls[2].caption + "|" + calls[2].filter + "|" + calls[2].initialDir,
              "Simutator path?|simulateur (*.exe)|*.EXE|" + env.dir());
    EXPECT_EQ(Setting(env, "FSX", "DIR"), "simulateur/");
    EXPECT_EQ(form.menu().ConnectFSX1->text(), "connect ");
    // The last sector, with its summary and the progress window.
    EXPECT_TRUE(calls[3].text.contains(QStringLiteral(" AIRPORT\r"))) << calls[3].text.toStdString();
    EXPECT_EQ(form.state().sector.identity.airport.trimmed(), "LFLL");
    EXPECT_FALSE(form.menu().Vue11->isVisible());
    EXPECT_EQ(w->message->windowTitle(), "chargement secteur en cours");
    form.hide();
    form.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(env.prompts.calls().size(), 4) << "shown again, nothing is asked twice";
}

TEST(StartUp, LibraryFoundAndTheSimulatorFolderChosenWrittenAtOnce)
{
    TestEnv env; // no settings file: the simulator folder read, "ERROR", holds no simulator
    // Both simulators in the folder chosen: the later test, P3D, wins.
    env.write(QStringLiteral("autre/FSX.exe"), QStringLiteral("x"));
    env.write(QStringLiteral("autre/Prepar3D.exe"), QStringLiteral("x"));
    env.prompts.answerOpen(env.path(QStringLiteral("autre/FSX.exe")));
    AppServices services = env.services();
    services.simLibraryName = QStringLiteral(ZAZ_STANDIN_LIBRARY);
    TForm1 form(services);
    form.FormShow();
    EXPECT_EQ(form.statusText(0), "SimConnect.dll Loaded");
    EXPECT_TRUE(form.menu().ConnectFSX1->isEnabled());
    EXPECT_EQ(Setting(env, "FSX", "DIR"), env.path(QStringLiteral("autre/")));
    EXPECT_EQ(form.menu().ConnectFSX1->text(), "connect P3D");
}

TEST(StartUp, WindowGeometryFallsBackWhenUnreadableOrCentredOffTheScreen)
{
    const QRect fallback(0, 0, 1920 - 261, 1080);
    // Top, left, height, width; centres on the right edge, one pixel inside, on the bottom edge.
    const std::pair<const char *, QRect> cases[] = {
        {"10 20 700 900", QRect(20, 10, 900, 700)}, {"0 2000 500 100", fallback}, {"0 1720 500 400", fallback},
        {"0 1719 500 400", QRect(1719, 0, 400, 500)}, {"880 0 400 600", fallback}, {"0 x 500 600", fallback}};
    TestEnv env;
    for (const auto &[values, expected] : cases) {
        const QStringList v = QString::fromLatin1(values).split(QLatin1Char(' '));
        env.write(QStringLiteral("ZAZ.ini"), QStringLiteral("[screen]\nradartop=%1\nradarleft=%2\nradarheight=%3\n"
                                                            "radarwidth=%4\n").arg(v[0], v[1], v[2], v[3]));
        EXPECT_EQ(TForm1(env.services()).geometry(), expected) << values;
    }
}

TEST(MainMenu, EveryItemHasItsCaptionAndState)
{
    TestEnv env;
    TForm1 form(env.services());
    const MainMenuItems &m = form.menu();
    QList<QAction *> met;
    EXPECT_EQ(MenuText(form.menuBar()->actions(), met),
              QStringLiteral("Fichier{charger secteur,connect serveur,-disconnect serveur,Connect,sauvegarder secteur,"
                             "exit},ecran{affichage,taille{recalage 1écran  (F7),recalage 2 écrans (F8)},commandes},"
                             "radar{visibilité,securité,centrer,Déclinaison,vues},controleur{,ATIS,Radio,teamspeak,"
                             "textes,météo,vols,strips,controls,-paquets}, ,-,vue1,vue2,vue3,vue4,-FP deposés{Tous,"
                             "par date},version,-TrafficAI,-reconnexion"));
    // The members are those items, met in the same order (the unnamed item is no member).
    const QList<QAction *> members = {
        m.Fichier1->menuAction(), m.chargersct1, m.connect1, m.disconnect1, m.ConnectFSX1, m.sauvegardersct1,
        m.exit1, m.paramtres1->menuAction(), m.couleurs1, m.taille1->menuAction(), m.rectangulaire1, m.carr1,
        m.commandes1, m.radar1->menuAction(), m.range1, m.securit1, m.centrer1, m.Dclinaison1, m.vues1,
        m.controleur1->menuAction(), m.Situation1, m.ATIS1, m.Frquence1, m.teamspeak1, m.textes1, m.mto1,
        m.avions1, m.Strips1, m.controls1, m.paquets1, m.N1, met.value(31), m.Vue11, m.vue21, m.vue31, m.vue41,
        m.Depot->menuAction(), m.TOUS1, m.pardate1, m.version2, m.TrafficAI1, m.reconnexion1};
    EXPECT_EQ(met, members);
}

TEST(MainMenu, CommandesVersionAndTeamspeakStartWhatTheyName)
{
    TestEnv env;
    ProcessShell shell;
    AppServices services = env.services();
    services.shell = &shell;
    auto w = CreateAppWindows(services);
    const MainMenuItems &m = w->form1->menu();
    // "commandes": a label for each of five items.
    m.commandes1->trigger();
    ASSERT_TRUE(w->bouton->isVisible());
    const QList<QLabel *> labels = w->bouton->labels();
    const QList<QAction *> items = {m.centrer1, m.Frquence1, m.ATIS1, m.avions1, m.mto1};
    ASSERT_EQ(labels.size(), items.size());
    for (int i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(labels[i]->text(), QStringList({"CENTRER", "RADIO", "ATIS", "VOLS", "METEO"})[i]);
        QSignalSpy triggered(items[i], &QAction::triggered);
        QTest::mouseClick(labels[i], Qt::LeftButton);
        items[i]->setEnabled(false);
        QTest::mouseClick(labels[i], Qt::LeftButton);
        EXPECT_EQ(triggered.size(), 1) << i << ": once, while the item is enabled";
    }
    m.version2->trigger();
    EXPECT_TRUE(w->info->isVisible());
    EXPECT_EQ(w->info->findChild<QLabel *>(QStringLiteral("Label_version"))->text(), "VIREO_3.81");

    // "teamspeak": the voice program with its parameters, or a message.
    PathSettings &paths = w->form1->state().settings.paths;
    const QString started = env.path(QStringLiteral("lancé"));
    for (const char *program : {"", "/bin/sh", "/opt/pas-de-voix"}) {
        paths.voiceProgram = QLatin1String(program);
        paths.voiceParams = *program ? "-c \"touch '" + started + "'\"" : QString();
        m.teamspeak1->trigger();
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(started); }, 5000));
    EXPECT_EQ(env.prompts.messages(), QStringList({"renseignez votre fréquence radio", "paramètres de connexion invalides",
                                                   "Impossible de lancer le programme vocal \"/opt/pas-de-voix\""}));
}

TEST(Exit, WritesTheSettingsAndClosingOtherwiseDoesNot)
{
    TestEnv env;
    TForm1 form(env.services());
    form.setGeometry(30, 40, 700, 500);
    form.close();
    EXPECT_FALSE(QFile::exists(env.path(QStringLiteral("ZAZ.ini"))));
    form.menu().exit1->trigger();
    EXPECT_EQ(Setting(env, "screen", "radarleft") + "|" + Setting(env, "screen", "radarwidth"), "30|700");
}

} // namespace zaz::test
