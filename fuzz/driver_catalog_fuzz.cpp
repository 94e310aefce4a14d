// Driver.dat: any file leaves a catalog whose counts fit its records, whose
// texts are terminated inside their fields, whose folders are either one name
// that fits the driver path or refused whole (never cut into another folder,
// never a way out of Driver\), and whose mode list texts fit the list's
// table.
#include <optional>
#include <string>

#include "fuzz/fuzz_check.h"
#include "settings/video/driver_catalog.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Read twice into the same catalog, as two openings of the dialog would.
  video::DriverCatalog catalog;
  for (int opening = 0; opening < 2; ++opening) {
    video::ParseDriverCatalog(FuzzBytes(data, size), catalog);
    FUZZ_CHECK(catalog.driverCount >= 0 && catalog.driverCount <= video::kMaxDrivers);
    FUZZ_CHECK(catalog.modeCount >= 0 && catalog.modeCount <= video::kMaxModes);
    FUZZ_CHECK(Terminated(catalog.lastModeLabel));
    for (const video::DriverEntry& entry : catalog.drivers) {
      FUZZ_CHECK(Terminated(entry.name));
      FUZZ_CHECK(Terminated(entry.folder));
      const std::optional<std::string> path = video::DriverFolderPath(entry.folder);
      FUZZ_CHECK(path.has_value() == (video::CheckDriverFolder(entry.folder) == video::FolderCheck::kUsable));
      FUZZ_CHECK(!path || path->size() < video::kDriverPathSize);
      // One name under Driver\, never a way into another folder.
      FUZZ_CHECK(!path ||
                 path->find_first_of("\\/:", sizeof video::kDriverFolderPrefix - 1) == std::string::npos);
    }
    for (int driver = -1; driver <= catalog.driverCount; ++driver) {
      for (const std::string& text : video::ModeListTexts(catalog, driver)) {
        FUZZ_CHECK(text.size() < video::kModeTextSize);
      }
    }
  }
  return 0;
}
