// The handle ledger: how many GDI objects and windows the launcher holds at
// this moment, by kind. The platform's own count (GetGuiResources) is not to
// be had everywhere (Wine answers 0 for every process), so the launcher keeps
// its own: the owners in common/win add one when they take an object and take
// one away when they let it go, and every window procedure of the launcher
// counts its window from its first message to its last. Objects kept for the
// whole run (the menu faces and their palettes, the shared palette) are simply
// held all along.
//
// Portable: no windows.h. The counts are atomic, so a reader on another thread
// sees whole values.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace ledger {

enum class Kind {
  kBitmap,
  kPalette,
  kMemoryDc,  // made with CreateCompatibleDC, deleted with DeleteDC
  kWindowDc,  // borrowed with GetDC and not yet given back
  kFont,
  kBrush,
  kRegion,
  kWindow,  // the frame, the stage and the dialogs of the launcher's own procedures
};
constexpr std::size_t kKindCount = 8;

// "bitmap", "palette", "memory DC", ...
const char* KindName(Kind kind);

void Add(Kind kind);
void Remove(Kind kind);

// Every count at one moment.
struct Snapshot {
  std::array<std::int32_t, kKindCount> counts{};

  std::int32_t operator[](Kind kind) const { return counts[static_cast<std::size_t>(kind)]; }
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take();

// Every kind with its count: "bitmap 12, palette 13, memory DC 0, ...".
std::string Describe(const Snapshot& snapshot);

// The kinds whose counts differ, as changes from `from` to `to`:
// "bitmap +2, window -1"; empty when the two are equal.
std::string Changes(const Snapshot& from, const Snapshot& to);

}  // namespace ledger
