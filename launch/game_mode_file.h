// .\Info\GameMode.dat, which hands the game its mode and the time of the start
// request. A file that cannot be written is fatal: the file-error dialog,
// owned by `owner`, shows its full path and ends the launcher.
#pragma once

#include <windows.h>

#include "launch/game_mode.h"

// The time stamp of a start request made now, from the system clock (UTC).
launch::TimeStamp StampTheStartRequest();

// Replaces the file with the game mode and `stamp`. True when written; false
// only if the file-error dialog could not be shown.
bool WriteGameModeFile(HWND owner, const char* path, const launch::TimeStamp& stamp);
