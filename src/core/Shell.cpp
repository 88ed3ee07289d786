#include "core/Shell.h"

#include <QProcess>

namespace zaz {

bool ProcessShell::Open(const QString &program, const QString &parameters)
{
    return QProcess::startDetached(program, QProcess::splitCommand(parameters));
}

} // namespace zaz
