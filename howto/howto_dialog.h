// The three-page how-to-play viewer.
#pragma once

#include <windows.h>

// Runs the dialog modally, owned by `owner`; returns when it has closed.
int HowToPlayDialog(HWND owner, HINSTANCE instance);
