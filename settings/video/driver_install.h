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
// back, the temporaries go, and the player is told which file failed. A
// read-only target is never replaced or removed. Temporaries and backups left
// by a run that was cut short are removed by the next one. Only calls the
// Windows 95 family has for real: no MoveFileEx.
#pragma once

#include <cstdint>

// Puts in place what DONE applies for `driverIndex` (video::ActionFor) in the
// program folder, which is the current folder. True when the folder holds
// what that driver asks for; false when its folder was refused or a step
// failed: the player has been told in an error box, and the libraries in the
// program folder are as they were.
bool ApplyDriverChoice(std::int32_t driverIndex);
