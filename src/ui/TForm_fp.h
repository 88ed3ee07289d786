// The flight-plan window "plan de vol": the lines of a plan file shown before the plan is
// given to an aircraft; "charger" accepts, "annuler" does not. Also the plan file choice and
// reading shared by the AI windows.
#pragma once

#include "state/RadarState.h"

#include <QDialog>
#include <optional>

class QListWidget;

namespace zaz {

class Prompts;

// The file dialog for a plan file, starting in the flight-plan folder when one is set. A
// chosen file's folder becomes the flight-plan folder and is written to ZAZ.ini at once.
std::optional<QString> ChoosePlanFile(RadarState &state, Prompts &prompts);

// Empties the plan lists, then reads and parses path into them. A file that cannot be read
// leaves them empty and says why in a message box.
void ReadPlanIntoLists(FlightPlanFiles &files, const QString &path, Prompts &prompts);

class TForm_fp : public QDialog {
    Q_OBJECT
public:
    explicit TForm_fp(QWidget *mainWindow = nullptr);

    // Shows the lines under the caption, modally; true on "charger".
    bool showPlan(const QStringList &lines, const QString &caption);

private:
    QListWidget *list_;
};

} // namespace zaz
