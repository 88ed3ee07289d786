// The main window "RADAR": hosts the scope, the main menu, the status bar and the four
// timers, and owns the shared state of the whole run.
#pragma once

#include "scope/ScopeRenderer.h"
#include "sim/SimDispatch.h"
#include "sim/SimLibrary.h"
#include "sim/SimSession.h"
#include "state/RadarState.h"
#include "state/Settings.h"
#include "ui/AppServices.h"

#include <QImage>
#include <QLibrary>
#include <QList>
#include <QMainWindow>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace zaz {

class MetarFetch;
class ProgressDisplay;
class ScopeView;
class ServerConnection;
class TForm2;
class TForm3;
class TForm_decline;
class TForm_range;
class TForm_vues;

// The items of the main menu, by the names the program knows them by.
struct MainMenuItems {
    QMenu *Fichier1 = nullptr;
    QAction *chargersct1 = nullptr;
    QAction *connect1 = nullptr;
    QAction *disconnect1 = nullptr;
    QAction *ConnectFSX1 = nullptr;
    QAction *sauvegardersct1 = nullptr;
    QAction *exit1 = nullptr;
    QMenu *paramtres1 = nullptr;
    QAction *couleurs1 = nullptr;
    QMenu *taille1 = nullptr;
    QAction *rectangulaire1 = nullptr;
    QAction *carr1 = nullptr;
    QAction *commandes1 = nullptr;
    QMenu *radar1 = nullptr;
    QAction *range1 = nullptr;
    QAction *securit1 = nullptr;
    QAction *centrer1 = nullptr;
    QAction *Dclinaison1 = nullptr;
    QAction *vues1 = nullptr;
    QMenu *controleur1 = nullptr;
    QAction *Situation1 = nullptr;
    QAction *ATIS1 = nullptr;
    QAction *Frquence1 = nullptr;
    QAction *teamspeak1 = nullptr;
    QAction *textes1 = nullptr;
    QAction *mto1 = nullptr;
    QAction *avions1 = nullptr;
    QAction *Strips1 = nullptr;
    QAction *controls1 = nullptr;
    QAction *paquets1 = nullptr;
    QAction *N1 = nullptr;
    QAction *Vue11 = nullptr;
    QAction *vue21 = nullptr;
    QAction *vue31 = nullptr;
    QAction *vue41 = nullptr;
    QMenu *Depot = nullptr;
    QAction *TOUS1 = nullptr;
    QAction *pardate1 = nullptr;
    QAction *version2 = nullptr;
    QAction *TrafficAI1 = nullptr;
    QAction *reconnexion1 = nullptr;
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // Runs the create handler: reads the settings and prepares the picture and menus.
    explicit TForm1(const AppServices &services, QWidget *parent = nullptr);
    ~TForm1() override;

    RadarState &state() { return state_; }
    const AppServices &services() const { return services_; }

    // The offscreen picture of the scope, the size of the client area.
    const QImage &picture() const { return picture_; }
    // Copies the picture to the window.
    void copyPictureToWindow();
    // Steps the model, draws the whole scope into the picture, then copies it to the window.
    void fullRedraw();
    QSize clientSize() const;
    ScopeRenderer &renderer() { return renderer_; }
    // The simulator session the AI windows and the aircraft panel send their commands through.
    SimSession &simSession() { return simSession_; }

    const MainMenuItems &menu() const { return menu_; }
    QTimer *Timer1() const { return timers_[0]; }
    QTimer *Timer2() const { return timers_[1]; }
    QTimer *Timer3() const { return timers_[2]; }
    QTimer *Timer4() const { return timers_[3]; }

    void setStatusText(int panel, const QString &text);
    QString statusText(int panel) const;

    // What the create handler found wrong in the settings (shown when the window shows).
    const SettingsReport &settingsReport() const { return report_; }
    // The icons of the map and of the targets.
    const QList<QImage> &ImageList1() const { return icons_; }

    // The show handler: simulator library probe, simulator folder and name. Runs once, at
    // the first show; calling it again does nothing.
    void FormShow();
    bool formShown() const { return shown_; }

    // The progress window used by long work (sector load and save).
    void setProgressDisplay(ProgressDisplay *progress) { progress_ = progress; }
    // The connection settings dialog used by "connect serveur".
    void setConnectionDialog(TForm2 *dialog) { connectionDialog_ = dialog; }
    ServerConnection &connection() { return *connection_; }
    // The internet fetch of the stations' METARs.
    MetarFetch &metarFetch() { return *metarFetch_; }

    // Menu handlers.
    void exit1Click();
    void teamspeak1Click();
    void chargersct1Click();
    void sauvegardersct1Click();
    void connect1Click();
    void disconnect1Click();
    void reconnexion1Click();
    void Timer1Timer();
    void Timer2Timer();
    // The weather refresh: the own airport's station and every station around fetched again.
    void Timer3Timer();
    // "connect FSX"/"disconnect FSX": opens the simulator session (and then offers the server
    // connection) or closes it with everything it showed.
    void ConnectFSX1Click();
    // The simulator's polling step, every second while its session is open.
    void Timer4Timer();

    // --- Scope interaction: mouse, keys, layouts, views, centring, range, declination
    // (TForm1Scope.cpp).
    struct ScopeDialogs {
        TForm3 *centre = nullptr;
        TForm_range *range = nullptr;
        TForm_decline *declination = nullptr;
        TForm_vues *views = nullptr;
    };
    // Connects the scope's mouse, wheel and keys and the scope items of the menu to their
    // handlers; the dialogs are those the items open. Called once, when the windows exist.
    void connectScopeInteraction(const ScopeDialogs &dialogs);
    void FormMouseDown(Qt::MouseButton button, QPoint point, Qt::KeyboardModifiers modifiers);
    void FormMouseMove(Qt::MouseButtons buttons, QPoint point, Qt::KeyboardModifiers modifiers);
    void FormMouseUp(Qt::MouseButton button);
    void FormDblClick();
    void FormMouseWheel(int delta);
    // The scope's keys; other windows forward theirs here.
    void FormKeyDown(int key);
    void FormKeyUp(int key);
    void rectangulaire1Click();
    void carr1Click();
    void range1Click();
    void centrer1Click();
    void Dclinaison1Click();
    void vues1Click();
    // Stores the current view as view slot (0 to 3) and shows its menu item.
    void storeView(int slot);
    // Recalls view slot when it was stored.
    void recallView(int slot);

private:
    QAction *viewItem(int slot) const;
    ScopeDialogs scopeDialogs_;

public:
    // --- end of scope interaction

    // --- Display settings dialogs (TForm1Display.cpp).
    // The "affichage" and "securité" dialogs; their menu items open them from then on.
    void setDisplayDialogs(class TForm_couleur *display, class TForm_secu *separation);
    // "affichage": the dialog edits the settings live; accepted, the zoom sensitivity is
    // taken and, with a sector loaded, the GEO colours and the fix and airway selections,
    // and the map is redrawn. The window is repainted either way.
    void couleurs1Click();
    // "securité": accepted, the three bars become the separation minima.
    void securit1Click();

private:
    TForm_couleur *displayDialog_ = nullptr;
    TForm_secu *separationDialog_ = nullptr;

public:
    // --- end of display settings

    // Reads the last-sector file of the settings into the state. On a file that cannot be
    // read the controller is told why and the sector loaded before stays. False then.
    bool loadSector();

signals:
    // Emitted by "exit" just before the settings are written, so that windows whose
    // place is kept can store it in the state.
    void settingsAboutToBeWritten();
    // Emitted once the show handler has run.
    void shown();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    // Sets the caption; the picture is then copied to the window.
    void FormPaint();
    void FormResize(const QSize &client);
    void applyWindowGeometry();
    void buildMenu();
    void buildStatusBar();
    void buildTimers();
    void wireServerLink();
    // The simulator session's side of the window (the handlers are public above).
    void wireSimulator();
    bool openSimSession();
    void closeSimSession();
    void showSimClosed();
    void requestSimStations();
    void simFailed();
    // Applies one record the simulator sent, collecting what remains to be done in out.
    SimRecordHandler simDispatcher(SimDispatchOutput &out);
    // Sends the follow-up requests and published METARs of out, and repaints.
    void finishSimDispatch(const SimDispatchOutput &out);
    QSize screenSize() const;
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption, bool enabled = true);
    QMenu *addMenu(QMenu *parentMenu, const QString &name, const QString &caption, bool enabled = true);

    AppServices services_;
    RadarState state_;
    SettingsReport report_;
    QImage picture_;
    ScopeRenderer renderer_;
    std::vector<AngleError> notedAngleErrors_; // the last written to [erreur]
    MainMenuItems menu_;
    QList<QImage> icons_;
    ScopeView *scope_ = nullptr;
    QLabel *panels_[2] = {nullptr, nullptr};
    QTimer *timers_[4] = {nullptr, nullptr, nullptr, nullptr};
    SimLibrary simLibrary_;   // the simulator's client library, loaded at start
    SimSession simSession_;   // its session: the entry table once loaded, the handle once open
    ProgressDisplay *progress_ = nullptr;
    TForm2 *connectionDialog_ = nullptr;
    std::unique_ptr<ServerConnection> connection_;
    std::unique_ptr<MetarFetch> metarFetch_;
    bool shown_ = false;
};

} // namespace zaz
