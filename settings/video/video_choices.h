// What the video dialog's choices do: what choosing a driver in the list
// brings up, and which driver DONE puts in place.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "settings/video/driver_catalog.h"
#include "settings/video/driver_plan.h"

namespace video {

// The driver DONE puts in place: the one the driver list shows (-1: none),
// and only when it is the driver the settings hold. A file with the defaults
// keeps its stored driver out of sight behind entry 0, also after a mode or a
// level is chosen; a driver the player never saw is never installed.
std::optional<AppliedDriver> DriverDoneApplies(const DriverCatalog& catalog, std::int32_t shownDriver,
                                               std::int32_t driverIndex);

// What choosing a driver in the list brings up: for a driver the launcher
// installs (1 to 3), the note that it is installed; for any later driver, the
// guide to installing it by hand, with the location of its folder under
// .\Driver\ (`guideFolder`) unless it is the list's last entry or its folder
// is not usable; for the system's own (0), nothing.
enum class DriverChoiceShows { kNothing, kInstalledNote, kGuide };
struct DriverChoice {
  DriverChoiceShows shows = DriverChoiceShows::kNothing;
  std::optional<std::string> guideFolder;  // relative, as DriverFolderPath gives it
};
DriverChoice WhatChoosingShows(const DriverCatalog& catalog, std::int32_t driverIndex);

}  // namespace video
