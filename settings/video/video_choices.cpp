#include "settings/video/video_choices.h"

#include "settings/video/driver_paths.h"

namespace video {

std::optional<AppliedDriver> DriverDoneApplies(const DriverCatalog& catalog, std::int32_t shownDriver,
                                               std::int32_t driverIndex) {
  if (shownDriver < 0 || shownDriver != driverIndex) {
    return std::nullopt;
  }
  return AppliedDriver{driverIndex,
                       driverIndex < catalog.driverCount ? &catalog.drivers[driverIndex] : nullptr};
}

DriverChoice WhatChoosingShows(const DriverCatalog& catalog, std::int32_t driverIndex) {
  if (ActionFor(driverIndex) == DriverAction::kCopyFromFolder) {
    return {DriverChoiceShows::kInstalledNote, std::nullopt};
  }
  if (driverIndex < 4 || driverIndex >= catalog.driverCount) {
    return {};
  }
  if (driverIndex == catalog.driverCount - 1) {
    return {DriverChoiceShows::kGuide, std::nullopt};
  }
  return {DriverChoiceShows::kGuide, DriverFolderPath(catalog.drivers[driverIndex].folder)};
}

}  // namespace video
