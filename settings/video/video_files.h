// The files of the driver catalog and the video settings, .\info\Driver.dat
// (read only) and .\info\video.cfg, read into and written from
// video::Catalog() and video::Settings(). A file that cannot be opened is
// fatal: the file-error dialog, owned by `owner`, shows its full path and ends
// the launcher; these return 0 only if that dialog could not be shown.
#pragma once

#include <windows.h>

#include "settings/video/driver_catalog.h"
#include "settings/video/video_settings.h"

// Fills video::Catalog() from the file. Returns 1.
int LoadDriverCatalog(HWND owner, const char* path);

// Fills video::Settings() from the file. Returns 1.
int LoadVideoSettings(HWND owner, const char* path);

// Replaces the file with the four current values. Returns 1.
int SaveVideoSettings(HWND owner, const char* path);
