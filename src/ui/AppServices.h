// The side-effect interfaces and the facts of the machine that the windows are given at
// creation. The program passes real ones; tests pass scripted ones.
#pragma once

#include "core/Paths.h"

#include <QSize>
#include <QString>

namespace zaz {

class Prompts;
class Clock;
class Shell;

struct AppServices {
    Prompts *prompts = nullptr;
    Clock *clock = nullptr;
    Shell *shell = nullptr;
    // The folder every settings file is looked up in: the current folder at start.
    QString programDir;
    // Size of the screen the window geometry is checked against; empty means the
    // primary screen's.
    QSize screenSize;
    // Name of the simulator's client library, as the dynamic loader resolves it.
    QString simLibraryName = QStringLiteral("SimConnect");
};

} // namespace zaz
