// The program's windows, created once at start in a fixed order and kept for the whole
// run. The main window comes first: its create handler reads the settings the others use.
#pragma once

#include "ui/AppServices.h"

#include <memory>

namespace zaz {

class TForm1;
class TForm2;
class TForm3;
class TForm_couleur;
class TForm_decline;
class TForm_message;
class TForm_bouton;
class TForm_info;
class TForm_range;
class TForm_secu;
class TForm_vues;

struct AppWindows {
    AppWindows();
    ~AppWindows();
    // Members are declared in creation order and destroyed in reverse, the main window,
    // which owns the shared state, last.
    std::unique_ptr<TForm1> form1;           //  1 main window "RADAR"
    std::unique_ptr<TForm2> form2;           //  2 server connection settings
    std::unique_ptr<TForm3> centre;          //  3 centre on a point
    std::unique_ptr<TForm_couleur> couleur;  //  9 display settings
    std::unique_ptr<TForm_range> range;      // 10 visibility
    std::unique_ptr<TForm_secu> secu;        // 11 separation minima
    std::unique_ptr<TForm_message> message;  // 17 progress window
    std::unique_ptr<TForm_bouton> bouton;    // 18 shortcut window "CMD"
    std::unique_ptr<TForm_decline> decline;  // 19 magnetic declination
    std::unique_ptr<TForm_vues> vues;        // 21 views
    std::unique_ptr<TForm_info> info;        // 22 about window
};

// Creates every window in its order and connects the menu items they serve.
std::unique_ptr<AppWindows> CreateAppWindows(const AppServices &services);

} // namespace zaz
