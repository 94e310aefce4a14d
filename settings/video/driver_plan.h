// The driver change DONE makes, planned once before anything is touched: from
// the driver it applies and what the game folder holds, either a refusal with
// its reason or the exact copies and removals that put that driver's pair of
// libraries in place in the program folder (the current folder). Planning
// reads nothing and changes nothing; driver_files carries a plan out, whole
// or not at all.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/video/driver_catalog.h"

namespace video {

// What the player reads when a driver's files cannot be put in place.
constexpr char kDriverPathTooLong[] = "Driver folder path too long";
constexpr char kDriverNotOneFolder[] = "Driver folder is not one folder under Driver\\: ";
constexpr char kDriverFileMissing[] = "Driver file not found:\n";
constexpr char kDriverFileNotInstalled[] = "Driver file could not be installed:\n";
constexpr char kDriverFileNotRemoved[] = "Driver file could not be removed:\n";

// A driver's pair of libraries, in the order of every pair below.
constexpr const char* kLibraryNames[2] = {"\\Glu32.dll", "\\Opengl32.dll"};

// The driver DONE applies and its entry of the catalog (none past its end).
struct AppliedDriver {
  std::int32_t index = 0;
  const DriverEntry* entry = nullptr;
};

// The driver DONE applies, for the entry the driver list shows (-1: none) and
// the driver the settings hold: that driver when the list shows it; nothing
// when the defaults keep a stored driver out of sight (a DONE that changed
// nothing never removes a working installed driver, nor installs one the
// player never saw).
std::optional<AppliedDriver> DriverDoneApplies(const DriverCatalog& catalog, std::int32_t shownDriver,
                                               std::int32_t driverIndex);

// What lies under a name.
enum class FileKind { kNone, kFile, kReadOnly, kFolder };

// A full path as the system resolves it; when it could not, `text` holds as
// much of it as fits, for the report.
struct ResolvedPath {
  bool resolved = false;
  std::string text;
};

// What the plan needs to know of the game folder, looked at before anything
// changes.
struct GameFolder {
  bool videoFileReplaceable = false;         // video.cfg can be replaced now
  std::optional<std::string> programFolder;  // the current folder, when it could be read
  std::optional<std::string> driverFolder;   // .\Driver\<folder> (DriverFolderPath), when usable and resolved
  ResolvedPath copies[2];                    // .\Glu32.dll and .\Opengl32.dll
  FileKind copyKinds[2] = {};                // what lies there
  FileKind sourceKinds[2] = {};              // what lies at the libraries' names in driverFolder
};

// One step: a copy of `source` put in place at `target`, or, without a
// source, the library at `target` taken away.
struct DriverStep {
  std::string source;
  std::string target;
};

// What the player is told of a refusal: `what`, then the file or folder it
// names (when it names one) and that no driver file was changed. Nothing at
// all when `what` is empty: video.cfg cannot be replaced, and its save says so.
struct DriverRefusal {
  const char* what = "";
  std::optional<std::string> named;
};

// A refusal, or the steps in the order they are taken (all copies or all
// removals; none when the libraries stay as they are).
struct DriverPlan {
  std::optional<DriverRefusal> refusal;
  std::vector<DriverStep> steps;
};

// The plan for `applied` (nothing to plan without it). Nothing is done unless
// video.cfg can be replaced, so it never goes on naming another driver than
// the pair in place. The system's driver takes both copies away (Opengl32
// first); a driver the launcher copies has both libraries copied from its
// folder under .\Driver\ into the program folder (Glu32 first), once the
// folder has shown itself to be one name right under Driver\, its copy paths
// fit in 79 characters, both sources are files and no target is read-only or
// a folder (a driver past the catalog's end has no folder and is refused);
// the others leave the libraries as they are. Copies land two folders above
// the driver's folder, which must be the program folder.
DriverPlan PlanDriverChange(const std::optional<AppliedDriver>& applied, const GameFolder& folder);

}  // namespace video
