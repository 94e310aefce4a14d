#include "settings/audio/audio_file.h"

#include <string>

#include "services/settings_files.h"

int ReadAudioSettings(HWND owner, const char* path) {
  return ReadSettingsFile(
      owner, path, [](std::string_view bytes) { audio::ParseAudioSettings(bytes, audio::Settings()); });
}

int WriteAudioSettings(HWND owner, const char* path) {
  return SaveSettingsFile(owner, path, audio::FormatAudioSettings(audio::Settings())) ? 1 : 0;
}
