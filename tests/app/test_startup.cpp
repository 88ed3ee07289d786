// Start-up, menus, show handler and exit of the main window, under the offscreen platform.
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "ui/TForm_bouton.h"
#include "ui/TForm_info.h"
#include "ui/TForm_message.h"
#include "support/IniText.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zaz;
using zaz::test::IniText;
using zaz::test::PromptCall;
using zaz::test::TestEnv;

namespace {

QString Geometry(int top, int left, int height, int width)
{
    return QStringLiteral("[screen]\nradartop=%1\nradarleft=%2\nradarheight=%3\nradarwidth=%4\neqdist=10\n")
        .arg(top)
        .arg(left)
        .arg(height)
        .arg(width);
}

// A settings file with everything the start-up needs, and the given window geometry.
QString CompleteSettings(const QString &geometry)
{
    TestEnv reference = TestEnv::withStartingData();
    QString text = QString::fromLatin1(reference.readBytes(QStringLiteral("ZAZ.ini")));
    const int screen = text.indexOf(QStringLiteral("[screen]"));
    const int next = text.indexOf(QLatin1Char('['), screen + 1);
    return text.left(screen) + geometry + text.mid(next);
}

QRect OpenedGeometry(const QString &settings, QSize screen)
{
    TestEnv env;
    env.write(QStringLiteral("ZAZ.ini"), settings);
    TForm1 form(env.services(screen));
    return form.geometry();
}

} // namespace

TEST(StartUpGeometry, FallsBackWhenUnreadableOrCentreOffScreen)
{
    const QSize screen(1920, 1080);
    const QRect fallback(0, 0, 1920 - 261, 1080);
    // radarleft 2000 on a 1920-pixel screen.
    EXPECT_EQ(OpenedGeometry(CompleteSettings(Geometry(0, 2000, 500, 100)), screen), fallback);
    // Centre exactly on the right edge, then one pixel inside.
    EXPECT_EQ(OpenedGeometry(CompleteSettings(Geometry(0, 1720, 500, 400)), screen), fallback);
    EXPECT_EQ(OpenedGeometry(CompleteSettings(Geometry(0, 1719, 500, 400)), screen), QRect(1719, 0, 400, 500));
    // Centre on the bottom edge.
    EXPECT_EQ(OpenedGeometry(CompleteSettings(Geometry(880, 0, 400, 600)), screen), fallback);
    // One key that is not a number.
    EXPECT_EQ(OpenedGeometry(CompleteSettings(QStringLiteral("[screen]\nradartop=0\nradarleft=x\n"
                                                             "radarheight=500\nradarwidth=600\neqdist=10\n")),
                             screen),
              fallback);
    EXPECT_EQ(OpenedGeometry(CompleteSettings(Geometry(10, 20, 700, 900)), screen), QRect(20, 10, 900, 700));
}

TEST(StartUpMainWindow, MenuTimersStatusBarAndPicture)
{
    TestEnv env = TestEnv::withStartingData();
    TForm1 form(env.services());
    EXPECT_EQ(form.windowTitle(), "RADAR");

    struct Item {
        const char *name;
        const char *caption;
        bool enabled;
    } items[] = {
        {"Fichier1", "Fichier", true}, {"chargersct1", "charger secteur", true},
        {"connect1", "connect serveur", true}, {"disconnect1", "disconnect serveur", false},
        {"ConnectFSX1", "Connect", true}, {"sauvegardersct1", "sauvegarder secteur", true},
        {"exit1", "exit", true}, {"paramtres1", "ecran", true}, {"couleurs1", "affichage", true},
        {"taille1", "taille", true}, {"rectangulaire1", "recalage 1écran  (F7)", true},
        {"carr1", "recalage 2 écrans (F8)", true}, {"commandes1", "commandes", true},
        {"radar1", "radar", true}, {"range1", "visibilité", true}, {"securit1", "securité", true},
        {"centrer1", "centrer", true}, {"Dclinaison1", "Déclinaison", true}, {"vues1", "vues", true},
        {"controleur1", "controleur", true}, {"Situation1", "", true}, {"ATIS1", "ATIS", true},
        {"Frquence1", "Radio", true}, {"teamspeak1", "teamspeak", true}, {"textes1", "textes", true},
        {"mto1", "météo", true}, {"avions1", "vols", true}, {"Strips1", "strips", true},
        {"controls1", "controls", true}, {"paquets1", "paquets", false}, {"N1", " ", true},
        {"Vue11", "vue1", true}, {"vue21", "vue2", true}, {"vue31", "vue3", true}, {"vue41", "vue4", true},
        {"Depot", "FP deposés", false}, {"TOUS1", "Tous", true}, {"pardate1", "par date", true},
        {"version2", "version", true}, {"TrafficAI1", "TrafficAI", false},
        {"reconnexion1", "reconnexion", false},
    };
    for (const Item &item : items) {
        QAction *action = form.MenuItem(QString::fromUtf8(item.name));
        ASSERT_NE(action, nullptr) << item.name;
        EXPECT_EQ(action->text(), QString::fromUtf8(item.caption)) << item.name;
        EXPECT_EQ(action->isEnabled(), item.enabled) << item.name;
    }
    // Sub-menus hold their items.
    auto *fichier = form.findChild<QMenu *>(QStringLiteral("Fichier1"));
    ASSERT_NE(fichier, nullptr);
    EXPECT_TRUE(fichier->actions().contains(form.MenuItem(QStringLiteral("exit1"))));
    auto *taille = form.findChild<QMenu *>(QStringLiteral("taille1"));
    ASSERT_NE(taille, nullptr);
    EXPECT_TRUE(taille->actions().contains(form.MenuItem(QStringLiteral("carr1"))));

    const int intervals[] = {100, 10000, 1800000, 1000};
    QTimer *timers[] = {form.Timer1(), form.Timer2(), form.Timer3(), form.Timer4()};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(timers[i]->interval(), intervals[i]);
        EXPECT_FALSE(timers[i]->isActive());
    }

    const auto panels = form.statusBar()->findChildren<QLabel *>();
    ASSERT_EQ(panels.size(), 2);
    EXPECT_EQ(panels[0]->width(), 600);
    EXPECT_EQ(panels[1]->width(), 50);

    // The picture is the client area, filled with the background colour.
    const RadarState &s = form.state();
    EXPECT_EQ(form.picture().size(), form.ClientSize());
    EXPECT_EQ(QColor(form.picture().pixel(5, 5)), ToQColor(s.settings.display.colours[0].colour));
    EXPECT_EQ(s.view.range, 100);
    EXPECT_FLOAT_EQ(s.view.scale, form.ClientSize().height() / 100.0f);
    EXPECT_EQ(s.traffic.SelectedAircraft, 9999);
    EXPECT_EQ(s.link.status, "non connecté");
    EXPECT_EQ(s.app.versionTag, "VIREO_3.81");
    EXPECT_EQ(form.ImageList1().size(), 5);
}

TEST(StartUpShow, LibraryMissingAndSimulatorFolderChosen)
{
    TestEnv env = TestEnv::withStartingData();
    // A simulator folder elsewhere that the controller picks in the dialog.
    env.write(QStringLiteral("autre/Prepar3D.exe"), QStringLiteral("x"));
    env.write(QStringLiteral("ZAZ.ini"), QString::fromLatin1(env.readBytes(QStringLiteral("ZAZ.ini")))
                                             .replace(QStringLiteral("DIR=simulateur/"), QStringLiteral("DIR=nulle-part/"))
                                             .replace(QStringLiteral("file=secteurs/"), QStringLiteral("file=absent/")));
    env.prompts.answerOpen(env.path(QStringLiteral("autre/Prepar3D.exe")));
    TForm1 form(env.services());
    form.FormShow();

    EXPECT_EQ(form.StatusText(0), "SimConnect.dll not found");
    EXPECT_FALSE(form.MenuItem(QStringLiteral("ConnectFSX1"))->isEnabled());
    EXPECT_EQ(env.prompts.messages(), QStringList({"SimConnect.dll not found"}));
    ASSERT_EQ(env.prompts.count(PromptCall::Open), 1);
    const PromptCall &dialog = env.prompts.calls().last();
    EXPECT_EQ(dialog.caption, "Simutator path?");
    EXPECT_EQ(dialog.filter, "simulateur (*.exe)|*.EXE");
    // The folder is on disk at once, with its trailing separator.
    const IniText file = IniText::parse(env.readBytes(QStringLiteral("ZAZ.ini")));
    EXPECT_EQ(file.value("FSX", "DIR"), env.path(QStringLiteral("autre")) + "/");
    EXPECT_EQ(form.MenuItem(QStringLiteral("ConnectFSX1"))->text(), "connect P3D");
}

TEST(StartUpShow, LibraryFoundBothSimulatorsPresentOrDialogCancelled)
{
    TestEnv env = TestEnv::withStartingData();
    env.write(QStringLiteral("simulateur/Prepar3D.exe"), QStringLiteral("x"));
    QFile::remove(env.path(QStringLiteral("secteurs/LFLL_Lyon.sct")));
    AppServices services = env.services();
    // Any loadable library stands in for the simulator's.
    services.simLibraryName = QLibraryInfo::path(QLibraryInfo::LibrariesPath) + "/libQt6Core.so.6";
    TForm1 form(services);
    form.FormShow();
    EXPECT_EQ(form.StatusText(0), "SimConnect.dll Loaded");
    EXPECT_TRUE(form.MenuItem(QStringLiteral("ConnectFSX1"))->isEnabled());
    EXPECT_EQ(form.MenuItem(QStringLiteral("ConnectFSX1"))->text(), "connect P3D");
    EXPECT_EQ(env.prompts.count(PromptCall::Open), 0);
    EXPECT_TRUE(env.prompts.messages().isEmpty());

    TestEnv bare = TestEnv::withStartingData();
    bare.write(QStringLiteral("ZAZ.ini"), QString::fromLatin1(bare.readBytes(QStringLiteral("ZAZ.ini")))
                                              .replace(QStringLiteral("DIR=simulateur/"), QStringLiteral("DIR=vide/")));
    const QByteArray before = bare.readBytes(QStringLiteral("ZAZ.ini"));
    TForm1 cancelled(bare.services());
    cancelled.FormShow();
    EXPECT_EQ(bare.prompts.count(PromptCall::Open), 1);
    EXPECT_EQ(cancelled.MenuItem(QStringLiteral("ConnectFSX1"))->text(), "connect ");
    EXPECT_EQ(bare.readBytes(QStringLiteral("ZAZ.ini")), before);
}

TEST(StartUpShow, SettingsProblemsAreShownOnceAndStartGoesOn)
{
    TestEnv env;
    env.write(QStringLiteral("ZAZ.ini"), Geometry(0, 0, 600, 800) + QStringLiteral("[FSX]\nDIR=simulateur/\n"));
    env.write(QStringLiteral("simulateur/FSX.exe"), QStringLiteral("x"));
    TForm1 form(env.services());
    form.show();
    QSignalSpy shown(&form, &TForm1::shown);
    ASSERT_TRUE(shown.wait(2000));
    ASSERT_EQ(env.prompts.messages().size(), 2);
    const QString report = env.prompts.messages()[0];
    EXPECT_TRUE(report.contains(QStringLiteral("ZAZ.ini, section [conflict], clé \"minimum\" absente")));
    EXPECT_EQ(env.prompts.messages()[1], "SimConnect.dll not found");
    EXPECT_EQ(form.state().settings.display.horizontalSeparation, 5);
    EXPECT_EQ(form.MenuItem(QStringLiteral("ConnectFSX1"))->text(), "connect FSX");
    // Shown again: nothing is asked twice.
    form.hide();
    form.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(env.prompts.messages().size(), 2);
}

TEST(Shutdown, ExitWritesSettingsAndClosingDoesNot)
{
    TestEnv env = TestEnv::withStartingData();
    const QByteArray before = env.readBytes(QStringLiteral("ZAZ.ini"));
    {
        TForm1 form(env.services());
        form.state().settings.display.labelMode = 1;
        form.close();
        EXPECT_EQ(env.readBytes(QStringLiteral("ZAZ.ini")), before);
    }
    TForm1 form(env.services());
    form.state().settings.display.labelMode = 1;
    form.state().view.ringSpacing = 25;
    form.setGeometry(30, 40, 700, 500);
    form.MenuItem(QStringLiteral("exit1"))->trigger();
    const IniText file = IniText::parse(env.readBytes(QStringLiteral("ZAZ.ini")));
    EXPECT_EQ(file.value("mode", "charly"), "true");
    EXPECT_EQ(file.value("screen", "eqdist"), "25");
    EXPECT_EQ(file.value("screen", "radarleft"), "30");
    EXPECT_EQ(file.value("screen", "radarwidth"), "700");
}

TEST(MainMenu, TeamspeakStartsTheVoiceProgramOrSaysWhatIsMissing)
{
    TestEnv env = TestEnv::withStartingData();
    TForm1 form(env.services());
    form.state().settings.paths.voiceProgram.clear();
    form.state().settings.paths.voiceParams.clear();
    form.MenuItem(QStringLiteral("teamspeak1"))->trigger();
    EXPECT_EQ(env.prompts.messages(), QStringList({"paramètres de connexion invalides"}));
    EXPECT_TRUE(env.shell.opened.isEmpty());

    form.state().settings.paths.voiceProgram = QStringLiteral("/usr/bin/mumble");
    form.state().settings.paths.voiceParams = QStringLiteral("mumble://lfll");
    form.MenuItem(QStringLiteral("teamspeak1"))->trigger();
    EXPECT_EQ(env.shell.opened, QStringList({"/usr/bin/mumble|mumble://lfll"}));
}

TEST(AppWindows, CreatedInOrderAndWiredToTheMenu)
{
    TestEnv env = TestEnv::withStartingData();
    auto windows = CreateAppWindows(env.services());
    TForm1 &main = *windows->form1;

    // "CMD": each label does what its menu item does.
    windows->form1->MenuItem(QStringLiteral("commandes1"))->trigger();
    EXPECT_TRUE(windows->bouton->isVisible());
    const QStringList expected = {"CENTRER", "RADIO", "ATIS", "VOLS", "METEO"};
    const char *items[] = {"centrer1", "Frquence1", "ATIS1", "avions1", "mto1"};
    ASSERT_EQ(windows->bouton->labels().size(), 5);
    for (int i = 0; i < 5; ++i) {
        QLabel *label = windows->bouton->labels()[i];
        EXPECT_EQ(label->text(), expected[i]);
        QSignalSpy triggered(main.MenuItem(QString::fromLatin1(items[i])), &QAction::triggered);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), label->mapToGlobal(QPointF(5, 5)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), label->mapToGlobal(QPointF(5, 5)),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(label, &press);
        QCoreApplication::sendEvent(label, &release);
        EXPECT_EQ(triggered.size(), 1) << items[i];
    }

    main.MenuItem(QStringLiteral("version2"))->trigger();
    EXPECT_TRUE(windows->info->isVisible());
    EXPECT_NE(windows->info->findChild<QLabel *>(QStringLiteral("Label_version")), nullptr);
    EXPECT_EQ(windows->info->findChild<QLabel *>(QStringLiteral("Label_version"))->text(), "VIREO_3.81");

    EXPECT_EQ(windows->message->windowTitle(), "message");
    EXPECT_EQ(windows->message->ProgressBar1()->maximum(), 100000);
}
