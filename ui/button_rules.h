// The decisions of the bitmap buttons, apart from drawing: where a point
// falls, and what a pointer movement does to a button's hover state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace buttons {

struct Rect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  // Left and top edges are inside, right and bottom edges outside.
  constexpr bool Contains(std::int32_t x, std::int32_t y) const {
    return left <= x && x < right && top <= y && y < bottom;
  }
};

enum class HoverChange { kNone, kEnter, kLeave };

// What one movement to (x, y) does to a button that is (or is not) lit.
constexpr HoverChange HoverStep(const Rect& rect, bool lit, std::int32_t x, std::int32_t y) {
  const bool inside = rect.Contains(x, y);
  if (inside && !lit) {
    return HoverChange::kEnter;
  }
  if (!inside && lit) {
    return HoverChange::kLeave;
  }
  return HoverChange::kNone;
}

// The first of `rects`, in order, that holds the point and is taken into
// account (`considered`, when given); nothing when none does.
std::optional<std::size_t> FirstHit(std::span<const Rect> rects, std::int32_t x, std::int32_t y,
                                    std::span<const bool> considered = {});

}  // namespace buttons
