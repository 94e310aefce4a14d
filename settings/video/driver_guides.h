// The two small dialogs that come with a choice in the driver list: the
// driver is installed by the launcher (dialog 309), or the player installs it
// by hand and may open the maker's drivers page (dialog 284).
#pragma once

#include <windows.h>

// Both end with 0, which their callers ignore.
int DriverInstalledDialog(HWND owner, HINSTANCE instance);
int DriverGuideDialog(HWND owner, HINSTANCE instance, const char* location);

// The maker's drivers page in a browser; 1 when one was started.
int OpenDriversPage(HWND parent);
