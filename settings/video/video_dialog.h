// The video calibration dialog: the OpenGL driver, the display mode and the
// calibration level. It reads .\info\Driver.dat and .\info\video.cfg as it
// opens; DONE installs or removes the driver's library copies and saves
// video.cfg; DEFAULT goes back to the defaults.
#pragma once

#include <windows.h>

#include "settings/video/driver_catalog.h"
#include "settings/video/video_settings.h"

// What the launcher keeps for its run between the dialog's openings: each
// opening reads the files over it, so what a file lacks keeps its last value.
struct VideoKept {
  video::DriverCatalog catalog;
  video::VideoSettings settings;
};

// Runs the dialog modally, owned by `owner`, over `kept`: what the launcher
// keeps from then on (the catalog as read, and what DONE wrote in video.cfg).
VideoKept VideoCalibrationDialog(HWND owner, HINSTANCE instance, const VideoKept& kept);
