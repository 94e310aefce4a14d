#include "settings/video/video_settings.h"

#include "settings/scroll_steps.h"

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
  return settings::ScrolledLevel(level, scrollCode, thumbPosition, kHighestCalibrationLevel);
}

}  // namespace video
