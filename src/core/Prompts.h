// Every modal box of the program: messages, questions, input boxes, file and colour
// dialogs. Windows and model code ask through this interface; the program answers with
// real dialogs, tests with a script.
#pragma once

#include "core/ColorText.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace zaz {

struct FileDialogRequest {
    QString title;
    // Filter in the "description|pattern|description|pattern" form the program uses,
    // for example "secteur (*.sct)|*.SCT".
    QString filter;
    QString initialDir;
    QString fileName;
};

class Prompts {
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Prompts() = default;
    // An information box with one "OK" button.
    virtual void showMessage(const QString &text) = 0;
    // A question; the answer is the button pressed (closing the box counts as Cancel, or
    // No when there is no Cancel button).
    virtual Answer ask(const QString &text, const QString &caption, Buttons buttons) = 0;
    // An input box; nothing when cancelled.
    virtual std::optional<QString> inputQuery(const QString &caption, const QString &prompt,
                                              const QString &value) = 0;
    // File dialogs; nothing when cancelled, otherwise the full name of the chosen file.
    virtual std::optional<QString> openFile(const FileDialogRequest &request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest &request) = 0;
    // The colour dialog; nothing when cancelled.
    virtual std::optional<TColor> chooseColor(TColor initial) = 0;
};

// Turns "desc|pattern;pattern|desc|pattern" into the filter list of a Qt file dialog.
// Patterns are matched regardless of case, so "*.EXE" also offers "FSX.exe".
QStringList QtFileFilters(const QString &pipeFilter);

} // namespace zaz
