// The how-to-play viewer: three full pictures, one page at a time, with
// Previous, Next and Close buttons. The page shown is kept for the whole run,
// so the viewer reopens where it was closed.
#pragma once

#include <windows.h>

// Runs the viewer modally, owned by `owner`; 1 when it was closed (Close
// ends it with 1), 0 when it could not be shown.
int HowToPlayDialog(HWND owner, HINSTANCE instance);
