// The audio settings dialog: the music and sound levels on two bars, the
// music level previewed on the mixer as it changes, DONE to save them in
// .\info\Audio.cfg and DEFAULT to go back to the default levels.
#pragma once

#include <windows.h>

// Runs the dialog modally, owned by `owner`; 1 when DONE closed it.
int AudioSettingsDialog(HWND owner, HINSTANCE instance);
