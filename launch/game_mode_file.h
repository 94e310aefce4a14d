// The game mode and the time stamp of the latest start request, and
// .\Info\GameMode.dat, which hands them to the game. A file that cannot be
// written is fatal: the file-error dialog, owned by `owner`, shows its full
// path and ends the launcher.
#pragma once

#include <windows.h>

#include <cstdint>

#include "launch/game_mode.h"

// Fills launch::GameTimeStamp() from the system clock (UTC).
void StampTheStartRequest();

// Replaces the file with the game mode and the time stamp. True when written;
// false only if the file-error dialog could not be shown.
bool WriteGameModeFile(HWND owner, const char* path);
