#include "settings/video/driver_plan.h"

#include <cstring>

#include <string_view>
#include <utility>

namespace video {

namespace {

// The copies are made in paths of at most 79 characters.
constexpr std::size_t kCopyPathSize = 80;

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether `path` names an entry right inside `folder` (an absolute path, with
// or without its last backslash), letter case aside.
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

// For the absolute path of a driver folder: the library `name` in it, and
// the same name two folders up (the program folder). Nothing when either path
// does not fit, or the folder path has no two levels to go up.
std::optional<DriverStep> CopyOf(std::string_view absoluteFolder, std::string_view name) {
  const std::size_t last = absoluteFolder.find_last_of('\\');
  if (last == std::string_view::npos || last == 0) {
    return std::nullopt;
  }
  const std::size_t above = absoluteFolder.find_last_of('\\', last - 1);
  if (above == std::string_view::npos) {
    return std::nullopt;
  }
  DriverStep copy{std::string(absoluteFolder).append(name),
                  std::string(absoluteFolder.substr(0, above)).append(name)};
  if (copy.source.size() >= kCopyPathSize || copy.target.size() >= kCopyPathSize) {
    return std::nullopt;
  }
  return copy;
}

bool IsFile(FileKind kind) {
  return kind == FileKind::kFile || kind == FileKind::kReadOnly;
}

// Absent, or a file that may be renamed away: a read-only copy or a folder of
// that name is the player's, not the launcher's to replace.
bool MayReplace(FileKind kind) {
  return kind == FileKind::kNone || kind == FileKind::kFile;
}

DriverPlan Refused(const char* what, std::optional<std::string> named = std::nullopt) {
  return {DriverRefusal{what, std::move(named)}, {}};
}

DriverPlan RemoveCopies(const GameFolder& folder) {
  const ResolvedPath& glu = folder.copies[0];
  const ResolvedPath& opengl = folder.copies[1];
  if (!opengl.resolved || !glu.resolved) {
    return Refused(kDriverFileNotRemoved, opengl.text);
  }
  DriverPlan plan;
  for (const std::size_t library : {1, 0}) {
    if (!MayReplace(folder.copyKinds[library])) {
      return Refused(kDriverFileNotRemoved, folder.copies[library].text);
    }
    plan.steps.push_back({"", folder.copies[library].text});
  }
  return plan;
}

DriverPlan CopyFromFolder(const DriverEntry& entry, const GameFolder& folder) {
  const std::string name(entry.folder, strnlen(entry.folder, kDriverFolderSize));
  switch (CheckDriverFolder(entry.folder)) {
    case FolderCheck::kNotOneName:
      return Refused(kDriverNotOneFolder, name);
    case FolderCheck::kTooLong:
      return Refused(kDriverPathTooLong);
    case FolderCheck::kUsable:
      break;
  }
  DriverPlan plan;
  for (const char* library : kLibraryNames) {
    const std::optional<DriverStep> copy =
        folder.driverFolder ? CopyOf(*folder.driverFolder, library) : std::nullopt;
    if (!copy) {
      return Refused(kDriverPathTooLong);
    }
    plan.steps.push_back(*copy);
  }
  for (const DriverStep& copy : plan.steps) {
    if (!folder.programFolder || !IsRightInside(copy.target, *folder.programFolder)) {
      return Refused(kDriverNotOneFolder, name);
    }
  }
  // Both sources first, then both targets (right inside the program folder,
  // so the copies the game folder holds): the player hears of a missing
  // driver file before a copy of the player's own.
  for (std::size_t library = 0; library < plan.steps.size(); ++library) {
    if (!IsFile(folder.sourceKinds[library])) {
      return Refused(kDriverFileMissing, plan.steps[library].source);
    }
  }
  for (std::size_t library = 0; library < plan.steps.size(); ++library) {
    if (!MayReplace(folder.copyKinds[library])) {
      return Refused(kDriverFileNotInstalled, plan.steps[library].target);
    }
  }
  return plan;
}

}  // namespace

std::optional<AppliedDriver> DriverDoneApplies(const DriverCatalog& catalog, std::int32_t shownDriver,
                                               std::int32_t driverIndex) {
  if (shownDriver < 0 || shownDriver != driverIndex) {
    return std::nullopt;
  }
  return AppliedDriver{driverIndex,
                       driverIndex < catalog.driverCount ? &catalog.drivers[driverIndex] : nullptr};
}

DriverPlan PlanDriverChange(const std::optional<AppliedDriver>& applied, const GameFolder& folder) {
  if (!applied) {
    return {};
  }
  if (!folder.videoFileReplaceable) {
    return Refused("");
  }
  switch (DriverKindOf(applied->index)) {
    case DriverKind::kSystem:
      return RemoveCopies(folder);
    case DriverKind::kCopied:
      return applied->entry != nullptr ? CopyFromFolder(*applied->entry, folder)
                                       : Refused(kDriverNotOneFolder, std::string());
    case DriverKind::kByHand:
      break;
  }
  return {};
}

}  // namespace video
