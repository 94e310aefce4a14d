// The launcher's two failure reports.
#pragma once

#include <windows.h>

#include <string_view>

// Shows a non-fatal problem in a modal box captioned "Message" with one OK
// button and no owner. Returns when the user has confirmed.
int ErrorBox(const char* text);

// The same box for a message that names a file or folder: `before`, `path`
// and `after`, the path shortened in its middle where the three would not fit
// the box's text, so the message's ending is always read whole.
int ErrorBoxNamingPath(std::string_view before, std::string_view path, std::string_view after);

// Reports a settings file that cannot be opened (dialog 292), owned by
// `owner` and taken from its module. Confirming it ends the process with exit
// code 1, so it comes back only when the dialog cannot be shown; the result
// is then nonzero.
INT_PTR FileErrorDialog(HWND owner, const char* path);

// The explanation the file-error dialog shows below the path (the caption
// file's text); empty until set. The text is copied, cut to its field.
void SetFileErrorExplanation(const char* text);
