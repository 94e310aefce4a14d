// File access for the settings files: full-path resolution within the
// platform's 260-character limit, whole-file reads, and writes that replace a
// file in one step so a failed write never leaves it half written.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace win {

constexpr std::size_t kPathCapacity = 260;

struct FullPath {
  char text[kPathCapacity] = {};
};

// Resolves `relative` against the current folder. Returns false when the path
// cannot be formed or does not fit in 260 characters; `out` then holds as much
// of it as fits, for the report.
bool ResolveFullPath(const char* relative, FullPath& out);

// Reads a whole file. False when it cannot be opened or read.
bool ReadFileBytes(const char* fullPath, std::string& bytes);

// Writes `bytes` to a temporary file beside `fullPath`, then moves it over the
// target in one step (replacing it, written through). A read-only target, a
// missing folder or any failed step leave the target as it was and return
// false; no temporary file is left behind.
bool ReplaceFileContents(const char* fullPath, std::string_view bytes);

}  // namespace win
