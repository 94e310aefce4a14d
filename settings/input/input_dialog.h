// The input settings dialog: key bindings for two players and the joysticks.
#pragma once

#include <windows.h>

// Runs the dialog modally, owned by `owner`; returns when it has closed.
int OpenInputSettingsDialog(HWND owner, HINSTANCE instance);
