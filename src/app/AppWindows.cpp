#include "app/AppWindows.h"

#include "app/TForm1.h"
#include "link/Connection.h"
#include "ui/TForm_bouton.h"
#include "ui/TForm_choixcontrol.h"
#include "ui/TForm_control.h"
#include "ui/TForm_couleur.h"
#include "ui/TForm_info.h"
#include "ui/TForm_message.h"
#include "ui/TForm_secu.h"
#include "ui/TForm_strip.h"
#include "ui/TForm2.h"
#include "ui/TForm3.h"
#include "ui/TForm4.h"
#include "ui/TForm5.h"
#include "ui/TForm6.h"
#include "ui/TForm7.h"
#include "ui/TForm8.h"
#include "ui/Tform_texte.h"
#include "ui/TForm_decline.h"
#include "ui/TForm_depot.h"
#include "ui/TForm_listcontrol.h"
#include "ui/TForm_liststrip.h"
#include "ui/TForm_range.h"
#include "ui/TForm_unavion.h"
#include "ui/TForm_vues.h"
#include "ui/TForm_AI.h"
#include "ui/TForm_createAI.h"
#include "ui/TForm_fp.h"
#include "ui/TForm_dialogue.h"
#include "ui/TForm_commandes.h"

#include <QAction>

namespace zaz {

AppWindows::AppWindows() = default;
AppWindows::~AppWindows() = default;

std::unique_ptr<AppWindows> CreateAppWindows(const AppServices &services)
{
    auto w = std::make_unique<AppWindows>();

    // The creation order of the 27 windows. Each window is created once, here, in this
    // position; the numbers not built below belong to subsystems that add them here.
    //  1 TForm1            main window (reads the settings)
    w->form1 = std::make_unique<TForm1>(services);
    TForm1 &main = *w->form1;
    //  2 TForm2            server connection settings
    w->form2 = std::make_unique<TForm2>(main.state(), *services.prompts);
    main.setConnectionDialog(w->form2.get());
    //  3 TForm3            centre on a point
    w->centre = std::make_unique<TForm3>(main.state().sector.tables, &main);
    //  4 TForm4            radio
    w->radio = std::make_unique<TForm4>(main.state(), main.connection());
    QObject::connect(main.menu().Frquence1, &QAction::triggered, w->radio.get(), &TForm4::Frquence1Click);
    QObject::connect(w->radio.get(), &TForm4::scopeKey, &main, &TForm1::FormKeyDown);
    QObject::connect(w->radio.get(), &TForm4::com1Tuned, &main, [m = &main] { m->fullRedraw(); });
    //  5 TForm5            weather
    w->meteo = std::make_unique<TForm5>(main.state(), main.connection(), main.metarFetch(), *main.Timer3(), &main);
    QObject::connect(main.menu().mto1, &QAction::triggered, w->meteo.get(), &TForm5::mto1Click);
    //  6 TForm6            ATIS
    w->atis = std::make_unique<TForm6>(main.state(), *services.prompts, &main);
    QObject::connect(main.menu().ATIS1, &QAction::triggered, w->atis.get(), &TForm6::ATIS1Click);
    QObject::connect(w->atis.get(), &TForm6::atisStored, &main, [m = &main] { m->fullRedraw(); });
    //  7 TForm7            flight list
    w->flightList = std::make_unique<TForm7>(main.state(), services, &main);
    w->flightList->setSimSession(&main.simSession());
    QObject::connect(main.menu().avions1, &QAction::triggered, w->flightList.get(), &TForm7::avions1Click);
    QObject::connect(w->flightList.get(), &TForm7::scopeKey, &main, &TForm1::FormKeyDown);
    QObject::connect(w->flightList.get(), &TForm7::scopeKeyUp, &main, &TForm1::FormKeyUp);
    //  8 TForm8            packet monitor
    w->packets = std::make_unique<TForm8>(main.state().link, main.state().traffic, main.connection());
    main.menu().paquets1->setCheckable(true);
    QObject::connect(main.menu().paquets1, &QAction::toggled, &main,
                     [s = &main.state()](bool ticked) { s->link.monitorTicked = ticked; });
    QObject::connect(main.menu().paquets1, &QAction::triggered, w->packets.get(), [p = w->packets.get()] {
        p->show();
        p->raise();
    });
    //  9 TForm_couleur     display settings
    w->couleur = std::make_unique<TForm_couleur>(main.state(), *services.prompts, &main);
    // 10 TForm_range       visibility
    w->range = std::make_unique<TForm_range>(&main);
    // 11 TForm_secu        separation minima
    w->secu = std::make_unique<TForm_secu>(&main);
    main.setDisplayDialogs(w->couleur.get(), w->secu.get());
    // 12 TForm_strip       strip editor
    w->strip = std::make_unique<TForm_strip>(main.state(), main.connection(), &main);
    // 13 TForm_liststrip   strip board
    w->strips = std::make_unique<TForm_liststrip>(main.state(), &main);
    QObject::connect(main.menu().Strips1, &QAction::triggered, w->strips.get(), &TForm_liststrip::Strips1Click);
    QObject::connect(w->strips.get(), &TForm_liststrip::scopeKey, &main, &TForm1::FormKeyDown);
    QObject::connect(w->strips.get(), &TForm_liststrip::scopeKeyUp, &main, &TForm1::FormKeyUp);
    QObject::connect(w->strips.get(), &TForm_liststrip::stripEditorWanted, w->strip.get(), &TForm_strip::open);
    // 14 TForm_listcontrol controllers list
    w->listControls = std::make_unique<TForm_listcontrol>(main.state(), &main);
    QObject::connect(main.menu().controls1, &QAction::triggered,
                     w->listControls.get(), [l = w->listControls.get()] {
                         l->show();
                         l->raise();
                     });
    // 15 TForm_choixcontrol handoff target
    w->chooseControl = std::make_unique<TForm_choixcontrol>(main.state(), main.connection(), &main);
    // 16 TForm_unavion     aircraft panel
    w->aircraftPanel = std::make_unique<TForm_unavion>(main.state(), &main);
    w->aircraftPanel->setSimSession(&main.simSession());
    w->strips->setAircraftPanel(w->aircraftPanel.get());
    QObject::connect(w->aircraftPanel.get(), &TForm_unavion::scopeKey, &main, &TForm1::FormKeyDown);
    QObject::connect(w->aircraftPanel.get(), &TForm_unavion::stripEditorWanted, w->strip.get(), &TForm_strip::open);
    // 17 TForm_message     progress window
    w->message = std::make_unique<TForm_message>();
    main.setProgressDisplay(w->message.get());
    // 18 TForm_bouton      shortcut window "CMD"
    w->bouton = std::make_unique<TForm_bouton>(QList<TForm_bouton::Shortcut>{
        {QStringLiteral("CENTRER"), main.menu().centrer1},
        {QStringLiteral("RADIO"), main.menu().Frquence1},
        {QStringLiteral("ATIS"), main.menu().ATIS1},
        {QStringLiteral("VOLS"), main.menu().avions1},
        {QStringLiteral("METEO"), main.menu().mto1},
    });
    QObject::connect(main.menu().commandes1, &QAction::triggered,
                     w->bouton.get(), [b = w->bouton.get()] {
                         b->show();
                         b->raise();
                     });
    // 19 TForm_decline     magnetic declination
    w->decline = std::make_unique<TForm_decline>(&main);
    // 20 TForm_control     controller details
    w->control = std::make_unique<TForm_control>(main.state(), main.connection(), &main);
    w->listControls->setDetailsWindow(w->control.get());
    // 21 TForm_vues        views
    w->vues = std::make_unique<TForm_vues>(&main);
    main.connectScopeInteraction({w->centre.get(), w->range.get(), w->decline.get(), w->vues.get()});
    // 22 TForm_info        about window
    w->info = std::make_unique<TForm_info>(main.state().app.versionTag);
    QObject::connect(main.menu().version2, &QAction::triggered,
                     w->info.get(), &QDialog::show);
    // 23 Tform_texte       predefined texts
    w->texts = std::make_unique<Tform_texte>(*main.state().files.com, *services.prompts, &main);
    QObject::connect(main.menu().textes1, &QAction::triggered, w->texts.get(), &Tform_texte::textes1Click);
    // 24 TForm_depot       filed flight plans
    w->depot = std::make_unique<TForm_depot>(main.state(), main.connection(), *services.prompts, *services.clock,
                                             &main);
    QObject::connect(main.menu().TOUS1, &QAction::triggered, w->depot.get(), &TForm_depot::TOUS1Click);
    QObject::connect(main.menu().pardate1, &QAction::triggered, w->depot.get(), &TForm_depot::pardate1Click);
    // 25 TForm_AI          AI traffic
    w->ai = std::make_unique<TForm_AI>(main.state(), main.simSession(), *services.prompts, &main);
    QObject::connect(main.menu().TrafficAI1, &QAction::triggered, w->ai.get(), &TForm_AI::TrafficAI1Click);
    QObject::connect(w->ai.get(), &TForm_AI::trafficEdited, &main, [m = &main] { m->fullRedraw(); });
    // 26 TForm_createAI    AI creation
    w->createAi = std::make_unique<TForm_createAI>(main.state(), main.simSession(), w->ai->types(),
                                                   *services.prompts, &main);
    // 27 TForm_fp          flight-plan display
    w->flightPlan = std::make_unique<TForm_fp>(&main);
    w->ai->setDialogs(w->createAi.get(), w->flightPlan.get());
    // The command console's quick popup: a message sent on COM1 shows in the radio window.
    w->dialogue = std::make_unique<TForm_dialogue>(main.state(), main.connection(), &main);
    QObject::connect(w->dialogue.get(), &TForm_dialogue::com1Sent, w->radio.get(),
                     [r = w->radio.get()] { r->messageSent(RadioChannel::Com1); });
    // The command console, open from the start; its radio texts go through the quick popup.
    w->console = std::make_unique<TForm_commandes>(main.state(), *services.clock, &main);
    w->console->setControllerChooser(w->chooseControl.get());
    w->console->setLineSender(&main.connection());
    w->dialogue->setValuesSource([c = w->console.get()] { return c->textValues(); });
    QObject::connect(w->console.get(), &TForm_commandes::com1Wanted, w->dialogue.get(),
                     [d = w->dialogue.get(), c = w->console.get()](const QString &section, const QString &caption) {
                         d->open(section, caption, c);
                     });
    w->console->show();
    return w;
}

} // namespace zaz
