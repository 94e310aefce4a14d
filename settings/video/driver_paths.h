// The names of a driver installation: the driver's folder under .\Driver\,
// the libraries copied from it, the kind of driver an index names, and the
// names a replacement goes through beside its target.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace video {

enum class DriverLibrary { kGlu32 = 0, kOpengl32 = 1 };

// "\Glu32.dll" or "\Opengl32.dll".
const char* LibraryFileName(DriverLibrary library);

enum class DriverAction { kDeleteCopies, kCopyFromFolder, kNothing };
DriverAction ActionFor(std::int32_t driverIndex);

// A catalog folder is one name right under .\Driver\: not empty, holding no
// '\', '/' or ':', and not made of dots alone ("." and ".." would name the
// Driver folder itself or the program folder). And ".\Driver\<folder>" fits
// its 49 characters.
enum class FolderCheck { kUsable, kNotOneName, kTooLong };
FolderCheck CheckDriverFolder(const char* folder);

// ".\Driver\<folder>"; nothing unless the folder is usable.
std::optional<std::string> DriverFolderPath(const char* folder);

// `path` with the last character of its file name replaced by `mark`: as long
// as the path itself, so it fits wherever the path fits ('~' for the new copy
// on its way in, '$' for the old file on its way out).
std::string MarkedPath(std::string_view path, char mark);

}  // namespace video
