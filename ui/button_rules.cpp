#include "ui/button_rules.h"

namespace buttons {

std::optional<std::size_t> FirstHit(std::span<const Rect> rects, std::int32_t x, std::int32_t y,
                                    std::span<const bool> considered) {
  for (std::size_t i = 0; i < rects.size(); ++i) {
    const bool counts = considered.empty() || (i < considered.size() && considered[i]);
    if (counts && rects[i].Contains(x, y)) {
      return i;
    }
  }
  return std::nullopt;
}

}  // namespace buttons
