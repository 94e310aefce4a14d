#include "settings/video/driver_files.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "common/win/file_io.h"
#include "services/error_box.h"
#include "services/settings_files.h"

namespace {

constexpr char kNothingChanged[] = "\nNo driver file was changed.";

// `path` with the last character of its file name replaced by `mark`: as long
// as the path, so it fits wherever the path fits ('~' for the new copy on its
// way in, '$' for the old file on its way out).
std::string MarkedPath(std::string path, char mark) {
  if (!path.empty()) {
    path.back() = mark;
  }
  return path;
}

// The player reads what failed, the file or folder it names (shortened in
// its middle where the box needs it) and what became of the pair.
bool Refuse(HWND owner, const char* what, const std::string& named,
            const std::string& outcome = kNothingChanged) {
  ErrorBoxNamingPath(owner, what, named, outcome);
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

video::FileKind KindOf(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return video::FileKind::kNone;
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return video::FileKind::kFolder;
  }
  return (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? video::FileKind::kReadOnly : video::FileKind::kFile;
}

video::ResolvedPath Resolved(const std::string& relative) {
  win::FullPath full;
  const bool resolved = win::ResolveFullPath(relative.c_str(), full);
  return {resolved, full.text};
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

  explicit Library(const video::DriverStep& step)
      : source(step.source),
        target(step.target),
        temporary(MarkedPath(target, '~')),
        backup(MarkedPath(target, '$')) {}

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

  bool IsCopy() const { return !source.empty(); }

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
std::string Outcome(const std::vector<Library>& pair) {
  std::string left;
  for (const Library& library : pair) {
    left += library.Left();
  }
  return left.empty() ? kNothingChanged : left;
}

// Every library that `step` can take, or none: on the first that fails, those
// before it are taken back with `undo`. The one that failed, or nothing.
template <typename Step, typename Undo>
const Library* EachOrNone(std::vector<Library>& pair, Step step, Undo undo) {
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

video::GameFolder LookAtGameFolder(const char* videoFile, const video::DriverEntry* entry) {
  video::GameFolder folder;
  folder.videoFileReplaceable = SettingsFileReplaceable(videoFile);
  char current[win::kPathCapacity] = {};
  const DWORD length = GetCurrentDirectoryA(win::kPathCapacity, current);
  if (length != 0 && length < win::kPathCapacity) {
    folder.programFolder = current;
  }
  const std::optional<std::string> relative =
      video::DriverFolderPath(entry != nullptr ? entry->folder : nullptr);
  win::FullPath driverFolder;
  if (relative && win::ResolveFullPath(relative->c_str(), driverFolder)) {
    folder.driverFolder = driverFolder.text;
  }
  for (std::size_t i = 0; i < 2; ++i) {
    const char* name = video::kLibraryNames[i];
    folder.copies[i] = Resolved(std::string(".") + name);
    folder.copyKinds[i] = folder.copies[i].resolved ? KindOf(folder.copies[i].text) : video::FileKind::kNone;
    folder.sourceKinds[i] =
        folder.driverFolder ? KindOf(*folder.driverFolder + name) : video::FileKind::kNone;
  }
  return folder;
}

}  // namespace

bool PutDriverInPlace(HWND owner, const char* videoFile, const std::optional<video::AppliedDriver>& applied) {
  const video::DriverPlan plan = video::PlanDriverChange(
      applied, applied ? LookAtGameFolder(videoFile, applied->entry) : video::GameFolder{});
  if (plan.refusal) {
    if (plan.refusal->named) {
      Refuse(owner, plan.refusal->what, *plan.refusal->named);
    } else if (plan.refusal->what[0] != '\0') {
      ErrorBox(owner, plan.refusal->what);
    }
    return false;
  }
  std::vector<Library> pair(plan.steps.begin(), plan.steps.end());
  for (const Library& library : pair) {
    library.RemoveLeftovers();
  }
  const Library* failed = nullptr;
  for (const Library& library : pair) {
    if (failed == nullptr && library.IsCopy() && !library.CopyBeside()) {
      failed = &library;
    }
  }
  if (failed == nullptr) {
    failed = EachOrNone(
        pair, [](Library& library) { return library.IsCopy() ? library.PutInPlace() : library.PutAside(); },
        [](Library& library) { library.IsCopy() ? library.TakeBack() : library.PutBack(); });
  }
  for (const Library& library : pair) {
    DeleteIfThere(failed != nullptr ? library.temporary : library.backup);
  }
  return failed == nullptr ||
         Refuse(owner, failed->IsCopy() ? video::kDriverFileNotInstalled : video::kDriverFileNotRemoved,
                failed->target, Outcome(pair));
}
