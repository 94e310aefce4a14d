// The audio settings dialog: music and sound levels.
#pragma once

#include <windows.h>

// Runs the dialog modally, owned by `owner`; returns when it has closed.
int AudioSettingsDialog(HWND owner, HINSTANCE instance);
