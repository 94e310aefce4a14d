#include "common/handle_ledger.h"

#include <atomic>

namespace ledger {

namespace {

// Constant-initialised, so owners that live in static storage may count
// before and after everything else.
std::atomic<std::int32_t> counts[kKindCount];

std::atomic<std::int32_t>& CountOf(Kind kind) {
  return counts[static_cast<std::size_t>(kind)];
}

}  // namespace

const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::kBitmap:
      return "bitmap";
    case Kind::kPalette:
      return "palette";
    case Kind::kMemoryDc:
      return "memory DC";
    case Kind::kWindowDc:
      return "window DC";
    case Kind::kFont:
      return "font";
    case Kind::kBrush:
      return "brush";
    case Kind::kRegion:
      return "region";
    case Kind::kWindow:
      return "window";
  }
  return "?";
}

void Add(Kind kind) {
  CountOf(kind).fetch_add(1, std::memory_order_relaxed);
}

void Remove(Kind kind) {
  CountOf(kind).fetch_sub(1, std::memory_order_relaxed);
}

Snapshot Take() {
  Snapshot snapshot;
  for (std::size_t i = 0; i < kKindCount; ++i) {
    snapshot.counts[i] = counts[i].load(std::memory_order_relaxed);
  }
  return snapshot;
}

std::string Describe(const Snapshot& snapshot) {
  std::string text;
  for (std::size_t i = 0; i < kKindCount; ++i) {
    if (!text.empty()) {
      text += ", ";
    }
    text += KindName(static_cast<Kind>(i));
    text += ' ';
    text += std::to_string(snapshot.counts[i]);
  }
  return text;
}

std::string Changes(const Snapshot& from, const Snapshot& to) {
  std::string text;
  for (std::size_t i = 0; i < kKindCount; ++i) {
    const std::int64_t change = static_cast<std::int64_t>(to.counts[i]) - from.counts[i];
    if (change == 0) {
      continue;
    }
    if (!text.empty()) {
      text += ", ";
    }
    text += KindName(static_cast<Kind>(i));
    text += change > 0 ? " +" : " ";
    text += std::to_string(change);
  }
  return text;
}

}  // namespace ledger
