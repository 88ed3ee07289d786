// The program's windows, created once at start in a fixed order and kept for the whole
// run. The main window comes first: its create handler reads the settings the others use.
#pragma once

#include "ui/AppServices.h"

#include <memory>

namespace zaz {

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class Tform_texte;
class TForm_couleur;
class TForm_decline;
class TForm_message;
class TForm_bouton;
class TForm_choixcontrol;
class TForm_control;
class TForm_depot;
class TForm_info;
class TForm_listcontrol;
class TForm_liststrip;
class TForm_range;
class TForm_secu;
class TForm_strip;
class TForm_unavion;
class TForm_vues;
class TForm_AI;
class TForm_createAI;
class TForm_fp;
class TForm_dialogue;
class TForm_commandes;

struct AppWindows {
    AppWindows();
    ~AppWindows();
    // Members are declared in creation order and destroyed in reverse, the main window,
    // which owns the shared state, last.
    std::unique_ptr<TForm1> form1;           //  1 main window "RADAR"
    std::unique_ptr<TForm2> form2;           //  2 server connection settings
    std::unique_ptr<TForm3> centre;          //  3 centre on a point
    std::unique_ptr<TForm4> radio;           //  4 radio
    std::unique_ptr<TForm5> meteo;           //  5 weather
    std::unique_ptr<TForm6> atis;            //  6 ATIS
    std::unique_ptr<TForm7> flightList;      //  7 flight list "vols"
    std::unique_ptr<TForm8> packets;         //  8 packet monitor
    std::unique_ptr<TForm_couleur> couleur;  //  9 display settings
    std::unique_ptr<TForm_range> range;      // 10 visibility
    std::unique_ptr<TForm_secu> secu;        // 11 separation minima
    std::unique_ptr<TForm_strip> strip;      // 12 strip editor: strip->open(callsign)
    std::unique_ptr<TForm_liststrip> strips; // 13 strip board "liste STRIPS"
    std::unique_ptr<TForm_listcontrol> listControls; // 14 controllers list
    std::unique_ptr<TForm_choixcontrol> chooseControl; // 15 handoff target
    std::unique_ptr<TForm_unavion> aircraftPanel; // 16 aircraft panel
    std::unique_ptr<TForm_message> message;  // 17 progress window
    std::unique_ptr<TForm_bouton> bouton;    // 18 shortcut window "CMD"
    std::unique_ptr<TForm_decline> decline;  // 19 magnetic declination
    std::unique_ptr<TForm_control> control;  // 20 controller details
    std::unique_ptr<TForm_vues> vues;        // 21 views
    std::unique_ptr<TForm_info> info;        // 22 about window
    std::unique_ptr<Tform_texte> texts;      // 23 predefined texts
    std::unique_ptr<TForm_depot> depot;      // 24 filed flight plans
    std::unique_ptr<TForm_AI> ai;            // 25 AI traffic
    std::unique_ptr<TForm_createAI> createAi; // 26 AI creation
    std::unique_ptr<TForm_fp> flightPlan;    // 27 flight-plan display
    std::unique_ptr<TForm_dialogue> dialogue; // the console's quick popup "COM1"
    std::unique_ptr<TForm_commandes> console; // command console "STRIPS", shown from the start
};

// Creates every window in its order and connects the menu items they serve.
std::unique_ptr<AppWindows> CreateAppWindows(const AppServices &services);

} // namespace zaz
