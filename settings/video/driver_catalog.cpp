#include "settings/video/driver_catalog.h"

#include <cstring>

#include <algorithm>

#include "common/bounded_text.h"
#include "common/text_mode.h"

namespace video {

namespace {

// The value of a "#D" or "#N" line: false when the line's first token is not
// `tag` or nothing follows the tag's separator.
bool TaggedValue(std::string_view piece, std::string_view tag, std::string_view& value) {
  const std::string_view line = text::AsCString(piece);
  // A line end ends the tag; only a blank or a tab after it starts a value.
  const text::Token first = text::FirstToken(line, " \t\n");
  if (first.text != tag || first.end >= line.size() || line[first.end] == '\n') {
    return false;
  }
  value = line.substr(first.end + 1);
  if (!value.empty() && value.back() == '\n') {
    value.remove_suffix(1);
  }
  return !value.empty();
}

void ReadTaggedLine(text::Scanner& scanner, std::string_view tag, char* field, std::size_t capacity) {
  std::string piece;
  std::string_view value;
  if (scanner.ReadLine(piece, 256) && TaggedValue(piece, tag, value)) {
    text::CopyBounded(field, capacity, value);
  }
}

// "%d %d %d\n": stops at the first number that is not there.
void ScanMode(text::Scanner& scanner, DisplayMode& mode) {
  if (scanner.ScanInt(mode.width) && scanner.ScanInt(mode.height)) {
    scanner.ScanIntLine(mode.bitsPerPixel);
  }
}

std::int32_t StoredCount(std::int32_t count, std::int32_t limit) {
  return std::clamp(count, 0, limit);
}

}  // namespace

void ParseDriverCatalog(std::string_view fileBytes, DriverCatalog& catalog) {
  const std::string decoded = text::DecodeTextMode(fileBytes);
  text::Scanner scanner(decoded);

  std::int32_t driverCount = catalog.driverCount;
  scanner.ScanIntLine(driverCount);
  for (std::int32_t i = 0; i < driverCount; ++i) {
    if (i < kMaxDrivers) {
      DriverEntry& entry = catalog.drivers[i];
      // One character more than a folder may have, so that a folder too long
      // for its path is known as such rather than cut into another name.
      ReadTaggedLine(scanner, "#D", entry.folder, kFolderUsable + 2);
      ReadTaggedLine(scanner, "#N", entry.name, sizeof entry.name);
    } else {
      // Beyond the records: the pairs are read and dropped. Every read moves
      // on, so this ends with the text.
      std::string piece;
      if (!scanner.ReadLine(piece, 256) || !scanner.ReadLine(piece, 256)) {
        break;
      }
    }
  }
  catalog.driverCount = StoredCount(driverCount, kMaxDrivers);

  std::int32_t modeCount = catalog.modeCount;
  scanner.ScanIntLine(modeCount);
  for (std::int32_t i = 0; i < modeCount; ++i) {
    if (i < kMaxModes) {
      ScanMode(scanner, catalog.modes[i]);
    } else {
      // A read that does not move on would not move on again: stop there.
      const std::size_t before = scanner.Position();
      DisplayMode dropped;
      ScanMode(scanner, dropped);
      if (scanner.Position() == before) {
        break;
      }
    }
  }
  catalog.modeCount = StoredCount(modeCount, kMaxModes);

  std::string piece;
  if (scanner.ReadLine(piece, 256)) {
    std::string_view label = text::AsCString(piece);
    if (!label.empty() && label.back() == '\n') {
      label.remove_suffix(1);
    }
    text::CopyBounded(catalog.lastModeLabel, label);
  }
}

std::string FormatDisplayMode(const DisplayMode& mode) {
  std::string line = std::to_string(mode.width);
  line += " X ";
  line += std::to_string(mode.height);
  line += "  ";
  line += std::to_string(mode.bitsPerPixel);
  return line;
}

std::vector<std::string> ModeListTexts(const DriverCatalog& catalog, std::int32_t driverIndex) {
  std::vector<std::string> texts;
  const auto add = [&texts](std::string_view entry) {
    texts.emplace_back(text::AsCString(entry).substr(0, kModeTextSize - 1));
  };
  if (DriverKindOf(driverIndex) == DriverKind::kCopied) {
    add(FormatDisplayMode(catalog.modes[0]));
    return texts;
  }
  const std::int32_t shown = StoredCount(catalog.modeCount, kMaxModes) - 1;
  for (std::int32_t i = 0; i < shown; ++i) {
    add(FormatDisplayMode(catalog.modes[i]));
  }
  add(catalog.lastModeLabel);
  return texts;
}

DriverKind DriverKindOf(std::int32_t driverIndex) {
  if (driverIndex == 0) {
    return DriverKind::kSystem;
  }
  return driverIndex >= 1 && driverIndex <= 3 ? DriverKind::kCopied : DriverKind::kByHand;
}

bool FolderFits(const char* folder) {
  return strnlen(folder, kDriverFolderSize) <= kFolderUsable;
}

FolderCheck CheckDriverFolder(const char* folder) {
  if (folder == nullptr) {
    return FolderCheck::kNotOneName;
  }
  const std::string_view name(folder, strnlen(folder, kDriverFolderSize));
  if (name.empty() || name.find_first_of("\\/:") != std::string_view::npos ||
      name.find_first_not_of('.') == std::string_view::npos) {
    return FolderCheck::kNotOneName;
  }
  return FolderFits(folder) ? FolderCheck::kUsable : FolderCheck::kTooLong;
}

std::optional<std::string> DriverFolderPath(const char* folder) {
  if (CheckDriverFolder(folder) != FolderCheck::kUsable) {
    return std::nullopt;
  }
  return std::string(kDriverFolderPrefix) + folder;
}

}  // namespace video
