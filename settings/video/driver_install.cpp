#include "settings/video/driver_install.h"

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "common/win/file_io.h"
#include "settings/video/driver_paths.h"
#include "settings/video/video_files.h"
#include "services/error_box.h"
#include "services/settings_files.h"

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

// The player reads what failed, the file or folder it names (shortened in
// its middle where the box needs it) and what became of the pair.
bool Refuse(const char* what, const std::string& named, const std::string& outcome = kNothingChanged) {
  ErrorBoxNamingPath(what, named, outcome);
  return false;
}

std::string NameOf(const std::string& path) {
  return path.substr(path.find_last_of('\\') + 1);
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

// One library of the pair in the program folder, with the names it goes
// through on its way in or out.
struct Library {
  std::string source;  // empty when the copy is to go
  std::string target;
  std::string temporary;
  std::string backup;
  bool hadTarget = false;
  bool oldAside = false;  // the old copy is left under the backup name: putting it back failed
  bool newStays = false;  // the new copy is left in place: taking it back failed

  Library(std::string from, std::string to)
      : source(std::move(from)),
        target(std::move(to)),
        temporary(video::MarkedPath(target, kTemporaryMark)),
        backup(video::MarkedPath(target, kBackupMark)) {}

  // Names left by a run that was cut short. A backup whose library is
  // missing is no leftover but the only copy of the old one (a put-back that
  // failed, or a run cut short between its renames): it goes back to its
  // name, or stays where it is when it cannot.
  void RemoveLeftovers() const {
    DeleteIfThere(temporary);
    if (!Exists(target) && IsFile(backup)) {
      MoveFileA(backup.c_str(), target.c_str());
    } else {
      DeleteIfThere(backup);
    }
  }

  // The new copy under the temporary name, writable whatever the source was.
  bool CopyBeside() const {
    if (!CopyFileA(source.c_str(), temporary.c_str(), FALSE)) {
      return false;
    }
    const DWORD attributes = AttributesOf(temporary);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           ((attributes & FILE_ATTRIBUTE_READONLY) == 0 ||
            SetFileAttributesA(temporary.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY));
  }

  // The old copy, if any, under the backup name.
  bool PutAside() {
    hadTarget = Exists(target);
    return !hadTarget || MoveFileA(target.c_str(), backup.c_str());
  }
  void PutBack() { oldAside = hadTarget && !MoveFileA(backup.c_str(), target.c_str()); }

  // The old copy aside and the new one in its place, or neither.
  bool PutInPlace() {
    if (!PutAside()) {
      return false;
    }
    if (!MoveFileA(temporary.c_str(), target.c_str())) {
      PutBack();
      return false;
    }
    return true;
  }
  void TakeBack() {
    if (MoveFileA(target.c_str(), temporary.c_str())) {
      PutBack();
    } else {
      newStays = true;
      oldAside = hadTarget;
    }
  }

  // What a failed walk could not undo, for the player; empty when this
  // library is as it was.
  std::string Left() const {
    std::string left;
    if (newStays) {
      left += "\nThe new " + NameOf(target) + " is in place.";
    }
    if (oldAside) {
      left += "\nThe old " + NameOf(target) + " is now " + NameOf(backup) + ".";
    }
    return left;
  }
};

// What a failed walk left of the pair: that nothing changed, or what lies
// under which name where a step could not be undone.
std::string Outcome(const std::array<Library, 2>& pair) {
  const std::string left = pair[0].Left() + pair[1].Left();
  return left.empty() ? kNothingChanged : left;
}

using Pair = std::array<Library, 2>;

// Every library that `step` can take, or none: on the first that fails, those
// before it are taken back with `undo`. The one that failed, or nothing.
template <typename Step, typename Undo>
const Library* EachOrNone(Pair& pair, Step step, Undo undo) {
  for (std::size_t done = 0; done < pair.size(); ++done) {
    if (!step(pair[done])) {
      for (std::size_t back = done; back > 0; --back) {
        undo(pair[back - 1]);
      }
      return &pair[done];
    }
  }
  return nullptr;
}

bool InstallPair(Pair& pair) {
  for (const Library& library : pair) {
    if (!IsFile(library.source)) {
      return Refuse(kSourceMissing, library.source);
    }
  }
  for (const Library& library : pair) {
    if (!MayReplace(library.target)) {
      return Refuse(kNotInstalled, library.target);
    }
  }
  for (const Library& library : pair) {
    library.RemoveLeftovers();
  }
  const Library* failed = nullptr;
  for (const Library& library : pair) {
    if (failed == nullptr && !library.CopyBeside()) {
      failed = &library;
    }
  }
  if (failed == nullptr) {
    failed = EachOrNone(
        pair, [](Library& library) { return library.PutInPlace(); },
        [](Library& library) { library.TakeBack(); });
  }
  for (const Library& library : pair) {
    DeleteIfThere(failed != nullptr ? library.temporary : library.backup);
  }
  return failed == nullptr || Refuse(kNotInstalled, failed->target, Outcome(pair));
}

bool RemovePair(Pair& pair) {
  for (const Library& library : pair) {
    if (!MayReplace(library.target)) {
      return Refuse(kNotRemoved, library.target);
    }
  }
  for (const Library& library : pair) {
    library.RemoveLeftovers();
  }
  const Library* failed = EachOrNone(
      pair, [](Library& library) { return library.PutAside(); }, [](Library& library) { library.PutBack(); });
  if (failed != nullptr) {
    return Refuse(kNotRemoved, failed->target, Outcome(pair));
  }
  for (const Library& library : pair) {
    DeleteIfThere(library.backup);
  }
  return true;
}

std::optional<Pair> CopiesToRemove() {
  win::FullPath opengl, glu;
  const bool resolved =
      win::ResolveFullPath(kProgramOpengl, opengl) && win::ResolveFullPath(kProgramGlu, glu);
  if (!resolved) {
    Refuse(kNotRemoved, opengl.text);
    return std::nullopt;
  }
  return Pair{Library("", opengl.text), Library("", glu.text)};
}

// The copy paths of a catalog entry, once its folder has shown itself to be
// one folder under Driver\ two levels below the program folder; the player
// is told otherwise.
std::optional<Pair> CopiesFor(const char* folder) {
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
  return Pair{Library(glu->source, glu->destination), Library(opengl->source, opengl->destination)};
}

}  // namespace

bool ApplyDriverChoice(std::int32_t driverIndex) {
  switch (video::ActionFor(driverIndex)) {
    case video::DriverAction::kDeleteCopies: {
      std::optional<Pair> pair = CopiesToRemove();
      return pair && RemovePair(*pair);
    }
    case video::DriverAction::kCopyFromFolder: {
      const video::DriverCatalog& catalog = video::Catalog();
      if (driverIndex >= catalog.driverCount) {
        return true;
      }
      std::optional<Pair> pair = CopiesFor(catalog.drivers[driverIndex].folder);
      return pair && InstallPair(*pair);
    }
    case video::DriverAction::kNothing:
      return true;
  }
  return true;
}

bool ApplyAndSaveAtDone(HWND owner, const char* videoFile, std::optional<std::int32_t> applied,
                        const video::VideoSettings& opened) {
  video::VideoSettings& settings = video::Settings();
  const bool inPlace = !applied || (SettingsFileReplaceable(videoFile) && ApplyDriverChoice(*applied));
  if (!inPlace) {
    settings.driverIndex = opened.driverIndex;
    settings.modeIndex = opened.modeIndex;
  }
  SaveVideoSettings(owner, videoFile);
  return inPlace;
}
