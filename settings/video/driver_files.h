// Carrying out the driver change DONE plans (video::PlanDriverChange) in the
// program folder, the current folder: copies of a driver's Glu32.dll and
// Opengl32.dll put in place, or the copies taken away.
//
// The pair in the program folder changes whole or not at all. Each copy is
// made under a temporary name beside its target ("Glu32.dl~"), then each old
// target is renamed to a backup name ("Glu32.dl$") and the copy renamed into
// its place; the backups go last. Removing the copies renames both to their
// backup names before deleting either. When a step fails, what was already
// replaced or renamed is put back, the temporaries go, and the player is told
// which file failed (and, where a put-back itself failed, which file now lies
// under which name). Temporaries and backups left by a run that was cut short
// are removed by the next one, but a backup whose library is missing is put
// back. Only calls the Windows 95 family has for real: no MoveFileEx.
#pragma once

#include <windows.h>

#include <optional>

#include "settings/video/driver_plan.h"

// DONE's driver step: looks at the game folder (video.cfg at `videoFile` and
// the names its replacement goes through included) for `applied`, and carries
// out the plan for it. True when that driver is in place (or nothing was to
// change), so video.cfg may name it; false when the plan was refused (told in
// an error box owned by `owner`, or not at all where video.cfg cannot be
// replaced: its save tells) or a step failed, and the libraries are as they
// were.
bool PutDriverInPlace(HWND owner, const char* videoFile, const std::optional<video::AppliedDriver>& applied);
