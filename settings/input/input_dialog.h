// The input settings dialog: six keys for each of the two players, captured
// from the key released in each box, and which joystick serves which player.
// DONE saves them in .\info\keyvalue.cfg; RESET shows the built-in set;
// CANCEL closes without saving.
#pragma once

#include <windows.h>

// Runs the dialog modally, owned by `owner`; 1 once DONE or CANCEL closed it.
int OpenInputSettingsDialog(HWND owner, HINSTANCE instance);
