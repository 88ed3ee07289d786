// The main window's display settings menu items: "affichage" and "securité".
#include "app/TForm1.h"

#include "scope/DisplayEdits.h"
#include "ui/TForm_couleur.h"
#include "ui/TForm_secu.h"

#include <QAction>

namespace zaz {

void TForm1::setDisplayDialogs(TForm_couleur *display, TForm_secu *separation)
{
    displayDialog_ = display;
    separationDialog_ = separation;
    connect(menu_.couleurs1, &QAction::triggered, this, &TForm1::couleurs1Click, Qt::UniqueConnection);
    connect(menu_.securit1, &QAction::triggered, this, &TForm1::securit1Click, Qt::UniqueConnection);
}

void TForm1::couleurs1Click()
{
    if (!displayDialog_)
        return;
    displayDialog_->prepare();
    if (displayDialog_->exec() == QDialog::Accepted) {
        RadarState &s = state_;
        if (AcceptDisplayEdits(s.settings.display, s.sector, displayDialog_->zoomPosition(),
                               displayDialog_->elementLists()))
            fullRedraw();
    }
    copyPictureToWindow();
}

void TForm1::securit1Click()
{
    if (!separationDialog_)
        return;
    separationDialog_->prepare(state_.settings.display.separation);
    if (separationDialog_->exec() == QDialog::Accepted)
        state_.settings.display.separation = separationDialog_->values();
}

} // namespace zaz
