#include "core/TForm1.h"

#include "core/Artwork.h"
#include "core/ProgressDisplay.h"
#include "core/Prompts.h"
#include "core/ScopeView.h"
#include "core/Shell.h"
#include "link/Connection.h"
#include "link/Senders.h"
#include "link/TForm2.h"
#include "scope/ScopeRenderer.h"
#include "sector/SectorReader.h"
#include "sector/SectorWriter.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

namespace zaz {

namespace {

constexpr int kDesignWidth = 1087;
constexpr int kDesignHeight = 864;
// Width left free beside the scope by the fallback geometry (room for the strip board).
constexpr int kFallbackSideRoom = 261;

QImage NewPicture(const QSize &size, TColor background)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(ToQColor(background));
    return image;
}

} // namespace

TForm1::TForm1(const AppServices &services, QWidget *parent)
    : QMainWindow(parent)
    , services_(services)
{
    setObjectName(QStringLiteral("Form1"));
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate()
{
    RadarState &s = state_;
    // 1. Version tag and connection status.
    s.app.versionTag = QStringLiteral("VIREO_3.81");
    s.link.status = QStringLiteral("non connecté");
    s.link.auxStatus.clear();

    setWindowTitle(QStringLiteral("RADAR"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    resize(kDesignWidth, kDesignHeight);

    // 4. Offscreen picture, pointers and icons.
    picture_ = NewPicture(QSize(kDesignWidth, kDesignHeight), 0);
    icons_ = MapIcons();
    scope_ = new ScopeView(picture_, this);
    setCentralWidget(scope_);
    BuildMenu();
    BuildStatusBar();
    BuildTimers();
    connect(scope_, &ScopeView::resized, this, &TForm1::FormResize);
    connect(&s.notifier, &StateNotifier::statusText, this, &TForm1::SetStatusText);
    connect(&s.notifier, &StateNotifier::repaintWanted, this, &TForm1::CopyPictureToWindow);
    connect(&s.notifier, &StateNotifier::redrawWanted, this, &TForm1::FullRedraw);
    connect(scope_, &ScopeView::aboutToPaint, this, &TForm1::FormPaint);

    // 5. Program folder and the main settings file.
    s.settings.paths.programDir = services_.programDir;
    s.files.zaz = std::make_unique<IniFile>(ProgramPath(services_.programDir, QStringLiteral("ZAZ.ini")));
    const IniFile &zaz = *s.files.zaz;

    // 6. Window rectangle, with the fallback for unreadable or off-screen values.
    ApplyWindowGeometry();

    // 7. Picture the size of the client area.
    const QSize client = ClientSize();
    picture_ = NewPicture(client, 0);

    // 8. Ring spacing and the initial view and behaviour values.
    Settings::ReadRingSpacing(zaz, s.view, report_);
    s.view.range = 100;
    s.view.scale = float(client.height()) / 100.0f;
    s.view.vectorMinutes = 1;
    s.view.nmPerDegLat = 60;
    s.view.nmPerDegLon = 60;
    s.traffic.SelectedAircraft = kNoIndex;
    s.weather.transitionAltitude = 3000;
    s.settings.display.zoomSensitivity = 120;
    s.settings.display.ExpiryDelay = 1.0f / 1440.0f;
    s.settings.display.passingDistance = 10;
    s.link.loggedIn = false;
    s.link.connected = false;
    s.sim.connected = false;
    s.settings.display.trailShown = 1;
    s.settings.display.ilsAxesShown = 1;

    // 9. Server menu states.
    MenuItem(QStringLiteral("connect1"))->setEnabled(true);
    MenuItem(QStringLiteral("disconnect1"))->setEnabled(false);

    // 10. Display settings, colour table, detail colours. The scope is drawn with
    // ScreenFont(display), so the fonts read here apply from the next redraw on.
    Settings::ReadDisplay(zaz, s.settings, report_);

    // 11. Background colour, shown at once.
    picture_.fill(ToQColor(s.settings.display.colours[kColBackground].colour));
    CopyPictureToWindow();

    // 12. Console files, sector and weather settings, server list.
    const QString &dir = services_.programDir;
    s.files.ope = std::make_unique<IniFile>(ProgramPath(dir, QStringLiteral("ope.ini")));
    s.files.val = std::make_unique<IniFile>(ProgramPath(dir, QStringLiteral("val.ini")));
    s.files.com = std::make_unique<IniFile>(ProgramPath(dir, QStringLiteral("com.ini")));
    s.files.ldep = std::make_unique<IniFile>(ProgramPath(dir, QStringLiteral("ldep.ini")));
    Settings::ReadSector(zaz, s.settings);
    Settings::ReadWeatherTables(zaz, s.settings);
    Settings::ReadWeatherServer(zaz, s.settings, report_);
    Settings::ReadWindowPlaces(zaz, s.settings);
    s.files.servers = std::make_unique<IniFile>(ProgramPath(dir, QStringLiteral("servers.ini")));

    // 13. The command console and its quick-command popup are created with the simulator
    // bridge. The server link lives with the main window.
    WireServerLink();
}

void TForm1::WireServerLink()
{
    connection_ = std::make_unique<ServerConnection>(state_, *services_.clock, this);
    ServerConnection *link = connection_.get();
    connect(MenuItem(QStringLiteral("connect1")), &QAction::triggered, this, &TForm1::connect1Click);
    connect(MenuItem(QStringLiteral("disconnect1")), &QAction::triggered, this, &TForm1::disconnect1Click);
    connect(MenuItem(QStringLiteral("reconnexion1")), &QAction::triggered, this, &TForm1::reconnexion1Click);
    connect(Timer1(), &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(Timer2(), &QTimer::timeout, this, &TForm1::Timer2Timer);
    connect(link, &ServerConnection::loginSent, this, [this] {
        Timer1()->start();
        MenuItem(QStringLiteral("connect1"))->setEnabled(false);
        MenuItem(QStringLiteral("ConnectFSX1"))->setEnabled(false);
        MenuItem(QStringLiteral("disconnect1"))->setEnabled(true);
    });
    connect(&state_.notifier, &StateNotifier::loginAnswered, this, [this](bool accepted, const QString &) {
        if (!accepted)
            return;
        MenuItem(QStringLiteral("Depot"))->setEnabled(state_.link.VireoServer);
        Timer2()->start();
    });
    connect(link, &ServerConnection::closed, this, [this](bool hadLogin) {
        Timer1()->stop();
        Timer2()->stop();
        MenuItem(QStringLiteral("Depot"))->setEnabled(false);
        MenuItem(QStringLiteral("connect1"))->setEnabled(true);
        MenuItem(QStringLiteral("ConnectFSX1"))->setEnabled(state_.sim.libraryLoaded);
        MenuItem(QStringLiteral("disconnect1"))->setEnabled(false);
        MenuItem(QStringLiteral("reconnexion1"))->setEnabled(true);
        if (hadLogin) {
            QApplication::beep();
            QApplication::beep();
        }
        update();
    });
}

QSize TForm1::ScreenSize() const
{
    if (services_.screenSize.isValid() && !services_.screenSize.isEmpty())
        return services_.screenSize;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        return screen->geometry().size();
    return QSize(kDesignWidth, kDesignHeight);
}

void TForm1::ApplyWindowGeometry()
{
    const QSize screen = ScreenSize();
    const QRect fallback(0, 0, screen.width() - kFallbackSideRoom, screen.height());
    QRect rect;
    if (!Settings::ReadWindowRect(*state_.files.zaz, rect))
        rect = fallback;
    // A window whose centre is off the screen is brought back.
    if (rect.left() + rect.width() / 2 >= screen.width()
        || rect.top() + rect.height() / 2 >= screen.height())
        rect = fallback;
    setGeometry(rect);
    state_.settings.windows.main = rect;
}

QSize TForm1::ClientSize() const
{
    if (QLayout *l = layout())
        l->activate();
    QSize size = scope_->size();
    if (size.isEmpty()) {
        // Not laid out yet: the window less its menu and status bars.
        const int bars = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
        size = QSize(width(), height() - bars);
    }
    return size.expandedTo(QSize(1, 1));
}

void TForm1::FormResize(const QSize &client)
{
    if (client.isEmpty() || client == picture_.size())
        return;
    // The picture follows the client area; its content is redrawn by the next full redraw.
    QImage resized = NewPicture(client, state_.settings.display.colours[kColBackground].colour);
    {
        QPainter p(&resized);
        p.drawImage(0, 0, picture_);
    }
    picture_ = std::move(resized);
}

void TForm1::FullRedraw()
{
    zaz::FullRedraw(picture_, state_, services_.clock->Now());
    CopyPictureToWindow();
}

void TForm1::FormPaint()
{
    const QString caption = ScopeCaption(state_);
    if (caption != windowTitle())
        setWindowTitle(caption);
}

void TForm1::CopyPictureToWindow()
{
    if (scope_)
        scope_->update();
}

QAction *TForm1::MenuItem(const QString &name) const
{
    return findChild<QAction *>(name);
}

QAction *TForm1::AddItem(QMenu *menu, const QString &name, const QString &caption, bool enabled)
{
    QAction *action = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
    action->setObjectName(name);
    action->setEnabled(enabled);
    return action;
}

QMenu *TForm1::AddMenu(QMenu *parentMenu, const QString &name, const QString &caption, bool enabled)
{
    QMenu *menu = parentMenu ? parentMenu->addMenu(caption) : menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    menu->menuAction()->setEnabled(enabled);
    return menu;
}

void TForm1::BuildMenu()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    // Captions are plain text: no "&" mnemonics.
    QMenu *fichier = AddMenu(nullptr, QStringLiteral("Fichier1"), QStringLiteral("Fichier"));
    connect(AddItem(fichier, QStringLiteral("chargersct1"), QStringLiteral("charger secteur")),
            &QAction::triggered, this, &TForm1::chargersct1Click);
    AddItem(fichier, QStringLiteral("connect1"), QStringLiteral("connect serveur"));
    AddItem(fichier, QStringLiteral("disconnect1"), QStringLiteral("disconnect serveur"));
    AddItem(fichier, QStringLiteral("ConnectFSX1"), QStringLiteral("Connect"));
    connect(AddItem(fichier, QStringLiteral("sauvegardersct1"), QStringLiteral("sauvegarder secteur")),
            &QAction::triggered, this, &TForm1::sauvegardersct1Click);
    QAction *exit = AddItem(fichier, QStringLiteral("exit1"), QStringLiteral("exit"));
    connect(exit, &QAction::triggered, this, &TForm1::exit1Click);

    QMenu *ecran = AddMenu(nullptr, QStringLiteral("paramtres1"), QStringLiteral("ecran"));
    AddItem(ecran, QStringLiteral("couleurs1"), QStringLiteral("affichage"));
    QMenu *taille = AddMenu(ecran, QStringLiteral("taille1"), QStringLiteral("taille"));
    AddItem(taille, QStringLiteral("rectangulaire1"), QStringLiteral("recalage 1écran  (F7)"));
    AddItem(taille, QStringLiteral("carr1"), QStringLiteral("recalage 2 écrans (F8)"));
    AddItem(ecran, QStringLiteral("commandes1"), QStringLiteral("commandes"));

    QMenu *radar = AddMenu(nullptr, QStringLiteral("radar1"), QStringLiteral("radar"));
    AddItem(radar, QStringLiteral("range1"), QStringLiteral("visibilité"));
    AddItem(radar, QStringLiteral("securit1"), QStringLiteral("securité"));
    AddItem(radar, QStringLiteral("centrer1"), QStringLiteral("centrer"));
    AddItem(radar, QStringLiteral("Dclinaison1"), QStringLiteral("Déclinaison"));
    AddItem(radar, QStringLiteral("vues1"), QStringLiteral("vues"));

    QMenu *controleur = AddMenu(nullptr, QStringLiteral("controleur1"), QStringLiteral("controleur"));
    AddItem(controleur, QStringLiteral("Situation1"), QString());
    AddItem(controleur, QStringLiteral("ATIS1"), QStringLiteral("ATIS"));
    AddItem(controleur, QStringLiteral("Frquence1"), QStringLiteral("Radio"));
    QAction *teamspeak = AddItem(controleur, QStringLiteral("teamspeak1"), QStringLiteral("teamspeak"));
    connect(teamspeak, &QAction::triggered, this, &TForm1::teamspeak1Click);
    AddItem(controleur, QStringLiteral("textes1"), QStringLiteral("textes"));
    AddItem(controleur, QStringLiteral("mto1"), QStringLiteral("météo"));
    AddItem(controleur, QStringLiteral("avions1"), QStringLiteral("vols"));
    AddItem(controleur, QStringLiteral("Strips1"), QStringLiteral("strips"));
    AddItem(controleur, QStringLiteral("controls1"), QStringLiteral("controls"));
    AddItem(controleur, QStringLiteral("paquets1"), QStringLiteral("paquets"), false);

    AddItem(nullptr, QStringLiteral("N1"), QStringLiteral(" "));
    AddItem(nullptr, QString(), QString(), false);
    AddItem(nullptr, QStringLiteral("Vue11"), QStringLiteral("vue1"));
    AddItem(nullptr, QStringLiteral("vue21"), QStringLiteral("vue2"));
    AddItem(nullptr, QStringLiteral("vue31"), QStringLiteral("vue3"));
    AddItem(nullptr, QStringLiteral("vue41"), QStringLiteral("vue4"));
    QMenu *depot = AddMenu(nullptr, QStringLiteral("Depot"), QStringLiteral("FP deposés"), false);
    AddItem(depot, QStringLiteral("TOUS1"), QStringLiteral("Tous"));
    AddItem(depot, QStringLiteral("pardate1"), QStringLiteral("par date"));
    AddItem(nullptr, QStringLiteral("version2"), QStringLiteral("version"));
    AddItem(nullptr, QStringLiteral("TrafficAI1"), QStringLiteral("TrafficAI"), false);
    AddItem(nullptr, QStringLiteral("reconnexion1"), QStringLiteral("reconnexion"), false);
}

void TForm1::BuildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    const int widths[2] = {600, 50};
    for (int i = 0; i < 2; ++i) {
        panels_[i] = new QLabel(bar);
        panels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panels_[i]->setFixedWidth(widths[i]);
        panels_[i]->setFrameShape(QFrame::Panel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        bar->addWidget(panels_[i]);
    }
}

void TForm1::BuildTimers()
{
    const int intervals[4] = {100, 10000, 1800000, 1000};
    for (int i = 0; i < 4; ++i) {
        timers_[i] = new QTimer(this);
        timers_[i]->setObjectName(QStringLiteral("Timer%1").arg(i + 1));
        timers_[i]->setInterval(intervals[i]);
    }
}

void TForm1::SetStatusText(int panel, const QString &text)
{
    if (panel >= 0 && panel < 2)
        panels_[panel]->setText(text);
}

QString TForm1::StatusText(int panel) const
{
    return panel >= 0 && panel < 2 ? panels_[panel]->text() : QString();
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!shown_)
        QTimer::singleShot(0, this, &TForm1::FormShow);
}

void TForm1::FormShow()
{
    if (shown_)
        return;
    shown_ = true;
    Prompts &prompts = *services_.prompts;
    RadarState &s = state_;

    if (!report_.IsEmpty())
        prompts.ShowMessage(report_.Text());

    // 1. The simulator's client library.
    QAction *connectSim = MenuItem(QStringLiteral("ConnectFSX1"));
    simLibrary_.setFileName(services_.simLibraryName);
    s.sim.libraryLoaded = simLibrary_.load();
    if (s.sim.libraryLoaded) {
        SetStatusText(0, QStringLiteral("SimConnect.dll Loaded"));
        connectSim->setEnabled(true);
    } else {
        SetStatusText(0, QStringLiteral("SimConnect.dll not found"));
        connectSim->setEnabled(false);
        prompts.ShowMessage(QStringLiteral("SimConnect.dll not found"));
    }

    // 2. The simulator folder, asked for when it holds neither executable.
    const QString fsxExe = QStringLiteral("FSX.exe");
    const QString p3dExe = QStringLiteral("Prepar3D.exe");
    auto simDir = [&] { return ProgramPath(services_.programDir, s.settings.paths.simulatorDir); };
    if (FindFileNoCase(simDir(), fsxExe).isEmpty() && FindFileNoCase(simDir(), p3dExe).isEmpty()) {
        FileDialogRequest request;
        request.title = QStringLiteral("Simutator path?");
        request.filter = QStringLiteral("simulateur (*.exe)|*.EXE");
        request.initialDir = services_.programDir;
        if (const auto file = prompts.OpenFile(request)) {
            QString dir = QFileInfo(*file).absolutePath();
            if (!dir.endsWith(QLatin1Char('/')))
                dir += QLatin1Char('/');
            if (!Settings::WriteSimulatorDir(*s.files.zaz, s.settings, dir))
                prompts.ShowMessage(s.files.zaz->lastError());
        }
    }

    // 3. The simulator's name: the later test wins when both executables are there.
    s.sim.simulatorName.clear();
    if (!FindFileNoCase(simDir(), fsxExe).isEmpty())
        s.sim.simulatorName = QStringLiteral("FSX");
    if (!FindFileNoCase(simDir(), p3dExe).isEmpty())
        s.sim.simulatorName = QStringLiteral("P3D");
    connectSim->setText(QStringLiteral("connect ") + s.sim.simulatorName);

    // 4. The last sector, when its file is there.
    if (QFileInfo(ProgramPath(services_.programDir, s.settings.paths.sectorFile)).isFile()) {
        if (progress_)
            progress_->Begin(QStringLiteral("chargement secteur en cours"));
        LoadSector();
        if (progress_)
            progress_->End();
    }

    emit shown();
}

void TForm1::exit1Click()
{
    state_.settings.windows.main = geometry();
    emit settingsAboutToBeWritten();
    if (!Settings::WriteExit(*state_.files.zaz, state_))
        services_.prompts->ShowMessage(
            QStringLiteral("Les paramètres n'ont pas été enregistrés : %1").arg(state_.files.zaz->lastError()));
    QCoreApplication::quit();
}

bool TForm1::LoadSector()
{
    RadarState &s = state_;
    Prompts &prompts = *services_.prompts;
    setCursor(CustomCursor(1));
    scope_->setCursor(CustomCursor(1));
    SectorProgress progress;
    if (progress_) {
        progress.setMaximum = [this](int maximum) { progress_->SetMaximum(maximum); };
        progress.setPosition = [this](int position) { progress_->SetPosition(position); };
    }
    QString error;
    std::optional<SectorLoadResult> result = ReadSectorFile(
        ProgramPath(services_.programDir, s.settings.paths.sectorFile), ReadSettingsOf(s), error, progress);
    if (result) {
        const bool hasErrors = result->hasErrors;
        const QString errors = result->errorText;
        const QString summary = result->summary;
        ApplySectorLoad(s, std::move(*result));
        CopyPictureToWindow();
        if (hasErrors)
            prompts.ShowMessage(errors);
        prompts.ShowMessage(summary);
    } else {
        prompts.ShowMessage(error);
    }
    unsetCursor();
    scope_->unsetCursor();
    if (result) {
        for (const char *view : {"Vue11", "vue21", "vue31", "vue41"})
            MenuItem(QLatin1String(view))->setVisible(false);
    }
    CopyPictureToWindow();
    return result.has_value();
}

void TForm1::chargersct1Click()
{
    RadarState &s = state_;
    FileDialogRequest request;
    request.title = QStringLiteral("chosir le secteur?");
    request.filter = QStringLiteral("secteur (*.sct)|*.SCT");
    request.initialDir = s.settings.paths.sectorDir.isEmpty()
                             ? ProgramPath(services_.programDir, QStringLiteral("sectors"))
                             : ProgramPath(services_.programDir, s.settings.paths.sectorDir);
    const auto file = services_.prompts->OpenFile(request);
    if (!file)
        return;
    QString dir = QFileInfo(*file).absolutePath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    if (!Settings::WriteSectorDir(*s.files.zaz, s.settings, dir))
        services_.prompts->ShowMessage(s.files.zaz->lastError());
    s.settings.paths.sectorFile = QFileInfo(*file).absoluteFilePath();
    // A new sector starts with every fix and no procedure or airway selected.
    s.settings.selections = SelectionTexts();
    if (progress_)
        progress_->Begin(QStringLiteral("chargement secteur en cours"));
    LoadSector();
    if (progress_)
        progress_->End();
    CopyPictureToWindow();
}

void TForm1::sauvegardersct1Click()
{
    RadarState &s = state_;
    FileDialogRequest request;
    request.filter = QStringLiteral("secteur (*.sct)|*.SCT");
    request.initialDir = ProgramPath(services_.programDir, QStringLiteral("secteurs"));
    const auto chosen = services_.prompts->SaveFile(request);
    if (!chosen)
        return;
    QString file = *chosen;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".sct");
    if (progress_) {
        progress_->Begin(QStringLiteral("ecriture secteur en cours"));
        progress_->SetMaximum(2000);
    }
    QStringList lines;
    WriteSector(s.sector.tables, s.sector.identity, s.settings.paths.sectorFile, lines, [this](int count) {
        if (progress_)
            progress_->SetPosition(count);
    });
    if (progress_)
        progress_->End();
    QString error;
    if (!SaveLines(file, lines, error))
        services_.prompts->ShowMessage(error);
}

void TForm1::connect1Click()
{
    if (!connectionDialog_)
        return;
    RadarState &s = state_;
    connectionDialog_->Prepare(QStringLiteral("VIREO-SERVER"));
    if (connectionDialog_->exec() != QDialog::Accepted)
        return;
    if (connection_->IsOpen())
        return;
    const ConnectionChoice choice = connectionDialog_->Choice();
    if (choice.facility < 0 || choice.rating < 1) {
        services_.prompts->ShowMessage(QStringLiteral("choisissez le type de contrôle et la qualification"));
        return;
    }
    try {
        if (!PrepareConnection(s, choice, ClientSize().height()))
            services_.prompts->ShowMessage(QStringLiteral("ce callsign ne correspond pas à un aéroport du secteur"));
    } catch (const ConversionError &e) {
        services_.prompts->ShowMessage(e.message());
        return;
    }
    connection_->Open(choice.address, quint16(s.link.server.port.toUInt()));
}

void TForm1::disconnect1Click()
{
    connection_->SignOff();
    Timer1()->stop();
    Timer2()->stop();
    Timer3()->stop();
}

void TForm1::reconnexion1Click()
{
    connection_->Reopen();
}

void TForm1::Timer1Timer()
{
    if (!connection_->Tick())
        Timer1()->stop();
    FullRedraw();
}

void TForm1::Timer2Timer()
{
    SendPosition(state_, *connection_, true);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // Closing the window by other means than "exit" ends the program without writing
    // the settings.
    event->accept();
    QCoreApplication::quit();
}

void TForm1::teamspeak1Click()
{
    const PathSettings &paths = state_.settings.paths;
    if (paths.voiceProgram.isEmpty() && paths.voiceParams.isEmpty()) {
        services_.prompts->ShowMessage(QStringLiteral("paramètres de connexion invalides"));
        return;
    }
    if (!services_.shell->Open(paths.voiceProgram, paths.voiceParams))
        services_.prompts->ShowMessage(
            QStringLiteral("Impossible de lancer le programme vocal \"%1\"").arg(paths.voiceProgram));
}

} // namespace zaz
