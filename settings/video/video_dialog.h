// The video calibration dialog: the OpenGL driver, the display mode and the
// calibration level. It reads .\info\Driver.dat and .\info\video.cfg as it
// opens; DONE installs or removes the driver's library copies and saves
// video.cfg; DEFAULT goes back to the defaults.
#pragma once

#include <windows.h>

#include <optional>

#include "settings/video/video_settings.h"

// Runs the dialog modally, owned by `owner`: what DONE saved in video.cfg,
// nothing when the dialog ended otherwise.
std::optional<video::VideoSettings> VideoCalibrationDialog(HWND owner, HINSTANCE instance);
