// Info\Proc.log, which the game leaves for the launcher: whether its 3D
// rendering could start, why not, and which OpenGL library it got.
//
//   0 | 1                 0 when a context worked and a frame was shown, else 1
//   reason: <text>        "none" when it worked, else what failed
//   library: <path>       the OpenGL library loaded, "none" when none could be
//   driver: <name>        only when that library is a stand-in driver
//   renderer: <text>      only when a context was made current
#pragma once

#include <string>
#include <string_view>

#include "opengl_check.h"

namespace game {

// The log's lines, each ended by "\n".
std::string FormatProcLog(const OpenGlResult& result);

// Writes `lines` to .\Info\Proc.log in text mode, so each "\n" ends up as CR
// LF, replacing the file. False when it cannot be written.
bool WriteProcLog(std::string_view lines);

}  // namespace game
