#include "app/TForm1.h"

#include "core/ProgressDisplay.h"
#include "core/Prompts.h"
#include "core/Shell.h"
#include "link/Connection.h"
#include "link/Senders.h"
#include "sector/Projection.h"
#include "sector/SectorReader.h"
#include "sector/SectorWriter.h"
#include "state/Ticks.h"
#include "state/WeatherRefresh.h"
#include "ui/Artwork.h"
#include "ui/ScopeView.h"
#include "ui/TForm2.h"
#include "weather/MetarFetch.h"

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

// The picture is drawn at the screen's resolution: its device pixel ratio is the widget's
// (the application's before there is one), rounded up to a whole number; a screen of 1.5
// gets a picture of 2 shown scaled down. Its size in logical pixels is the client area's.
qreal PictureRatio(const QWidget *widget)
{
    const qreal screen = widget ? widget->devicePixelRatioF() : qGuiApp->devicePixelRatio();
    return std::max<qreal>(1, std::ceil(screen));
}

QImage NewPicture(const QSize &size, TColor background, qreal ratio = PictureRatio(nullptr))
{
    QImage image(size.expandedTo(QSize(1, 1)) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(ToQColor(background));
    return image;
}

QSize LogicalSize(const QImage &picture)
{
    return picture.deviceIndependentSize().toSize();
}

} // namespace

TForm1::TForm1(const AppServices &services, QWidget *parent)
    : QMainWindow(parent)
    , services_(services)
{
    setObjectName(QStringLiteral("Form1"));
    FormCreate();
}

TForm1::~TForm1()
{
    // A session still open is closed before the library goes.
    if (simSession_.handle)
        CloseSimSession(simSession_, state_.sim, state_.traffic, state_.weather);
}

void TForm1::FormCreate()
{
    RadarState &s = state_;
    // 1. The version tag and the connection status start as the state defines them.

    setWindowTitle(QStringLiteral("RADAR"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    resize(kDesignWidth, kDesignHeight);

    // 4. Offscreen picture, pointers and icons.
    picture_ = NewPicture(QSize(kDesignWidth, kDesignHeight), 0);
    icons_ = MapIcons();
    scope_ = new ScopeView(picture_, this);
    setCentralWidget(scope_);
    buildMenu();
    buildStatusBar();
    buildTimers();
    connect(scope_, &ScopeView::resized, this, &TForm1::FormResize);
    connect(&s.notifier, &StateNotifier::statusText, this, &TForm1::setStatusText);
    connect(&s.notifier, &StateNotifier::repaintWanted, this, &TForm1::copyPictureToWindow);
    connect(&s.notifier, &StateNotifier::redrawWanted, this, &TForm1::fullRedraw);
    connect(scope_, &ScopeView::aboutToPaint, this, &TForm1::FormPaint);

    // 5. Program folder and the main settings file.
    s.settings.paths.programDir = services_.programDir;
    s.files.zaz = std::make_unique<IniFile>(ProgramPath(services_.programDir, QStringLiteral("ZAZ.ini")));
    const IniFile &zaz = *s.files.zaz;

    // 6. Window rectangle, with the fallback for unreadable or off-screen values.
    applyWindowGeometry();

    // 7. Picture the size of the client area.
    const QSize client = clientSize();
    picture_ = NewPicture(client, 0);

    // 8. Ring spacing; the scale shows the initial range over the client height. Every
    // other view and behaviour value starts as the state's groups define it.
    Settings::ReadRingSpacing(zaz, s.view, report_);
    s.view.scale = float(client.height()) / float(s.view.range);

    // 9. Server menu states.
    menu_.connect1->setEnabled(true);
    menu_.disconnect1->setEnabled(false);

    // 10. Display settings, colour table, detail colours. The scope is drawn with
    // ScreenFont(display), so the fonts read here apply from the next redraw on.
    Settings::ReadDisplay(zaz, s.settings, report_);

    // 11. Background colour, shown at once.
    picture_.fill(ToQColor(s.settings.display.colours[kColBackground].colour));
    copyPictureToWindow();

    // 12. Console files, sector and weather settings, server list.
    const QString &dir = services_.programDir;
    s.files.ope = std::make_unique<IniFile>(ProgramPath(dir, QStringLiteral("ope.ini")));
    s.files.val = std::make_unique<IniFile>(ProgramPath(dir, QStringLiteral("val.ini")));
    s.files.com = std::make_unique<IniFile>(ProgramPath(dir, QStringLiteral("com.ini")));
    s.files.ldep = std::make_unique<IniFile>(ProgramPath(dir, QStringLiteral("ldep.ini")));
    Settings::ReadSector(zaz, s.settings);
    Settings::ReadWeather(zaz, s.weather, report_);
    Settings::ReadVoiceProgram(zaz, s.settings.paths);
    Settings::ReadWindowPlaces(zaz, s.settings);
    Settings::ReadCodeTexts(zaz, s.link.codeTexts);
    s.files.servers = std::make_unique<IniFile>(ProgramPath(dir, QStringLiteral("servers.ini")));

    // 13. The command console and its quick-command popup are created with the other
    // windows (CreateAppWindows). The server link and the simulator session live here.
    wireServerLink();
    wireSimulator();
}

void TForm1::wireServerLink()
{
    connection_ = std::make_unique<ServerConnection>(LinkGroupsOf(state_), state_.sim, *services_.clock, this);
    ServerConnection *link = connection_.get();
    connect(menu_.connect1, &QAction::triggered, this, &TForm1::connect1Click);
    connect(menu_.disconnect1, &QAction::triggered, this, &TForm1::disconnect1Click);
    connect(menu_.reconnexion1, &QAction::triggered, this, &TForm1::reconnexion1Click);
    connect(Timer1(), &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(Timer2(), &QTimer::timeout, this, &TForm1::Timer2Timer);
    // The stations' weather: refreshed by Timer3, its progress in the status bar, the
    // METARs forwarded while the server link is open.
    metarFetch_ = std::make_unique<MetarFetch>(state_.weather, state_.sector);
    connect(Timer3(), &QTimer::timeout, this, &TForm1::Timer3Timer);
    connect(metarFetch_.get(), &MetarFetch::notice, this, [this](const QString &text) { setStatusText(0, text); });
    connect(metarFetch_.get(), &MetarFetch::finished, this, [this](const QString &text) { setStatusText(0, text); });
    connect(metarFetch_.get(), &MetarFetch::metarToPublish, this, [this](const QString &metar) {
        if (connection_->isOpen())
            SendMetarToServer(state_.link, *connection_, metar);
    });
    connect(link, &ServerConnection::loginSent, this, [this] {
        Timer1()->start();
        menu_.paquets1->setEnabled(true);
        // Logged in beside the simulator, the menus stay: the simulator's item closes both.
        if (state_.sim.connected)
            return;
        menu_.connect1->setEnabled(false);
        menu_.ConnectFSX1->setEnabled(false);
        menu_.disconnect1->setEnabled(true);
    });
    connect(&state_.notifier, &StateNotifier::loginAnswered, this, [this](bool accepted, const QString &) {
        if (!accepted)
            return;
        state_.link.status = ConnectionText(state_.link.serverType, state_.sim);
        menu_.Depot->menuAction()->setEnabled(state_.link.VireoServer);
        Timer2()->start();
        RequestServerMetar(state_.link, *connection_);
    });
    connect(link, &ServerConnection::closed, this, [this](bool hadLogin) {
        Timer1()->stop();
        Timer2()->stop();
        menu_.paquets1->setEnabled(false);
        menu_.Depot->menuAction()->setEnabled(false);
        menu_.connect1->setEnabled(true);
        menu_.ConnectFSX1->setEnabled(state_.sim.libraryLoaded);
        menu_.disconnect1->setEnabled(false);
        menu_.reconnexion1->setEnabled(true);
        if (hadLogin) {
            QApplication::beep();
            QApplication::beep();
        }
        update();
    });
}

QSize TForm1::screenSize() const
{
    if (services_.screenSize.isValid() && !services_.screenSize.isEmpty())
        return services_.screenSize;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        return screen->geometry().size();
    return QSize(kDesignWidth, kDesignHeight);
}

void TForm1::applyWindowGeometry()
{
    const QSize screen = screenSize();
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

QSize TForm1::clientSize() const
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
    const qreal ratio = PictureRatio(scope_);
    if (client.isEmpty() || (client == LogicalSize(picture_) && ratio == picture_.devicePixelRatio()))
        return;
    // The picture follows the client area and the screen's resolution; its content is
    // redrawn by the next full redraw.
    QImage resized = NewPicture(client, state_.settings.display.colours[kColBackground].colour, ratio);
    {
        QPainter p(&resized);
        p.drawImage(0, 0, picture_);
    }
    picture_ = std::move(resized);
}

void TForm1::fullRedraw()
{
    const QDateTime now = services_.clock->now();
    // A window moved to a screen of another resolution gets a picture of that resolution.
    FormResize(LogicalSize(picture_));
    // The view's edges follow the picture, for whatever turns a pixel into a position.
    ComputeEdges(state_.view, LogicalSize(picture_));
    StepBeforeRedraw(state_, now);
    renderer_.draw(picture_, SceneOf(state_), now);
    // The approach axes the drawing could not orient are noted in ZAZ.ini, once for as long
    // as the same ones fail (a drag draws new tiles, and the axes again, at every step).
    if (state_.files.zaz && !renderer_.angleErrors().empty() && renderer_.angleErrors() != notedAngleErrors_) {
        notedAngleErrors_ = renderer_.angleErrors();
        const AngleErrorSink note = Settings::AngleErrorToSettings(*state_.files.zaz);
        for (const AngleError &e : renderer_.angleErrors())
            note(e.key, e.length, e.difference);
    }
    copyPictureToWindow();
}

void TForm1::FormPaint()
{
    const QString caption = ScopeCaption(state_);
    if (caption != windowTitle())
        setWindowTitle(caption);
}

void TForm1::copyPictureToWindow()
{
    if (scope_)
        scope_->update();
}

QAction *TForm1::addItem(QMenu *menu, const QString &name, const QString &caption, bool enabled)
{
    QAction *action = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
    action->setObjectName(name);
    action->setEnabled(enabled);
    return action;
}

QMenu *TForm1::addMenu(QMenu *parentMenu, const QString &name, const QString &caption, bool enabled)
{
    QMenu *menu = parentMenu ? parentMenu->addMenu(caption) : menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    menu->menuAction()->setEnabled(enabled);
    return menu;
}

void TForm1::buildMenu()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    MainMenuItems &m = menu_;
    // Captions are plain text: no "&" mnemonics.
    m.Fichier1 = addMenu(nullptr, QStringLiteral("Fichier1"), QStringLiteral("Fichier"));
    m.chargersct1 = addItem(m.Fichier1, QStringLiteral("chargersct1"), QStringLiteral("charger secteur"));
    m.connect1 = addItem(m.Fichier1, QStringLiteral("connect1"), QStringLiteral("connect serveur"));
    m.disconnect1 = addItem(m.Fichier1, QStringLiteral("disconnect1"), QStringLiteral("disconnect serveur"));
    m.ConnectFSX1 = addItem(m.Fichier1, QStringLiteral("ConnectFSX1"), QStringLiteral("Connect"));
    m.sauvegardersct1 =
        addItem(m.Fichier1, QStringLiteral("sauvegardersct1"), QStringLiteral("sauvegarder secteur"));
    m.exit1 = addItem(m.Fichier1, QStringLiteral("exit1"), QStringLiteral("exit"));
    connect(m.chargersct1, &QAction::triggered, this, &TForm1::chargersct1Click);
    connect(m.sauvegardersct1, &QAction::triggered, this, &TForm1::sauvegardersct1Click);
    connect(m.exit1, &QAction::triggered, this, &TForm1::exit1Click);

    m.paramtres1 = addMenu(nullptr, QStringLiteral("paramtres1"), QStringLiteral("ecran"));
    m.couleurs1 = addItem(m.paramtres1, QStringLiteral("couleurs1"), QStringLiteral("affichage"));
    m.taille1 = addMenu(m.paramtres1, QStringLiteral("taille1"), QStringLiteral("taille"));
    m.rectangulaire1 = addItem(m.taille1, QStringLiteral("rectangulaire1"), QStringLiteral("recalage 1écran  (F7)"));
    m.carr1 = addItem(m.taille1, QStringLiteral("carr1"), QStringLiteral("recalage 2 écrans (F8)"));
    m.commandes1 = addItem(m.paramtres1, QStringLiteral("commandes1"), QStringLiteral("commandes"));

    m.radar1 = addMenu(nullptr, QStringLiteral("radar1"), QStringLiteral("radar"));
    m.range1 = addItem(m.radar1, QStringLiteral("range1"), QStringLiteral("visibilité"));
    m.securit1 = addItem(m.radar1, QStringLiteral("securit1"), QStringLiteral("securité"));
    m.centrer1 = addItem(m.radar1, QStringLiteral("centrer1"), QStringLiteral("centrer"));
    m.Dclinaison1 = addItem(m.radar1, QStringLiteral("Dclinaison1"), QStringLiteral("Déclinaison"));
    m.vues1 = addItem(m.radar1, QStringLiteral("vues1"), QStringLiteral("vues"));

    m.controleur1 = addMenu(nullptr, QStringLiteral("controleur1"), QStringLiteral("controleur"));
    m.Situation1 = addItem(m.controleur1, QStringLiteral("Situation1"), QString());
    m.ATIS1 = addItem(m.controleur1, QStringLiteral("ATIS1"), QStringLiteral("ATIS"));
    m.Frquence1 = addItem(m.controleur1, QStringLiteral("Frquence1"), QStringLiteral("Radio"));
    m.teamspeak1 = addItem(m.controleur1, QStringLiteral("teamspeak1"), QStringLiteral("teamspeak"));
    connect(m.teamspeak1, &QAction::triggered, this, &TForm1::teamspeak1Click);
    m.textes1 = addItem(m.controleur1, QStringLiteral("textes1"), QStringLiteral("textes"));
    m.mto1 = addItem(m.controleur1, QStringLiteral("mto1"), QStringLiteral("météo"));
    m.avions1 = addItem(m.controleur1, QStringLiteral("avions1"), QStringLiteral("vols"));
    m.Strips1 = addItem(m.controleur1, QStringLiteral("Strips1"), QStringLiteral("strips"));
    m.controls1 = addItem(m.controleur1, QStringLiteral("controls1"), QStringLiteral("controls"));
    m.paquets1 = addItem(m.controleur1, QStringLiteral("paquets1"), QStringLiteral("paquets"), false);

    m.N1 = addItem(nullptr, QStringLiteral("N1"), QStringLiteral(" "));
    addItem(nullptr, QString(), QString(), false);
    m.Vue11 = addItem(nullptr, QStringLiteral("Vue11"), QStringLiteral("vue1"));
    m.vue21 = addItem(nullptr, QStringLiteral("vue21"), QStringLiteral("vue2"));
    m.vue31 = addItem(nullptr, QStringLiteral("vue31"), QStringLiteral("vue3"));
    m.vue41 = addItem(nullptr, QStringLiteral("vue41"), QStringLiteral("vue4"));
    m.Depot = addMenu(nullptr, QStringLiteral("Depot"), QStringLiteral("FP deposés"), false);
    m.TOUS1 = addItem(m.Depot, QStringLiteral("TOUS1"), QStringLiteral("Tous"));
    m.pardate1 = addItem(m.Depot, QStringLiteral("pardate1"), QStringLiteral("par date"));
    m.version2 = addItem(nullptr, QStringLiteral("version2"), QStringLiteral("version"));
    m.TrafficAI1 = addItem(nullptr, QStringLiteral("TrafficAI1"), QStringLiteral("TrafficAI"), false);
    m.reconnexion1 = addItem(nullptr, QStringLiteral("reconnexion1"), QStringLiteral("reconnexion"), false);
}

void TForm1::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    const int widths[2] = {600, 50};
    for (int i = 0; i < 2; ++i) {
        panels_[i] = new QLabel(bar);
        panels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panels_[i]->setFrameShape(QFrame::Panel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        // The last panel takes what the bar has left: the pointer's position is wider than
        // its 50 pixels.
        const bool last = i == 1;
        if (last)
            panels_[i]->setMinimumWidth(widths[i]);
        else
            panels_[i]->setFixedWidth(widths[i]);
        bar->addWidget(panels_[i], last ? 1 : 0);
    }
}

void TForm1::buildTimers()
{
    const int intervals[4] = {100, 10000, 1800000, 1000};
    for (int i = 0; i < 4; ++i) {
        timers_[i] = new QTimer(this);
        timers_[i]->setObjectName(QStringLiteral("Timer%1").arg(i + 1));
        timers_[i]->setInterval(intervals[i]);
    }
}

void TForm1::setStatusText(int panel, const QString &text)
{
    if (panel >= 0 && panel < 2)
        panels_[panel]->setText(text);
}

QString TForm1::statusText(int panel) const
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

    if (!report_.isEmpty())
        prompts.showMessage(report_.text());

    // 1. The simulator's client library.
    QAction *connectSim = menu_.ConnectFSX1;
    s.sim.libraryLoaded = simLibrary_.load(services_.simLibraryName);
    simSession_.entries = simLibrary_.entries();
    if (s.sim.libraryLoaded) {
        setStatusText(0, QStringLiteral("SimConnect.dll Loaded"));
        connectSim->setEnabled(true);
    } else {
        setStatusText(0, QStringLiteral("SimConnect.dll not found"));
        connectSim->setEnabled(false);
        prompts.showMessage(QStringLiteral("SimConnect.dll not found"));
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
        if (const auto file = prompts.openFile(request)) {
            QString dir = QFileInfo(*file).absolutePath();
            if (!dir.endsWith(QLatin1Char('/')))
                dir += QLatin1Char('/');
            if (!Settings::WriteSimulatorDir(*s.files.zaz, s.settings, dir))
                prompts.showMessage(s.files.zaz->lastError());
        }
    }

    // 3. The simulator's name: the later test wins when both executables are there.
    s.sim.simulatorName = SimulatorNameOf(simDir());
    connectSim->setText(QStringLiteral("connect ") + s.sim.simulatorName);

    // 4. The last sector, when its file is there.
    if (QFileInfo(ProgramPath(services_.programDir, s.settings.paths.sectorFile)).isFile()) {
        if (progress_)
            progress_->begin(QStringLiteral("chargement secteur en cours"));
        loadSector();
        if (progress_)
            progress_->end();
    }

    emit shown();
}

void TForm1::exit1Click()
{
    state_.settings.windows.main = geometry();
    emit settingsAboutToBeWritten();
    if (!Settings::WriteExit(*state_.files.zaz, state_))
        services_.prompts->showMessage(
            QStringLiteral("Les paramètres n'ont pas été enregistrés : %1").arg(state_.files.zaz->lastError()));
    QCoreApplication::quit();
}

bool TForm1::loadSector()
{
    RadarState &s = state_;
    Prompts &prompts = *services_.prompts;
    setCursor(CustomCursor(1));
    scope_->setCursor(CustomCursor(1));
    SectorProgress progress;
    if (progress_) {
        progress.setMaximum = [this](int maximum) { progress_->setMaximum(maximum); };
        progress.setPosition = [this](int position) { progress_->setPosition(position); };
    }
    QString error;
    std::optional<SectorLoadResult> result = ReadSectorFile(
        ProgramPath(services_.programDir, s.settings.paths.sectorFile), ReadSettingsOf(s), error, progress);
    if (result) {
        const bool hasErrors = result->hasErrors;
        const QString errors = result->errorText;
        const QString summary = result->summary;
        ApplySectorLoad(s, std::move(*result));
        copyPictureToWindow();
        if (hasErrors)
            prompts.showMessage(errors);
        prompts.showMessage(summary);
    } else {
        prompts.showMessage(error);
    }
    unsetCursor();
    scope_->unsetCursor();
    if (result) {
        for (QAction *view : {menu_.Vue11, menu_.vue21, menu_.vue31, menu_.vue41})
            view->setVisible(false);
    }
    copyPictureToWindow();
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
    const auto file = services_.prompts->openFile(request);
    if (!file)
        return;
    QString dir = QFileInfo(*file).absolutePath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    if (!Settings::WriteSectorDir(*s.files.zaz, s.settings, dir))
        services_.prompts->showMessage(s.files.zaz->lastError());
    // A new sector starts with every fix and no procedure or airway selected. A file that
    // cannot be read leaves the sector shown before, with its file and selections.
    const QString previousFile = s.settings.paths.sectorFile;
    const SelectionTexts previousSelections = s.settings.selections;
    s.settings.paths.sectorFile = QFileInfo(*file).absoluteFilePath();
    s.settings.selections = SelectionTexts();
    if (progress_)
        progress_->begin(QStringLiteral("chargement secteur en cours"));
    if (!loadSector()) {
        s.settings.paths.sectorFile = previousFile;
        s.settings.selections = previousSelections;
    }
    if (progress_)
        progress_->end();
    copyPictureToWindow();
}

void TForm1::sauvegardersct1Click()
{
    RadarState &s = state_;
    FileDialogRequest request;
    request.filter = QStringLiteral("secteur (*.sct)|*.SCT");
    request.initialDir = ProgramPath(services_.programDir, QStringLiteral("secteurs"));
    const auto chosen = services_.prompts->saveFile(request);
    if (!chosen)
        return;
    QString file = *chosen;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".sct");
    if (progress_) {
        progress_->begin(QStringLiteral("ecriture secteur en cours"));
        progress_->setMaximum(2000);
    }
    QStringList lines;
    WriteSector(s.sector.tables, s.sector.identity, s.settings.paths.sectorFile, lines, [this](int count) {
        if (progress_)
            progress_->setPosition(count);
    });
    if (progress_)
        progress_->end();
    QString error;
    if (!SaveLines(file, lines, error))
        services_.prompts->showMessage(error);
}

void TForm1::connect1Click()
{
    if (!connectionDialog_)
        return;
    RadarState &s = state_;
    connectionDialog_->prepare(QStringLiteral("VIREO-SERVER"));
    if (connectionDialog_->exec() != QDialog::Accepted)
        return;
    if (connection_->isOpen())
        return;
    const ConnectionChoice choice = connectionDialog_->choice();
    if (choice.facility < 0 || choice.rating < 1) {
        services_.prompts->showMessage(QStringLiteral("choisissez le type de contrôle et la qualification"));
        return;
    }
    try {
        if (!PrepareConnection(s.link, s.sector, s.weather, s.view, choice, clientSize().height()))
            services_.prompts->showMessage(QStringLiteral("ce callsign ne correspond pas à un aéroport du secteur"));
    } catch (const ConversionError &e) {
        services_.prompts->showMessage(e.message());
        return;
    }
    connection_->open(choice.address, quint16(s.link.server.port.toUInt()));
}

void TForm1::disconnect1Click()
{
    connection_->signOff();
    Timer1()->stop();
    Timer2()->stop();
    Timer3()->stop();
}

void TForm1::reconnexion1Click()
{
    connection_->reopen();
}

void TForm1::Timer1Timer()
{
    if (!connection_->tick())
        Timer1()->stop();
    fullRedraw();
}

void TForm1::Timer2Timer()
{
    SendPosition(state_.link, *connection_, true);
}

void TForm1::Timer3Timer()
{
    RefreshTimerStep(state_, *metarFetch_, connection_.get());
}

void TForm1::wireSimulator()
{
    connect(menu_.ConnectFSX1, &QAction::triggered, this, &TForm1::ConnectFSX1Click);
    connect(Timer4(), &QTimer::timeout, this, &TForm1::Timer4Timer);
    state_.sim.commands.requestStations = [this] { requestSimStations(); };
    state_.sim.commands.setZuluTime = [this](int hours, int minutes) {
        if (state_.sim.connected)
            SetSimZuluTime(simSession_, hours, minutes);
    };
}

void TForm1::ConnectFSX1Click()
{
    RadarState &s = state_;
    const QString &name = s.sim.simulatorName;
    if (s.sim.connected) {
        closeSimSession();
    } else if (!openSimSession()) {
        Timer4()->stop();
        Timer3()->stop();
        showSimClosed();
    } else {
        setStatusText(0, QStringLiteral("Connected to ") + name);
        menu_.ConnectFSX1->setText(QStringLiteral("disconnect ") + name);
        s.link.status = QStringLiteral("connecté ") + name;
        s.weather.CurrentWeather.source = name;
        // A server session cannot start while the simulator's is open, except through the
        // connection offered now.
        menu_.connect1->setEnabled(false);
        Timer4()->start();
        Timer3()->start();
        RequestSimMetar(simSession_, SIM_REQ_OWN_METAR, s.link.WeatherStation);
        update();
        connect1Click();
    }
    update();
}

bool TForm1::openSimSession()
{
    const bool opened = OpenSimSession(simSession_, state_.sim);
    menu_.TrafficAI1->setEnabled(opened);
    if (opened)
        requestSimStations();
    return opened;
}

void TForm1::closeSimSession()
{
    RadarState &s = state_;
    Timer4()->stop();
    Timer3()->stop();
    if (connection_->signOffWithSimulator()) {
        Timer1()->stop();
        Timer2()->stop();
    }
    CloseSimSession(simSession_, s.sim, s.traffic, s.weather);
    menu_.TrafficAI1->setEnabled(false);
    showSimClosed();
    emit s.notifier.weatherChanged();
    emit s.notifier.stripsChanged();
    emit s.notifier.trafficChanged();
    fullRedraw();
}

void TForm1::showSimClosed()
{
    RadarState &s = state_;
    setStatusText(0, QStringLiteral("not Connected to ") + s.sim.simulatorName);
    menu_.ConnectFSX1->setText(QStringLiteral("connect ") + s.sim.simulatorName);
    s.link.status = QStringLiteral("non connecté");
    s.weather.CurrentWeather.source.clear();
    menu_.connect1->setEnabled(true);
}

void TForm1::Timer4Timer()
{
    RadarState &s = state_;
    SimDispatchOutput out;
    switch (PollSimSession(simSession_, s.sim, s.sim.lastSimMetar.isEmpty(), simDispatcher(out))) {
    case SimPoll::Polled:
        finishSimDispatch(out);
        break;
    case SimPoll::Lost: // closed quietly; what it showed stays until it answers again
        break;
    case SimPoll::StillLost:
        menu_.TrafficAI1->setEnabled(false);
        break;
    case SimPoll::Reopened:
        menu_.TrafficAI1->setEnabled(true);
        requestSimStations();
        break;
    case SimPoll::Failed:
        simFailed();
        break;
    }
}

void TForm1::requestSimStations()
{
    SimDispatchOutput out;
    const bool answered = RequestSimStations(simSession_, state_.sim, state_.weather, simDispatcher(out));
    finishSimDispatch(out);
    if (!answered)
        simFailed();
}

void TForm1::simFailed()
{
    // Polling stops; the session stays open until it is closed from the menu.
    Timer4()->stop();
    services_.prompts->showMessage(SimNotAnsweringText(state_.sim.simulatorName));
}

SimRecordHandler TForm1::simDispatcher(SimDispatchOutput &out)
{
    return [this, &out](const void *data, std::size_t size) {
        SimDispatch(SimGroupsOf(state_), data, size, services_.clock->now(), out);
    };
}

void TForm1::finishSimDispatch(const SimDispatchOutput &out)
{
    RadarState &s = state_;
    for (const SimFollowUp &f : out.requests) {
        if (f.request == SIM_REQ_AMBIENT)
            RequestSimUserData(simSession_, f.request, f.definition);
        else
            RequestSimObjectData(simSession_, f.request, f.definition, f.objectId);
    }
    if (connection_->isOpen()) {
        for (const QString &metar : out.published)
            SendMetarToServer(s.link, *connection_, metar);
    }
    if (out.weatherChanged)
        emit s.notifier.weatherChanged();
    if (out.trafficChanged) {
        emit s.notifier.stripsChanged();
        emit s.notifier.trafficChanged();
    }
    fullRedraw();
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
        services_.prompts->showMessage(QStringLiteral("paramètres de connexion invalides"));
        return;
    }
    if (!services_.shell->open(paths.voiceProgram, paths.voiceParams))
        services_.prompts->showMessage(
            QStringLiteral("Impossible de lancer le programme vocal \"%1\"").arg(paths.voiceProgram));
}

} // namespace zaz
