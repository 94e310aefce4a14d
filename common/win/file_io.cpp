#include "common/win/file_io.h"

#include <windows.h>

#include <string>
#include <vector>

#include "common/bounded_text.h"
#include "common/win/handles.h"

namespace win {

namespace {

// Settings files are a few hundred bytes; anything past this is not read.
constexpr DWORD kMaxReadBytes = 16u << 20;

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(bytes.size() > (1u << 20) ? (1u << 20) : bytes.size());
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

// `fullPath` with the last character of its file name replaced by `mark`, or
// by `otherMark` when the name already ends in `mark`. As long as the original.
bool SiblingPath(const char* fullPath, char mark, char otherMark, FullPath& sibling) {
  const std::string_view path(fullPath);
  if (path.empty() || path.size() >= kPathCapacity || path.back() == '\\' || path.back() == '/' ||
      path.back() == ':') {
    return false;
  }
  text::CopyBounded(sibling.text, path);
  char& last = sibling.text[path.size() - 1];
  last = last == mark ? otherMark : mark;
  return true;
}

bool TemporaryPathFor(const char* fullPath, FullPath& temporary) {
  return SiblingPath(fullPath, '~', '_', temporary);
}

bool BackupPathFor(const char* fullPath, FullPath& backup) {
  return SiblingPath(fullPath, '$', '!', backup);
}

// A read-only file or a folder under `path`: nothing the launcher may
// replace or take away.
bool Blocks(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0;
}

// Names `path` as what stood in the way, for a caller that asked.
bool InTheWay(const char* path, FullPath* inTheWay) {
  if (inTheWay != nullptr) {
    text::CopyBounded(inTheWay->text, path);
  }
  return false;
}

// Writes and flushes the temporary file of `fullPath`, after the checks both
// ways of replacing share. False, with no temporary file left, when the target
// may not be replaced or the file cannot be written whole; a read-only file or
// a folder under the temporary name is what stood in the way.
bool WriteTemporaryFile(const char* fullPath, std::string_view bytes, FullPath& temporary,
                        FullPath* inTheWay) {
  if (Blocks(fullPath) || !TemporaryPathFor(fullPath, temporary)) {
    return false;
  }
  if (Blocks(temporary.text)) {
    return InTheWay(temporary.text, inTheWay);
  }
  bool written = false;
  {
    // CREATE_ALWAYS: a temporary file left by an earlier write is reused.
    UniqueFile file(CreateFileA(temporary.text, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    written = file && WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
  }
  if (!written) {
    DeleteFileA(temporary.text);
  }
  return written;
}

// Another program (a virus scanner, an indexer) often holds a file for a moment
// just after it was written, and a move that meets it fails with a sharing
// violation or access denied. Such a move is tried again a few times, about
// half a second in all, before it counts as failed; any other failure counts
// at once, with its error code left for the caller.
constexpr DWORD kWaitsBeforeRetriesMs[] = {50, 100, 150, 200};

template <typename Move>
bool MoveRetryingWhileHeld(Move move) {
  for (const DWORD wait : kWaitsBeforeRetriesMs) {
    if (move()) {
      return true;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) {
      return false;
    }
    Sleep(wait);
  }
  return move();
}

// Puts the finished temporary file in the target's place by renaming, keeping
// the old target under the backup name until the new one is in place.
bool RenameOverTarget(const char* temporary, const char* fullPath, FullPath* inTheWay) {
  FullPath backup;
  if (!BackupPathFor(fullPath, backup)) {
    return false;
  }
  if (Blocks(backup.text)) {
    return InTheWay(backup.text, inTheWay);
  }
  // A backup still there is from a write that was cut short; the target, or
  // the new file about to become it, is newer.
  DeleteFileA(backup.text);
  const bool hadTarget = GetFileAttributesA(fullPath) != INVALID_FILE_ATTRIBUTES;
  if (hadTarget && !MoveRetryingWhileHeld([&] { return MoveFileA(fullPath, backup.text) != 0; })) {
    return false;
  }
  if (!MoveRetryingWhileHeld([&] { return MoveFileA(temporary, fullPath) != 0; })) {
    if (hadTarget) {
      MoveFileA(backup.text, fullPath);
    }
    return false;
  }
  DeleteFileA(backup.text);
  return true;
}

bool Replace(const char* fullPath, std::string_view bytes, bool oneStepMove, FullPath* inTheWay) {
  InTheWay(fullPath, inTheWay);
  FullPath temporary;
  if (!WriteTemporaryFile(fullPath, bytes, temporary, inTheWay)) {
    return false;
  }
  bool replaced = false;
  if (oneStepMove) {
    replaced = MoveRetryingWhileHeld([&] {
      return MoveFileExA(temporary.text, fullPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    });
    // The Windows 95 family has the call but does not implement it.
    if (!replaced && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
      replaced = RenameOverTarget(temporary.text, fullPath, inTheWay);
    }
  } else {
    replaced = RenameOverTarget(temporary.text, fullPath, inTheWay);
  }
  if (!replaced) {
    DeleteFileA(temporary.text);
  }
  return replaced;
}

}  // namespace

bool ResolveFullPath(const char* relative, FullPath& out) {
  out.text[0] = '\0';
  char* filePart = nullptr;
  const DWORD needed = GetFullPathNameA(relative, kPathCapacity, out.text, &filePart);
  if (needed == 0) {
    // Too long even to resolve: report it as seen from the current folder.
    char current[kPathCapacity] = {};
    const DWORD length = GetCurrentDirectoryA(kPathCapacity, current);
    std::string shown =
        length > 0 && length < kPathCapacity ? std::string(current, length) + "\\" : std::string();
    const std::string_view rest(relative);
    shown += rest.substr(0, 2) == ".\\" ? rest.substr(2) : rest;
    text::CopyBounded(out.text, shown);
    return false;
  }
  if (needed < kPathCapacity) {
    return true;
  }
  std::vector<char> longPath(needed + 1, '\0');
  const DWORD got = GetFullPathNameA(relative, needed + 1, longPath.data(), &filePart);
  text::CopyBounded(out.text, got != 0 && got <= needed ? std::string_view(longPath.data(), got) : relative);
  return false;
}

bool ReadFileBytes(const char* fullPath, std::string& bytes) {
  bytes.clear();
  UniqueFile file(CreateFileA(fullPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    return false;
  }
  char buffer[4096];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
      return false;
    }
    if (got == 0 || bytes.size() >= kMaxReadBytes) {
      return true;
    }
    bytes.append(buffer, got);
  }
}

bool ReplaceFileContents(const char* fullPath, std::string_view bytes, FullPath* inTheWay) {
  return Replace(fullPath, bytes, true, inTheWay);
}

bool CanReplaceFile(const char* fullPath, FullPath* inTheWay) {
  InTheWay(fullPath, inTheWay);
  FullPath temporary;
  if (TemporaryPathFor(fullPath, temporary) && Blocks(temporary.text)) {
    return InTheWay(temporary.text, inTheWay);
  }
  const DWORD attributes = GetFileAttributesA(fullPath);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return GetLastError() == ERROR_FILE_NOT_FOUND;
  }
  if ((attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    return false;
  }
  // Held for a moment by another program, it is waited for as a write waits.
  return MoveRetryingWhileHeld([&] {
    return static_cast<bool>(UniqueFile(
        CreateFileA(fullPath, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
  });
}

bool ReplaceFileContentsByRenaming(const char* fullPath, std::string_view bytes, FullPath* inTheWay) {
  return Replace(fullPath, bytes, false, inTheWay);
}

}  // namespace win
