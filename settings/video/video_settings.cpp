#include "settings/video/video_settings.h"

#include "common/text_mode.h"

namespace video {

void ParseVideoSettings(std::string_view fileBytes, VideoSettings& settings) {
  const std::string decoded = text::DecodeTextMode(fileBytes);
  text::Scanner scanner(decoded);
  for (std::int32_t* field :
       {&settings.customized, &settings.driverIndex, &settings.modeIndex, &settings.calibrationLevel}) {
    scanner.ScanIntLine(*field);
  }
}

std::string FormatVideoSettings(const VideoSettings& settings) {
  std::string lines;
  for (const std::int32_t value :
       {settings.customized, settings.driverIndex, settings.modeIndex, settings.calibrationLevel}) {
    lines += std::to_string(value);
    lines += '\n';
  }
  return text::EncodeTextMode(lines);
}

std::int32_t ScrolledCalibration(std::int32_t level, int scrollCode, std::int16_t thumbPosition) {
  constexpr std::int32_t kStep = 10;
  switch (scrollCode) {
    case 0:  // line left
    case 2:  // page left
      return level - kStep < 0 ? 0 : level - kStep;
    case 1:  // line right
    case 3:  // page right
      return level + kStep > kHighestCalibrationLevel ? kHighestCalibrationLevel : level + kStep;
    case 4:  // thumb position
    case 5:  // thumb track
      return thumbPosition;
    case 6:  // left end
      return 0;
    case 7:  // right end
      return kHighestCalibrationLevel;
    default:
      return level;
  }
}

}  // namespace video
