// The start-game sequence, run for the main menu's START GAME.
#pragma once

#include <windows.h>

void StartGameSequence(HWND stage, HINSTANCE instance);
