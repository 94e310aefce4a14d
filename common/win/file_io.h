// File access for the settings files: full-path resolution within the
// platform's 260-character limit, whole-file reads, and writes that replace a
// file only once its new contents are complete, so a failed write never leaves
// it half written.
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

// Writes `bytes` to a temporary file beside `fullPath`, flushes it, then moves
// it over the target in one step (replacing it, written through). Where that
// move is not implemented (the Windows 95 family) it replaces the target with
// ReplaceFileContentsByRenaming instead.
//
// The temporary file is the target's own path with the last character of its
// name replaced by '~' ('_' when the name already ends in '~'): it fits
// wherever the target fits, and one left by a write that was cut short is
// overwritten and taken away by the next write of the same target.
//
// A move that meets the target (or the temporary file) held by another
// program, failing with a sharing violation or access denied, is tried again
// a few times within about half a second. A read-only target, a folder in the
// way, a missing folder or any failed step leave the target as it was and
// return false; no temporary file is left behind. `inTheWay`, when given, then
// names what stood in the way: a read-only file or a folder under the
// temporary (or backup) name, else the target.
bool ReplaceFileContents(const char* fullPath, std::string_view bytes, FullPath* inTheWay = nullptr);

// Whether ReplaceFileContents could replace the file now, found out without
// changing it: it is not read-only and not a folder, and no other program has
// it open (it opens for writing with no sharing, as replacing needs), or it is
// not there yet in a folder that is; and no read-only file or folder holds
// its temporary name (named in `inTheWay`). For a caller that must know before it
// changes what the file is to describe. False after a failed open leaves that
// open's error as the last error (ERROR_SHARING_VIOLATION for a file held open).
// A file held for a moment is waited for, as a write waits for it.
bool CanReplaceFile(const char* fullPath, FullPath* inTheWay = nullptr);

// The same write without a one-step move, for systems that lack it: the new
// bytes go to the temporary file and are flushed; then the target is renamed
// to a backup name (the last character of its name replaced by '$', or '!'
// when it already ends in '$'), the temporary file is renamed to the target,
// and the backup is deleted. When the second rename fails the backup is put
// back; a backup left by a write cut short between the renames is deleted by
// the next write. Same results and guarantees as ReplaceFileContents otherwise.
bool ReplaceFileContentsByRenaming(const char* fullPath, std::string_view bytes,
                                   FullPath* inTheWay = nullptr);

}  // namespace win
