// Names of files in the program folder and in the simulator's folders.
#pragma once

#include <QString>

namespace zaz {

// A name from the settings taken relative to the program folder when it is not absolute.
QString ProgramPath(const QString &programDir, const QString &name);
// The file named name in dir, matched without regard to case as the simulator's own file
// system does; empty when there is none.
QString FindFileNoCase(const QString &dir, const QString &name);

} // namespace zaz
