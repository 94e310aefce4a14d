#include "settings/audio/audio_settings.h"

#include "common/text_mode.h"
#include "settings/key_value_line.h"

namespace audio {

const char kMusicKey[] = "Music";
const char kSoundKey[] = "Sound";

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
  std::string lines = std::to_string(settings.customized);
  lines += '\n';
  lines += kMusicKey;
  lines += ' ';
  lines += std::to_string(settings.musicLevel);
  lines += '\n';
  lines += kSoundKey;
  lines += ' ';
  lines += std::to_string(settings.soundLevel);
  lines += '\n';
  return text::EncodeTextMode(lines);
}

std::int32_t ScrolledLevel(std::int32_t level, int scrollCode, int thumbPosition) {
  constexpr std::int32_t kStep = 10;
  switch (scrollCode) {
    case 0:  // line left
    case 2:  // page left
      return level - kStep < kLowestLevel ? kLowestLevel : level - kStep;
    case 1:  // line right
    case 3:  // page right
      return level + kStep > kHighestLevel ? kHighestLevel : level + kStep;
    case 4:  // thumb position
    case 5:  // thumb track
      return thumbPosition;
    case 6:  // left end
      return kLowestLevel;
    case 7:  // right end
      return kHighestLevel;
    default:
      return level;
  }
}

}  // namespace audio
