// The dialog that ends the launcher over a settings file it cannot open.
#pragma once

#include <windows.h>

// Reports a settings file that cannot be opened (dialog 292): its full
// `path`, then `explanation` (the caption file's text), each copied and cut to
// its field. Owned by `owner` and taken from its module. Confirming it ends
// the process with exit code 1, so it comes back only when the dialog cannot
// be shown; the result is then nonzero.
INT_PTR FileErrorDialog(HWND owner, const char* path, const char* explanation);
