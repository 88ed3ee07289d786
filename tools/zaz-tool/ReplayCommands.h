// zaz-tool replay: a capture of server lines fed to the program's own dispatcher.
#pragma once

#include "Tool.h"

namespace zaz::tool {

int RunReplayCommand(const QStringList &arguments, Output &out);
QString ReplayUsage();

} // namespace zaz::tool
