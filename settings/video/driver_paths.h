// The paths of a driver installation: the driver's folder under .\Driver\,
// and where its Glu32.dll and Opengl32.dll are copied from and to.
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

// ".\Driver\<folder>"; nothing when it does not fit in its 49 characters.
std::optional<std::string> DriverFolderPath(const char* folder);

struct CopyPaths {
  std::string source;
  std::string destination;
};

// For the absolute path of a driver folder: the library in it, and the same
// name two folders up (the program folder). Nothing when either path does
// not fit in its 79 characters, or the folder path has no two levels to go up.
std::optional<CopyPaths> DriverCopyPaths(std::string_view absoluteFolder, DriverLibrary library);

}  // namespace video
