// The video calibration dialog: OpenGL driver, display mode and calibration level.
#pragma once

#include <windows.h>

// Runs the dialog modally, owned by `owner`; returns when it has closed.
int VideoCalibrationDialog(HWND owner, HINSTANCE instance);
