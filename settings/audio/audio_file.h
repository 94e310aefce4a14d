// .\info\Audio.cfg, as values. A file that cannot be opened is fatal: the
// file-error dialog, owned by `owner`, shows its full path (or what stood in
// the way of a write) and ends the launcher; the reader gives what it could
// read, and the writer false, only if that dialog could not be shown.
#pragma once

#include <windows.h>

#include "settings/audio/audio_settings.h"

// The levels the file gives, read over `base` (a line it lacks keeps its value).
audio::AudioSettings ReadAudioSettings(HWND owner, const char* path, audio::AudioSettings base = {});

// Replaces the file with the levels.
bool WriteAudioSettings(HWND owner, const char* path, const audio::AudioSettings& levels);
