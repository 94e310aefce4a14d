// The paths of a driver installation: the driver's folder under .\Driver\,
// where its Glu32.dll and Opengl32.dll are copied from and to, and the names
// a replacement goes through beside its target.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace video {

// The copies are made in paths of at most 79 characters.
constexpr std::size_t kCopyPathSize = 80;

enum class DriverLibrary { kGlu32 = 0, kOpengl32 = 1 };

// "\Glu32.dll" or "\Opengl32.dll".
const char* LibraryFileName(DriverLibrary library);

enum class DriverAction { kDeleteCopies, kCopyFromFolder, kNothing };
DriverAction ActionFor(std::int32_t driverIndex);

// The driver DONE puts in place: the one the driver list shows (-1: none),
// and only when it is the driver the settings hold. A file with the defaults
// keeps its stored driver out of sight behind entry 0, also after a mode or a
// level is chosen; a driver the player never saw is never installed.
std::optional<std::int32_t> DriverDoneApplies(std::int32_t shownDriver, std::int32_t driverIndex);

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
struct DriverCatalog;
DriverChoice WhatChoosingShows(const DriverCatalog& catalog, std::int32_t driverIndex);

// A catalog folder is one name right under .\Driver\: not empty, holding no
// '\', '/' or ':', and not made of dots alone ("." and ".." would name the
// Driver folder itself or the program folder). And ".\Driver\<folder>" fits
// its 49 characters.
enum class FolderCheck { kUsable, kNotOneName, kTooLong };
FolderCheck CheckDriverFolder(const char* folder);

// ".\Driver\<folder>"; nothing unless the folder is usable.
std::optional<std::string> DriverFolderPath(const char* folder);

struct CopyPaths {
  std::string source;
  std::string destination;
};

// For the absolute path of a driver folder: the library in it, and the same
// name two folders up (the program folder). Nothing when either path does
// not fit in its 79 characters, or the folder path has no two levels to go up.
std::optional<CopyPaths> DriverCopyPaths(std::string_view absoluteFolder, DriverLibrary library);

// Whether `path` names an entry right inside `folder` (an absolute path, with
// or without its last backslash), letter case aside.
bool IsRightInside(std::string_view path, std::string_view folder);

// `path` with the last character of its file name replaced by `mark`: as long
// as the path itself, so it fits wherever the path fits ('~' for the new copy
// on its way in, '$' for the old file on its way out).
std::string MarkedPath(std::string_view path, char mark);

}  // namespace video
