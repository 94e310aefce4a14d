// The files of the driver catalog and the video settings, .\info\Driver.dat
// (read only) and .\info\video.cfg, as values. A file that cannot be opened
// is fatal: the file-error dialog, owned by `owner`, shows its full path (or
// what stood in the way of a write) and ends the launcher; the readers give
// what they could read, and the writer false, only if that dialog could not
// be shown.
#pragma once

#include <windows.h>

#include "settings/video/driver_catalog.h"
#include "settings/video/video_settings.h"

// Each read over `base`: what the file does not give keeps its value there.
video::DriverCatalog LoadDriverCatalog(HWND owner, const char* path, video::DriverCatalog base = {});
video::VideoSettings LoadVideoSettings(HWND owner, const char* path, video::VideoSettings base = {});

// Replaces the file with the four values.
bool SaveVideoSettings(HWND owner, const char* path, const video::VideoSettings& settings);
