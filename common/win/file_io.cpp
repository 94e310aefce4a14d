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

// The folder part of a full path, without the trailing separator.
bool FolderOf(const char* fullPath, FullPath& folder) {
  const std::string_view path(fullPath);
  const std::size_t cut = path.find_last_of("\\/");
  if (cut == std::string_view::npos) {
    return false;
  }
  // Keep the separator of a root ("C:\") so it still names a folder.
  const std::size_t length = (cut == 2 && path.size() > 2 && path[1] == ':') ? cut + 1 : cut;
  text::CopyBounded(folder.text, path.substr(0, length));
  return length < kPathCapacity;
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

bool ReplaceFileContents(const char* fullPath, std::string_view bytes) {
  const DWORD attributes = GetFileAttributesA(fullPath);
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    return false;
  }
  FullPath folder;
  if (!FolderOf(fullPath, folder)) {
    return false;
  }
  char temporary[MAX_PATH] = {};
  if (GetTempFileNameA(folder.text, "q3d", 0, temporary) == 0) {
    return false;
  }
  bool written = false;
  {
    UniqueFile file(
        CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    written = file && WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
  }
  if (written && MoveFileExA(temporary, fullPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileA(temporary);
  return false;
}

}  // namespace win
