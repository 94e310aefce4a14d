// The input settings dialog: six keys for each of the two players, captured
// from the key released in each box, and which joystick serves which player.
// It shows .\info\keyvalue.cfg as it opens; DONE saves what it shows there,
// RESET shows the built-in set, CANCEL closes without saving.
#pragma once

#include <windows.h>

#include <optional>

#include "settings/input/key_bindings.h"

// Runs the dialog modally, owned by `owner`: what DONE saved, nothing after
// CANCEL.
std::optional<input::InputSettings> OpenInputSettingsDialog(HWND owner, HINSTANCE instance);
