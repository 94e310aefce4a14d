// Installing the chosen OpenGL driver: copies of its Glu32.dll and
// Opengl32.dll in the program folder (drivers 1 to 3), no copies (the system's
// driver, 0), or the folder left alone (drivers the player installs by hand).
#pragma once

#include <cstdint>

#include "settings/video/driver_paths.h"

// What DONE applies for `driverIndex`. A path that does not fit is refused:
// nothing is copied or deleted, and the player is told.
void ApplyDriverChoice(std::int32_t driverIndex);

// Deletes the file at `path` (made absolute first); 1 whatever came of it.
int DeleteDriverFile(const char* path);

// Copies one library of the driver folder `folderPath` into the program
// folder, replacing an older copy; 1 whatever came of the copy, 0 when the
// paths do not fit.
int CopyDriverFile(const char* folderPath, video::DriverLibrary library);
