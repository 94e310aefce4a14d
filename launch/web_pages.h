// Opening the game's home page in a web browser.
#pragma once

#include <windows.h>

// 1 when a browser was started with the home page, 0 otherwise.
int OpenHomePage(HWND window);
