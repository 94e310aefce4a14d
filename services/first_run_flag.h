// The first-run flag: 0 until the game has been started once or the video
// settings have been used; kept in InitFlag.flg between runs.
#pragma once

#include <windows.h>

#include <cstdint>

std::int32_t FirstRunFlag();
void SetFirstRunFlag(std::int32_t flag);

// Both return 1 on success; when the file cannot be opened the file-error
// dialog, owned by `owner` and saying `errorText`, ends the launcher, and they
// return 0 only if it could not be shown.
int ReadFirstRunFlag(HWND owner, const char* path, const char* errorText);
int WriteFirstRunFlag(HWND owner, const char* path, const char* errorText);
