// The start-game sequence, run for the main menu's START GAME: the game-mode
// file, the driver check before a first start, the game run to its end with
// the launcher minimized, the after-game report, and the launcher restored.
#pragma once

#include <windows.h>

void StartGameSequence(HWND stage, HINSTANCE instance);

// Starts .\proc.exe and waits until it has ended, then runs the after-game
// report. 0 after the game has run; 1 when it could not be started.
int GameLaunch();

// Dialog 308, which closes itself at its first paint.
void MomentaryDialog(HWND owner, HINSTANCE instance);
