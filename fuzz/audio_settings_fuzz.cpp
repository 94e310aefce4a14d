// Audio.cfg: what is read is written back as three CR LF lines that read the same.
#include <string>

#include "fuzz/fuzz_check.h"
#include "settings/audio/audio_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  audio::AudioSettings settings;
  audio::ParseAudioSettings(FuzzBytes(data, size), settings);
  const std::string written = audio::FormatAudioSettings(settings);
  FUZZ_CHECK(CrLfLines(written, 3));
  audio::AudioSettings again{-1, -2, -3};
  audio::ParseAudioSettings(written, again);
  FUZZ_CHECK(again.customized == settings.customized && again.musicLevel == settings.musicLevel &&
             again.soundLevel == settings.soundLevel);
  return 0;
}
