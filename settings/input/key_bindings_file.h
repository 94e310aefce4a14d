// .\info\keyvalue.cfg on disk (settings/input/key_bindings.h). A file that
// cannot be opened is fatal: the file-error dialog, owned by `owner`, shows
// its full path and ends the launcher; these fail only if that dialog could
// not be shown.
#pragma once

#include <windows.h>

#include <optional>

#include "settings/input/key_bindings.h"

// What the file says, read over `base`: a key the file does not give keeps
// its value there.
std::optional<input::InputSettings> ReadKeyBindings(HWND owner, const char* path,
                                                    input::InputSettings base = {});

// Replaces the file with `toSave`, in one step; true once it holds them.
bool WriteKeyBindings(HWND owner, const char* path, const input::InputSettings& toSave);
