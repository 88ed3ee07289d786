#include "core/Shell.h"

#include <QProcess>

namespace zaz {

bool ProcessShell::open(const QString &program, const QString &parameters)
{
    return QProcess::startDetached(program, QProcess::splitCommand(parameters));
}

} // namespace zaz
