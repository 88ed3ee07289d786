// The side-effect interfaces and the facts of the machine that the windows are given at
// creation. The program passes real ones; tests pass scripted ones.
#pragma once

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

// A name from the settings taken relative to the program folder when it is not absolute.
QString ProgramPath(const QString &programDir, const QString &name);
// The file named name in dir, matched without regard to case as the simulator's own file
// system does; empty when there is none.
QString FindFileNoCase(const QString &dir, const QString &name);

} // namespace zaz
