// zaz-tool render: the scope picture the program would show for a sector, its settings and
// the traffic of a capture, written as a PNG, with the redraw's timings.
#pragma once

#include "Tool.h"

namespace zaz::tool {

int RunRenderCommand(const QStringList &arguments, Output &out);
QString RenderUsage();

// The command draws text, which needs a GUI application (on the offscreen platform).
bool RenderCommandNamed(const char *word);

} // namespace zaz::tool
