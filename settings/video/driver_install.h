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
#include "settings/video/video_settings.h"

// DONE: looks at the game folder (video.cfg at `videoFile` included) for the
// driver `applied` names, if any (video::DriverDoneApplies), carries out the
// plan for it, then saves video::Settings() to `videoFile` (SaveVideoSettings).
// Its boxes and the file-error dialog are owned by `owner`. When the plan is refused
// (told in an error box, or by the save where video.cfg cannot be replaced)
// or a step fails, the libraries are as they were and the file keeps the
// driver and display mode of `opened` (what the dialog opened with); the
// other values are saved as chosen. True when the chosen driver is in place
// (or none was to be).
bool ApplyAndSaveAtDone(HWND owner, const char* videoFile, const std::optional<video::AppliedDriver>& applied,
                        const video::VideoSettings& opened);
