// The audio settings dialog: the music and sound levels on two bars, the
// music level previewed on the mixer as it changes, DONE to save them in
// .\info\Audio.cfg and DEFAULT to go back to the default levels. It reads the
// file as it opens.
#pragma once

#include <windows.h>

#include <optional>

#include "settings/audio/audio_settings.h"

// Runs the dialog modally, owned by `owner`: the levels DONE saved, nothing
// when the dialog ended otherwise.
std::optional<audio::AudioSettings> AudioSettingsDialog(HWND owner, HINSTANCE instance);
