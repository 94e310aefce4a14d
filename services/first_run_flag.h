// The first-run flag's file, InitFlag.flg: the flag is 0 until the game has
// been started once or the video settings have been used, and kept there
// between runs.
#pragma once

#include <windows.h>

#include <cstdint>

// Both return 1 on success; when the file cannot be opened the file-error
// dialog, owned by `owner` and saying `errorText`, ends the launcher, and they
// return 0 only if it could not be shown. A file that holds no number leaves
// `flag` as it was.
int ReadFirstRunFlag(HWND owner, const char* path, const char* errorText, std::int32_t& flag);
int WriteFirstRunFlag(HWND owner, const char* path, const char* errorText, std::int32_t flag);
