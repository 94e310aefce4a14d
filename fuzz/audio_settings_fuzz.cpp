// Audio.cfg: what is read is written back as three CR LF lines that read as
// the dialog shows them.
#include <algorithm>
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
  // It reads back as the dialog shows it: levels held within the bars' range.
  const auto shown = [](std::int32_t level) {
    return std::clamp(level, audio::kLowestLevel, audio::kHighestLevel);
  };
  FUZZ_CHECK(again.customized == (settings.customized != 0 ? 1 : 0) &&
             again.musicLevel == shown(settings.musicLevel) &&
             again.soundLevel == shown(settings.soundLevel));
  return 0;
}
