// The strip configuration read from the settings files: the control positions and their
// steps (ope.ini), the status codes of a step (val.ini), the radio messages of a step
// (com.ini) and the flight kinds offered at a position (ldep.ini). Everything comes back
// in the files' order.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zaz {

class IniFile;

// A step of a control position: its name (also its section in val.ini and com.ini) and
// its caption.
struct ControlStep {
    QString name;
    QString caption;
};

// A code and its text: a status of a step, or a flight kind of a position.
struct CodeText {
    QString code;
    QString text;
};

// A radio message of a step: its name and its template.
struct StripMessage {
    QString name;
    QString text;
};

// The control positions, in the order they are offered (the sections of ope.ini).
QStringList ControlPositions(const IniFile &ope);
// The steps of a position, in order; a caption missing reads "ERROR". Empty for an unknown
// position.
QList<ControlStep> PositionSteps(const IniFile &ope, const QString &position);
// The status codes allowed for a step with their texts.
QList<CodeText> StepStatuses(const IniFile &val, const QString &step);
// The messages of a step; a template missing reads "ERROR".
QList<StripMessage> StepMessages(const IniFile &com, const QString &step);
// One message's template; "ERROR" when the step has no such message.
QString MessageTemplate(const IniFile &com, const QString &step, const QString &name);
// The flight kinds offered at a position: the code written in the strip and its label.
QList<CodeText> FlightKinds(const IniFile &ldep, const QString &position);

} // namespace zaz
