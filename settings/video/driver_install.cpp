#include "settings/video/driver_install.h"

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "common/win/file_io.h"
#include "settings/video/driver_paths.h"
#include "settings/video/video_files.h"
#include "shell/services/error_box.h"

namespace {

constexpr char kProgramOpengl[] = ".\\Opengl32.dll";
constexpr char kProgramGlu[] = ".\\Glu32.dll";

constexpr char kPathTooLong[] = "Driver folder path too long";
constexpr char kNotOneFolder[] = "Driver folder is not one folder under Driver\\: ";
constexpr char kSourceMissing[] = "Driver file not found:\n";
constexpr char kNotInstalled[] = "Driver file could not be installed:\n";
constexpr char kNotRemoved[] = "Driver file could not be removed:\n";
constexpr char kNothingChanged[] = "\nNo driver file was changed.";

constexpr char kTemporaryMark = '~';
constexpr char kBackupMark = '$';

bool Refuse(const char* what, const std::string& detail) {
  ErrorBox((what + detail + kNothingChanged).c_str());
  return false;
}

DWORD AttributesOf(const std::string& path) {
  return GetFileAttributesA(path.c_str());
}

bool Exists(const std::string& path) {
  return AttributesOf(path) != INVALID_FILE_ATTRIBUTES;
}

bool IsFile(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Absent, or a file that may be renamed away: a read-only copy or a folder of
// that name is the player's, not the launcher's to replace.
bool MayReplace(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes == INVALID_FILE_ATTRIBUTES ||
         (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) == 0;
}

void DeleteIfThere(const std::string& path) {
  if (IsFile(path)) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
  }
}

// One library's way into the program folder.
struct Replacement {
  std::string source;
  std::string target;
  std::string temporary;
  std::string backup;
  bool hadTarget = false;

  Replacement(std::string from, std::string to)
      : source(std::move(from)),
        target(std::move(to)),
        temporary(video::MarkedPath(target, kTemporaryMark)),
        backup(video::MarkedPath(target, kBackupMark)) {}

  // Names left by a run that was cut short.
  void RemoveLeftovers() const {
    DeleteIfThere(temporary);
    DeleteIfThere(backup);
  }

  // The copy under the temporary name, writable whatever the source was.
  bool CopyBeside() const {
    if (!CopyFileA(source.c_str(), temporary.c_str(), FALSE)) {
      return false;
    }
    const DWORD attributes = AttributesOf(temporary);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           ((attributes & FILE_ATTRIBUTE_READONLY) == 0 ||
            SetFileAttributesA(temporary.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY));
  }

  // The old target aside, the copy in its place; on failure the old target
  // is back where it was.
  bool PutInPlace() {
    hadTarget = Exists(target);
    if (hadTarget && !MoveFileA(target.c_str(), backup.c_str())) {
      return false;
    }
    if (!MoveFileA(temporary.c_str(), target.c_str())) {
      if (hadTarget) {
        MoveFileA(backup.c_str(), target.c_str());
      }
      return false;
    }
    return true;
  }

  // Undoes PutInPlace.
  void TakeBack() const {
    MoveFileA(target.c_str(), temporary.c_str());
    if (hadTarget) {
      MoveFileA(backup.c_str(), target.c_str());
    }
  }
};

bool InstallPair(std::array<Replacement, 2>& pair) {
  for (const Replacement& library : pair) {
    if (!IsFile(library.source)) {
      return Refuse(kSourceMissing, library.source);
    }
  }
  for (const Replacement& library : pair) {
    if (!MayReplace(library.target)) {
      return Refuse(kNotInstalled, library.target);
    }
  }
  for (const Replacement& library : pair) {
    library.RemoveLeftovers();
  }
  const Replacement* failed = nullptr;
  for (const Replacement& library : pair) {
    if (!library.CopyBeside()) {
      failed = &library;
      break;
    }
  }
  std::size_t placed = 0;
  while (failed == nullptr && placed < pair.size()) {
    if (pair[placed].PutInPlace()) {
      ++placed;
    } else {
      failed = &pair[placed];
    }
  }
  if (failed != nullptr) {
    while (placed > 0) {
      pair[--placed].TakeBack();
    }
    for (const Replacement& library : pair) {
      DeleteIfThere(library.temporary);
    }
    return Refuse(kNotInstalled, failed->target);
  }
  for (const Replacement& library : pair) {
    DeleteIfThere(library.backup);
  }
  return true;
}

bool RemoveCopies() {
  std::array<std::string, 2> targets;
  const char* relative[] = {kProgramOpengl, kProgramGlu};
  for (std::size_t i = 0; i < targets.size(); ++i) {
    win::FullPath full;
    const bool resolved = win::ResolveFullPath(relative[i], full);
    targets[i] = full.text;
    if (!resolved || !MayReplace(targets[i])) {
      return Refuse(kNotRemoved, targets[i]);
    }
  }
  for (const std::string& target : targets) {
    DeleteIfThere(video::MarkedPath(target, kTemporaryMark));
    DeleteIfThere(video::MarkedPath(target, kBackupMark));
  }
  std::array<bool, 2> renamed = {};
  for (std::size_t i = 0; i < targets.size(); ++i) {
    if (!Exists(targets[i])) {
      continue;
    }
    if (!MoveFileA(targets[i].c_str(), video::MarkedPath(targets[i], kBackupMark).c_str())) {
      for (std::size_t j = 0; j < i; ++j) {
        if (renamed[j]) {
          MoveFileA(video::MarkedPath(targets[j], kBackupMark).c_str(), targets[j].c_str());
        }
      }
      return Refuse(kNotRemoved, targets[i]);
    }
    renamed[i] = true;
  }
  for (const std::string& target : targets) {
    DeleteIfThere(video::MarkedPath(target, kBackupMark));
  }
  return true;
}

// The copy paths of a catalog entry, once its folder has shown itself to be
// one folder under Driver\ two levels below the program folder; the player
// is told otherwise.
std::optional<std::array<Replacement, 2>> CopiesFor(const char* folder) {
  switch (video::CheckDriverFolder(folder)) {
    case video::FolderCheck::kNotOneName:
      Refuse(kNotOneFolder, folder);
      return std::nullopt;
    case video::FolderCheck::kTooLong:
      ErrorBox(kPathTooLong);
      return std::nullopt;
    case video::FolderCheck::kUsable:
      break;
  }
  win::FullPath absolute;
  char programFolder[win::kPathCapacity] = {};
  const DWORD programLength = GetCurrentDirectoryA(win::kPathCapacity, programFolder);
  const std::optional<std::string> relative = video::DriverFolderPath(folder);
  const std::optional<video::CopyPaths> glu =
      relative && win::ResolveFullPath(relative->c_str(), absolute)
          ? video::DriverCopyPaths(absolute.text, video::DriverLibrary::kGlu32)
          : std::nullopt;
  const std::optional<video::CopyPaths> opengl =
      glu ? video::DriverCopyPaths(absolute.text, video::DriverLibrary::kOpengl32) : std::nullopt;
  if (!opengl) {
    ErrorBox(kPathTooLong);
    return std::nullopt;
  }
  if (programLength == 0 || programLength >= win::kPathCapacity ||
      !video::IsRightInside(opengl->destination, programFolder) ||
      !video::IsRightInside(glu->destination, programFolder)) {
    Refuse(kNotOneFolder, folder);
    return std::nullopt;
  }
  return std::array<Replacement, 2>{Replacement(glu->source, glu->destination),
                                    Replacement(opengl->source, opengl->destination)};
}

}  // namespace

bool ApplyDriverChoice(std::int32_t driverIndex) {
  switch (video::ActionFor(driverIndex)) {
    case video::DriverAction::kDeleteCopies:
      return RemoveCopies();
    case video::DriverAction::kCopyFromFolder: {
      const video::DriverCatalog& catalog = video::Catalog();
      if (driverIndex >= catalog.driverCount) {
        return true;
      }
      std::optional<std::array<Replacement, 2>> pair = CopiesFor(catalog.drivers[driverIndex].folder);
      return pair && InstallPair(*pair);
    }
    case video::DriverAction::kNothing:
      return true;
  }
  return true;
}
