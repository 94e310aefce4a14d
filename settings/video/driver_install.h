// Installing the chosen OpenGL driver: copies of its Glu32.dll and
// Opengl32.dll in the program folder (drivers 1 to 3), no copies (the system's
// driver, 0), or the folder left alone (drivers the player installs by hand).
//
// The pair in the program folder changes whole or not at all. Both sources
// are checked first; each copy is made under a temporary name beside its
// target ("Glu32.dl~"), then each old target is renamed to a backup name
// ("Glu32.dl$") and the copy renamed into its place; the backups go last.
// Removing the copies renames both to their backup names before deleting
// either. When a step fails, what was already replaced or renamed is put
// back, the temporaries go, and the player is told which file failed (and,
// where a put-back itself failed, which file now lies under which name). A
// read-only target is never replaced or removed. Temporaries and backups left
// by a run that was cut short are removed by the next one, but a backup whose
// library is missing is put back. Only calls the Windows 95 family has for
// real: no MoveFileEx.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "settings/video/video_settings.h"

// Puts in place what DONE applies for `driverIndex` (video::ActionFor) in the
// program folder, which is the current folder. True when the folder holds
// what that driver asks for; false when its folder was refused or a step
// failed: the player has been told in an error box, and the libraries in the
// program folder are as they were.
bool ApplyDriverChoice(std::int32_t driverIndex);

// DONE: puts in place the driver `applied` names, if any (video::DriverDoneApplies),
// then saves video::Settings() to the video settings file at `videoFile`
// (SaveVideoSettings, whose file-error dialog is owned by `owner`). The
// libraries are touched only once that file has shown that it can be replaced,
// so it never goes on naming another driver than the pair in place: when it
// cannot be, or the driver's files could not be put in place, the file keeps
// the driver and display mode of `opened` (what the dialog opened with) and
// the other values are saved as chosen. True when the chosen driver is in
// place (or none was to be).
bool ApplyAndSaveAtDone(HWND owner, const char* videoFile, std::optional<std::int32_t> applied,
                        const video::VideoSettings& opened);
