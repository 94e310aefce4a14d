#include "settings/audio/audio_settings.h"

#include <algorithm>

#include "common/text_mode.h"
#include "settings/key_value_line.h"
#include "settings/scroll_steps.h"

namespace audio {

const char kMusicKey[] = "Music";
const char kSoundKey[] = "Sound";

namespace {

std::int32_t WrittenLevel(std::int32_t level) {
  return std::clamp(level, kLowestLevel, kHighestLevel);
}

}  // namespace

void ApplyDefaultsUnlessCustomized(AudioSettings& settings) {
  if (settings.customized == 0) {
    settings.musicLevel = kDefaultLevel;
    settings.soundLevel = kDefaultLevel;
  }
}

void StepLevel(AudioSettings& settings, int bar, int scrollCode, std::int16_t thumbPosition) {
  std::int32_t* const level = bar == 0 ? &settings.musicLevel : bar == 1 ? &settings.soundLevel : nullptr;
  if (level != nullptr) {
    *level = settings::ScrolledLevel(*level, scrollCode, thumbPosition, kHighestLevel);
  }
  settings.customized = 1;
}

void ChooseDefaultLevels(AudioSettings& settings) {
  settings.customized = 0;
  ApplyDefaultsUnlessCustomized(settings);
}

void ParseAudioSettings(std::string_view fileBytes, AudioSettings& settings) {
  const std::string decoded = text::DecodeTextMode(fileBytes);
  text::Scanner scanner(decoded);
  scanner.ScanIntLine(settings.customized);
  int linesRead = 0;
  std::string piece;
  while (linesRead < 2 && scanner.ReadLine(piece, 256)) {
    const cfg::KeyValueLine line = cfg::SplitKeyValueLine(piece);
    if (!line.hasKey) {
      continue;  // blank lines do not count
    }
    ++linesRead;
    if (!line.hasValue) {
      continue;
    }
    if (line.key == kMusicKey) {
      settings.musicLevel = line.value;
    } else if (line.key == kSoundKey) {
      settings.soundLevel = line.value;
    }
  }
}

std::string FormatAudioSettings(const AudioSettings& settings) {
  std::string lines = settings.customized != 0 ? "1" : "0";
  lines += '\n';
  lines += kMusicKey;
  lines += ' ';
  lines += std::to_string(WrittenLevel(settings.musicLevel));
  lines += '\n';
  lines += kSoundKey;
  lines += ' ';
  lines += std::to_string(WrittenLevel(settings.soundLevel));
  lines += '\n';
  return text::EncodeTextMode(lines);
}

}  // namespace audio
