// The predefined texts of com.ini (one section per category, one key per command) and the
// variables they may hold, replaced by the values of the moment when a text is used.
#pragma once

#include "core/IniFile.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace zaz {

// The values the variables stand for.
struct TextVariableValues {
    QString destination;       // $DEST
    QString sid;               // $SID
    int altitudePosition = 0;  // the altitude bar's position, minus the flight level: $NIV, $ALT (x100)
    int speed = 0;             // $VIT
    QString point;             // $POINT
    QString number;            // $NUM
    QString time;              // $TEMPS
    QString heading;           // $CAP, as typed ("090")
    QString takeoffRunway;     // $piste_de
    QString landingRunway;     // $piste_LDG
    QString wind;              // $vent
    QString qnh;               // $QNH
    QString controller;        // $CONT: the controller of the last handoff
    QString controllerFrequency; // $FREQ: that controller's frequency as shown ("118.700")
};

// The variable names, as offered for insertion.
QStringList TextVariableNames();

// Replaces every variable of text (names matched without regard to case). The values put
// in are not searched again.
QString ReplaceTextVariables(const QString &text, const TextVariableValues &values);

// The categories the editor offers, each a section of com.ini.
QStringList TextCategories();
// The section used when no category is chosen.
inline constexpr const char *kGeneralTexts = "GEN";

// The text of command in the category's section ("GEN" when category is empty); "ERROR"
// when there is none.
QString PredefinedText(const IniFile &texts, const QString &category, const QString &command);

// Several picked texts as one instruction.
QString JoinPickedTexts(const QStringList &texts);

// Writes the rows (command, text) as the section's content, in one write: commands no
// longer listed are removed, the others set; other sections are left as they are. Rows
// without a command are skipped. False, with the reason in error, when a command cannot be
// a key or the file cannot be written; the changes then stay in memory for the next write.
bool WriteTextSection(IniFile &texts, const QString &section, const QList<QPair<QString, QString>> &rows,
                      QString &error);

} // namespace zaz
