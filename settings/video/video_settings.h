// video.cfg: the player's driver, display mode and calibration level, four
// decimal lines that the game reads when it starts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/video/driver_catalog.h"

namespace video {

struct VideoSettings {
  std::int32_t customized = 0;  // 0: the defaults apply (driver 0, mode 0, level 50)
  std::int32_t driverIndex = 0;
  std::int32_t modeIndex = 0;         // an entry of the mode list as the dialog shows it
  std::int32_t calibrationLevel = 0;  // 0 to 100
};

// The settings as the launcher keeps them for its run.
VideoSettings& Settings();

// Four "%d\n" reads in field order; a value that is not there keeps the
// field's value (and so do all after it). Nothing is checked.
void ParseVideoSettings(std::string_view fileBytes, VideoSettings& settings);

// The four lines, CR LF each.
std::string FormatVideoSettings(const VideoSettings& settings);

// Settings read from a file, brought within what the dialog can show for
// `catalog`, so that what it shows is what DONE applies and saves: a driver
// outside the catalog becomes 0 (the system's own), a mode outside that
// driver's mode list becomes 0, the level is held within 0 to 100, and
// customized other than 0 becomes 1. Values within range stay as they are.
void FitToCatalog(VideoSettings& settings, const DriverCatalog& catalog);

constexpr std::int32_t kDefaultCalibrationLevel = 50;
constexpr std::int32_t kHighestCalibrationLevel = 100;

// What the dialog shows for the settings: the player's values when
// customized, but mode 0 for a driver the launcher installs (its list has one
// mode); otherwise the defaults, driver 0, mode 0 and level 50.
struct ShownVideoValues {
  std::int32_t driver = 0;
  std::int32_t mode = 0;
  std::int32_t calibrationLevel = kDefaultCalibrationLevel;
};
ShownVideoValues ShownValues(const VideoSettings& settings);

// The calibration level after one scroll-bar message: a line or a page moves
// it by 10 within 0 to 100, the thumb codes take `thumbPosition` (a signed
// 16-bit value), the ends go to 0 or 100, any other code leaves it.
std::int32_t ScrolledCalibration(std::int32_t level, int scrollCode, std::int16_t thumbPosition);

}  // namespace video
