// Opening web pages in an external browser, found by its executable name.
#pragma once

#include <windows.h>

// Starts the first browser of "iexplore.exe" and "netscape.exe" that the shell
// can run, with `target` (a full file path or a web address) maximized. 1
// when one was started; otherwise "Web browsers not find" (over `window`)
// and 0.
int OpenInBrowser(HWND window, const char* target);

// The home page, .\Homepage\default.html, by its full path. 1 when a browser
// was started with it.
int OpenHomePage(HWND window);
