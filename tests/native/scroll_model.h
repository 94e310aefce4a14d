// A settings dialog's scroll bar as its table gives it, for a level within 0
// and `highest`: a line or a page 10 left, not below 0, or right, not above
// `highest`; the thumb where the message puts it; the ends; else no change.
#pragma once

#include <algorithm>
#include <cstdint>

inline std::int64_t Stepped(std::int64_t level, int code, int thumb, std::int64_t highest) {
  const std::int64_t left = std::max<std::int64_t>(level - 10, 0), right = std::min(level + 10, highest);
  const std::int64_t to[] = {left, right, left, right, thumb, thumb, 0, highest};
  return code >= 0 && code < 8 ? to[code] : level;
}
