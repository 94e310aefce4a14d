// .\info\Audio.cfg, read into and written from audio::Settings().
// A file that cannot be opened is fatal: the file-error dialog, owned by
// `owner`, shows its full path and ends the launcher; these return 0 only if
// that dialog could not be shown.
#pragma once

#include <windows.h>

#include "settings/audio/audio_settings.h"

// Fills audio::Settings() from the file. Returns 1.
int ReadAudioSettings(HWND owner, const char* path);

// Replaces the file with the current levels. Returns 1.
int WriteAudioSettings(HWND owner, const char* path);
