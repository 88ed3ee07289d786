// The separation minima dialog "distances de sécurité": the vertical and horizontal
// separations and the altitude below which no conflict is looked for, each on a track bar
// whose label shows its value. "changer" accepts, "annuler" does not; the caller stores the
// accepted values.
#pragma once

#include "scope/DisplaySettings.h"

#include <QDialog>

class QLabel;
class QSlider;

namespace zaz {

class TForm_secu : public QDialog {
    Q_OBJECT
public:
    // mainWindow is the parent the dialog stays on top of and places itself from.
    explicit TForm_secu(QWidget *mainWindow = nullptr);

    // Sets the three bars and their labels from the minima in force.
    void prepare(const SeparationMinima &minima);
    // The three bars' positions.
    SeparationMinima values() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct Bar {
        QSlider *slider;
        QLabel *value;
        QString unit;
    };
    Bar buildBar(const char *name, const char *valueName, int maximum, int step, const QString &unit);

    Bar vertical_;
    Bar horizontal_;
    Bar minimum_;
};

} // namespace zaz
