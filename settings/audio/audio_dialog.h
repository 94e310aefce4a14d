// The audio settings dialog: the music and sound levels on two bars, the
// music level previewed on the mixer as it changes, DONE to save them in
// .\info\Audio.cfg and DEFAULT to go back to the default levels.
#pragma once

#include <windows.h>

#include "media/mixer.h"
#include "settings/audio/audio_settings.h"

// Runs the dialog modally, owned by `owner`. It opens with the file read over
// `kept`, the levels the launcher keeps for its run (a line the file lacks
// keeps its last level), and previews the music level through `music`. What
// the launcher keeps from then on: the levels DONE wrote, else `kept`.
audio::AudioSettings AudioSettingsDialog(HWND owner, HINSTANCE instance, const audio::AudioSettings& kept,
                                         MusicPreview& music);
