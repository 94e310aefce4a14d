// .\info\keyvalue.cfg on disk, read into and written from the run's input
// settings (settings/input/key_bindings.h). A file that cannot be opened is fatal: the
// file-error dialog, owned by `owner`, shows its full path and ends the
// launcher; these return 0 only if that dialog could not be shown.
#pragma once

#include <windows.h>

#include <cstdint>

#include "settings/input/key_bindings.h"
#include "settings/input/key_names.h"

// Fills input::Settings() from the file. Returns 1.
int ReadKeyBindings(HWND owner, const char* path);

// Replaces the file with the current bindings (or the built-in set while
// DefaultsPending is 1), then updates customKeys / DefaultsPending as the
// write implies. Returns 1.
int WriteKeyBindings(HWND owner, const char* path);
