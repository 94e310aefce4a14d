#include "settings/video/driver_paths.h"

#include <cstring>

#include "settings/video/driver_catalog.h"

namespace video {

namespace {

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

const char* LibraryFileName(DriverLibrary library) {
  return library == DriverLibrary::kGlu32 ? "\\Glu32.dll" : "\\Opengl32.dll";
}

DriverAction ActionFor(std::int32_t driverIndex) {
  if (driverIndex == 0) {
    return DriverAction::kDeleteCopies;
  }
  return driverIndex >= 1 && driverIndex <= 3 ? DriverAction::kCopyFromFolder : DriverAction::kNothing;
}

std::optional<std::int32_t> DriverDoneApplies(std::int32_t shownDriver, std::int32_t driverIndex) {
  if (shownDriver < 0 || shownDriver != driverIndex) {
    return std::nullopt;
  }
  return driverIndex;
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

bool IsRightInside(std::string_view path, std::string_view folder) {
  if (!folder.empty() && folder.back() == '\\') {
    folder.remove_suffix(1);
  }
  const std::size_t last = path.find_last_of('\\');
  if (folder.empty() || last == std::string_view::npos || last + 1 == path.size()) {
    return false;
  }
  const std::string_view holder = path.substr(0, last);
  if (holder.size() != folder.size()) {
    return false;
  }
  for (std::size_t i = 0; i < holder.size(); ++i) {
    if (Lower(holder[i]) != Lower(folder[i])) {
      return false;
    }
  }
  return true;
}

std::string MarkedPath(std::string_view path, char mark) {
  std::string marked(path);
  if (!marked.empty()) {
    marked.back() = mark;
  }
  return marked;
}

}  // namespace video
