// video.cfg: the player's driver, display mode and calibration level, four
// decimal lines that the game reads when it starts; and what the video
// dialog's choices make of them, from opening to DONE.
#pragma once

#include <cstdint>
#include <optional>
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

// What the dialog shows for settings within the catalog (FitToCatalog): the
// player's values when customized; otherwise the defaults, driver 0, mode 0
// and level 50.
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

// One opening of the video dialog, as values: the settings it opened with
// (within the catalog) and those it shows now, which DONE saves.
struct VideoEdit {
  VideoSettings opened;
  VideoSettings now;
};

// Each choice makes the settings the player's own (customized 1), and the
// dialog then shows them. A driver chosen keeps the level and starts its mode
// list at 0. A choice made while the dialog showed the defaults starts from
// the driver and mode it showed, 0 and 0, never from what the file holds out
// of sight (a driver whose files may not be there, a mode the player never
// saw); the stored level stays, and the bar shows it from then on.
void ChooseDriver(VideoEdit& edit, std::int32_t driverIndex);
void ChooseMode(VideoEdit& edit, std::int32_t modeIndex);
void ScrollCalibration(VideoEdit& edit, int scrollCode, std::int16_t thumbPosition);
// DEFAULT: customized, driver and mode 0; the level stays as it is (and the
// dialog shows 50).
void ChooseDefaults(VideoEdit& edit);

// What video.cfg must say after DONE: the settings shown, or, when the driver
// could not be put in place, the level shown with the mark, driver and mode
// the file named when the dialog opened, so the file never names a driver
// whose files are not there.
VideoSettings SavedAtDone(const VideoEdit& edit, bool driverInPlace);

// What choosing a driver in the list brings up: for a driver the launcher
// copies, the note that it is installed; for one installed by hand, the guide
// to installing it, with the location of its folder (`guideFolder`) unless it
// is the list's last entry or its folder is not usable; for the system's own,
// or an index past the list, nothing.
enum class DriverChoiceShows { kNothing, kInstalledNote, kGuide };
struct DriverChoice {
  DriverChoiceShows shows = DriverChoiceShows::kNothing;
  std::optional<std::string> guideFolder;  // relative, as DriverFolderPath gives it
};
DriverChoice WhatChoosingShows(const DriverCatalog& catalog, std::int32_t driverIndex);

}  // namespace video
