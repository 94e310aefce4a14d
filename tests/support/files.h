// Folders that the test programs and the end-to-end driver make for a test
// and take away after it, and what a folder holds.
#pragma once

#include <string>
#include <vector>

namespace support {

// Removes `folder` with everything in it. Read-only attributes are cleared on
// the files and the folders under it first: tests make files read-only (the
// game-mode file, a driver being replaced) and may leave them so. A folder
// that is not there is left alone.
void RemoveTree(const std::string& folder);

// The names that `pattern` ("C:\\x\\*.bmp") finds, "." and ".." left out, in
// name order: files and folders, or only the one or the other.
enum class Entries { kAll, kFiles, kFolders };
std::vector<std::string> FindNames(const std::string& pattern, Entries entries = Entries::kAll);

}  // namespace support
