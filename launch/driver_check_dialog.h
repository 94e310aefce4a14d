// The question asked before a first start: start with the OpenGL driver
// installed now, or set the driver first in the video calibration.
#pragma once

#include <windows.h>

// Runs dialog 289 modally, owned by `owner`; only its two buttons close it.
// True when the player chose to start with the driver installed now; false
// for setting the driver first, or when the question could not be asked.
bool DriverCheckDialog(HWND owner, HINSTANCE instance);
