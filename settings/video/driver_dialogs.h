// The two small dialogs that come with a choice in the driver list: the
// driver is installed by the launcher (dialog 309), or the player installs it
// by hand and may open the maker's drivers page (dialog 284).
#pragma once

#include <windows.h>

// Both are owned by the video dialog (`owner`) and stand where their
// templates place them on the stage beneath it.
// Dialog 309, closed by its OK.
void DriverInstalledDialog(HWND owner, HINSTANCE instance);
// Dialog 284 showing `location` (at most 99 characters: a longer one is
// shortened in its middle, so its last folders stay whole). Download
// closes it and opens the drivers page; true when Download was chosen.
bool DriverGuideDialog(HWND owner, HINSTANCE instance, const char* location);

// The maker's drivers page in a browser; true when one was started. A box
// owned by `parent` says when none could be.
bool OpenDriversPage(HWND parent);
