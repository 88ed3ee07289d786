#include "app/AppWindows.h"

#include "app/TForm1.h"
#include "ui/TForm_bouton.h"
#include "ui/TForm_couleur.h"
#include "ui/TForm_info.h"
#include "ui/TForm_message.h"
#include "ui/TForm_secu.h"
#include "ui/TForm2.h"
#include "ui/TForm3.h"
#include "ui/TForm_decline.h"
#include "ui/TForm_range.h"
#include "ui/TForm_vues.h"

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
    //  5 TForm5            weather
    //  6 TForm6            ATIS
    //  7 TForm7            flight list
    //  8 TForm8            packet monitor
    //  9 TForm_couleur     display settings
    w->couleur = std::make_unique<TForm_couleur>(main.state(), *services.prompts, &main);
    // 10 TForm_range       visibility
    w->range = std::make_unique<TForm_range>(&main);
    // 11 TForm_secu        separation minima
    w->secu = std::make_unique<TForm_secu>(&main);
    main.setDisplayDialogs(w->couleur.get(), w->secu.get());
    // 12 TForm_strip       strip editor
    // 13 TForm_liststrip   strip board
    // 14 TForm_listcontrol controllers list
    // 15 TForm_choixcontrol handoff target
    // 16 TForm_unavion     aircraft panel
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
    // 21 TForm_vues        views
    w->vues = std::make_unique<TForm_vues>(&main);
    main.connectScopeInteraction({w->centre.get(), w->range.get(), w->decline.get(), w->vues.get()});
    // 22 TForm_info        about window
    w->info = std::make_unique<TForm_info>(main.state().app.versionTag);
    QObject::connect(main.menu().version2, &QAction::triggered,
                     w->info.get(), &QDialog::show);
    // 23 Tform_texte       predefined texts
    // 24 TForm_depot       filed flight plans
    // 25 TForm_AI          AI traffic
    // 26 TForm_createAI    AI creation
    // 27 TForm_fp          flight-plan display
    return w;
}

} // namespace zaz
