#include "settings/video/driver_paths.h"

#include "settings/video/driver_catalog.h"

namespace video {

const char* LibraryFileName(DriverLibrary library) {
  return library == DriverLibrary::kGlu32 ? "\\Glu32.dll" : "\\Opengl32.dll";
}

DriverAction ActionFor(std::int32_t driverIndex) {
  if (driverIndex == 0) {
    return DriverAction::kDeleteCopies;
  }
  return driverIndex >= 1 && driverIndex <= 3 ? DriverAction::kCopyFromFolder : DriverAction::kNothing;
}

std::optional<std::string> DriverFolderPath(const char* folder) {
  if (folder == nullptr || !FolderFits(folder)) {
    return std::nullopt;
  }
  return std::string(kDriverFolderPrefix) + folder;
}

std::optional<CopyPaths> DriverCopyPaths(std::string_view absoluteFolder, DriverLibrary library) {
  const std::string_view name = LibraryFileName(library);
  const std::size_t last = absoluteFolder.find_last_of('\\');
  if (last == std::string_view::npos || last == 0) {
    return std::nullopt;
  }
  const std::size_t above = absoluteFolder.find_last_of('\\', last - 1);
  if (above == std::string_view::npos) {
    return std::nullopt;
  }
  CopyPaths paths{std::string(absoluteFolder).append(name),
                  std::string(absoluteFolder.substr(0, above)).append(name)};
  if (paths.source.size() >= kCopyPathSize || paths.destination.size() >= kCopyPathSize) {
    return std::nullopt;
  }
  return paths;
}

}  // namespace video
