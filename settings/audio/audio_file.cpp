#include "settings/audio/audio_file.h"

#include "services/settings_files.h"
#include "ui/captions.h"

audio::AudioSettings ReadAudioSettings(HWND owner, const char* path, audio::AudioSettings base) {
  ReadSettingsFile(owner, path, CaptionText().fileErrorText,
                   [&](std::string_view bytes) { audio::ParseAudioSettings(bytes, base); });
  return base;
}

bool WriteAudioSettings(HWND owner, const char* path, const audio::AudioSettings& levels) {
  return SaveSettingsFile(owner, path, CaptionText().fileErrorText, audio::FormatAudioSettings(levels));
}
