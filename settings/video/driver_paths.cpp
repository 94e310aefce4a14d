#include "settings/video/driver_paths.h"

#include <cstring>

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

FolderCheck CheckDriverFolder(const char* folder) {
  if (folder == nullptr) {
    return FolderCheck::kNotOneName;
  }
  const std::string_view name(folder, strnlen(folder, kDriverFolderSize));
  if (name.empty() || name.find_first_of("\\/:") != std::string_view::npos ||
      name.find_first_not_of('.') == std::string_view::npos) {
    return FolderCheck::kNotOneName;
  }
  return FolderFits(folder) ? FolderCheck::kUsable : FolderCheck::kTooLong;
}

std::optional<std::string> DriverFolderPath(const char* folder) {
  if (CheckDriverFolder(folder) != FolderCheck::kUsable) {
    return std::nullopt;
  }
  return std::string(kDriverFolderPrefix) + folder;
}

std::string MarkedPath(std::string_view path, char mark) {
  std::string marked(path);
  if (!marked.empty()) {
    marked.back() = mark;
  }
  return marked;
}

}  // namespace video
