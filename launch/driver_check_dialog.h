// The question asked before a first start: start with the OpenGL driver
// installed now, or set the driver first in the video calibration.
#pragma once

#include <windows.h>

#include <cstdint>

// 1 when the game may be started; the dialog's answer, or forced to 1 once
// the first-run flag is set.
std::int32_t StartAllowed();
void SetStartAllowed(std::int32_t allowed);

// Runs dialog 289 modally, owned by `owner`; only its two buttons close it.
// The answer goes to StartAllowed.
void DriverCheckDialog(HWND owner, HINSTANCE instance);
