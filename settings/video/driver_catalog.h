// Driver.dat: the OpenGL driver choices (a display name and a folder under
// .\Driver\ each), the display modes the mode list offers and the label of the
// mode list's last entry. Shipped with the game; the launcher only reads it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace video {

constexpr int kMaxDrivers = 20;
constexpr int kMaxModes = 10;
constexpr std::size_t kDriverNameSize = 50;
constexpr std::size_t kDriverFolderSize = 100;
constexpr std::size_t kModeLabelSize = 50;
constexpr std::size_t kModeTextSize = 50;

// The folder path ".\Driver\" followed by `folder` is built in 50 bytes, so a
// folder keeps at most 40 characters.
constexpr char kDriverFolderPrefix[] = ".\\Driver\\";
constexpr std::size_t kDriverPathSize = 50;
constexpr std::size_t kFolderUsable = kDriverPathSize - 1 - (sizeof(kDriverFolderPrefix) - 1);

struct DriverEntry {
  char name[kDriverNameSize] = {};
  char folder[kDriverFolderSize] = {};
};

struct DisplayMode {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t bitsPerPixel = 0;
};

struct DriverCatalog {
  std::int32_t driverCount = 0;  // 0 to kMaxDrivers
  DriverEntry drivers[kMaxDrivers];
  std::int32_t modeCount = 0;  // 0 to kMaxModes
  DisplayMode modes[kMaxModes];
  char lastModeLabel[kModeLabelSize] = {};
};

// Reads the file's bytes into `catalog`, field by field as the file gives
// them; whatever the file does not give keeps its value.
//
//  - The counts are "%d\n" reads; a count that is not there keeps the old one.
//  - A driver count above 20 (a mode count above 10) fills the 20 (10) records
//    and reads past the records beyond them, so the mode count and the label
//    are still found where the file has them; the stored count is 20 (10). A
//    negative count reads no records and is stored as 0.
//  - Each driver is a "#D folder" line and a "#N name" line (lines are read in
//    pieces of at most 255 characters). The value is the rest of the line after
//    the tag's one separator, without the line end. A line with another tag,
//    with nothing after the tag, with no token, or missing at the end of the
//    file stores nothing.
//  - Names and the label are cut to 49 characters. A folder keeps at most 41:
//    one more than fits in its path, which marks it as too long (FolderFits).
void ParseDriverCatalog(std::string_view fileBytes, DriverCatalog& catalog);

// Index 0 is the system's own driver; 1 to 3 the launcher installs by copying
// their DLLs from their folder; any other is installed by hand.
enum class DriverKind { kSystem, kCopied, kByHand };
DriverKind DriverKindOf(std::int32_t driverIndex);

// Whether `folder` fits in the 49-character ".\Driver\<folder>" path.
bool FolderFits(const char* folder);

// A catalog folder is one name right under .\Driver\: not empty, holding no
// '\', '/' or ':', and not made of dots alone ("." and ".." would name the
// Driver folder itself or the program folder); and it fits (FolderFits).
enum class FolderCheck { kUsable, kNotOneName, kTooLong };
FolderCheck CheckDriverFolder(const char* folder);

// ".\Driver\<folder>"; nothing unless the folder is usable.
std::optional<std::string> DriverFolderPath(const char* folder);

// One mode as the mode list shows it: "640 X 480  16".
std::string FormatDisplayMode(const DisplayMode& mode);

// The mode list for `driverIndex`: a driver the launcher copies has one mode,
// the first (so its mode is always 0); any other has modes 0 to modeCount - 2
// and then the label, which takes the last mode's place. Each text is at most
// 49 characters.
std::vector<std::string> ModeListTexts(const DriverCatalog& catalog, std::int32_t driverIndex);

}  // namespace video
