#include "settings/video/video_settings.h"

#include <algorithm>

#include "settings/scroll_steps.h"

#include "common/text_mode.h"
#include "settings/video/driver_paths.h"

namespace video {

VideoSettings& Settings() {
  static VideoSettings settings;
  return settings;
}

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

void FitToCatalog(VideoSettings& settings, const DriverCatalog& catalog) {
  settings.customized = settings.customized != 0 ? 1 : 0;
  if (settings.driverIndex < 0 || settings.driverIndex >= catalog.driverCount) {
    settings.driverIndex = 0;
  }
  const std::size_t modes = ModeListTexts(catalog, settings.driverIndex).size();
  if (settings.modeIndex < 0 || static_cast<std::size_t>(settings.modeIndex) >= modes) {
    settings.modeIndex = 0;
  }
  settings.calibrationLevel = std::clamp(settings.calibrationLevel, 0, kHighestCalibrationLevel);
}

ShownVideoValues ShownValues(const VideoSettings& settings) {
  if (settings.customized == 0) {
    return {};
  }
  const bool oneMode = ActionFor(settings.driverIndex) == DriverAction::kCopyFromFolder;
  return {settings.driverIndex, oneMode ? 0 : settings.modeIndex, settings.calibrationLevel};
}

std::int32_t ScrolledCalibration(std::int32_t level, int scrollCode, std::int16_t thumbPosition) {
  return settings::ScrolledLevel(level, scrollCode, thumbPosition, kHighestCalibrationLevel);
}

}  // namespace video
