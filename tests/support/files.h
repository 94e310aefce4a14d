// Folders that the test programs and the end-to-end driver make for a test
// and take away after it.
#pragma once

#include <string>

namespace support {

// Removes `folder` with everything in it. Read-only attributes are cleared on
// the files and the folders under it first: tests make files read-only (the
// game-mode file, a driver being replaced) and may leave them so. A folder
// that is not there is left alone.
void RemoveTree(const std::string& folder);

}  // namespace support
