// The video calibration dialog: the OpenGL driver, the display mode and the
// calibration level. DONE installs or removes the driver's library copies and
// saves .\info\video.cfg; DEFAULT goes back to the defaults.
#pragma once

#include <windows.h>

// Runs the dialog modally, owned by `owner`; 1 once DONE closed it.
int VideoCalibrationDialog(HWND owner, HINSTANCE instance);
