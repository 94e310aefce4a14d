// The input settings dialog: six keys for each of the two players, captured
// from the key released in each box, and which joystick serves which player.
// It shows .\info\keyvalue.cfg as it opens; DONE saves what it shows there,
// RESET shows the built-in set, CANCEL closes without saving.
#pragma once

#include <windows.h>

#include "settings/input/key_bindings.h"

// Runs the dialog modally, owned by `owner`. It opens with the file read over
// `kept`, the keys the launcher keeps for its run (a key the file lacks shows
// as the dialog last left it). What the launcher keeps from then on: what DONE
// wrote, or after CANCEL what the dialog showed (unsaved); else `kept`.
input::InputSettings OpenInputSettingsDialog(HWND owner, HINSTANCE instance,
                                             const input::InputSettings& kept);
