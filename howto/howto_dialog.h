// The how-to-play viewer: three full pictures, one page at a time, with
// Previous, Next and Close buttons.
#pragma once

#include <windows.h>

// Runs the viewer modally, owned by `owner`, showing `page` (0 to 2) first:
// the page shown when it closed, which the launcher keeps for the run so that
// the viewer reopens where it was closed.
int HowToPlayDialog(HWND owner, HINSTANCE instance, int page);
