// A settings dialog's scroll bar as its table gives it, for a level between 0
// and `highest`: a line or a page (codes 0 to 3) moves it 10 to the left, but
// not below 0, or 10 to the right, but not above `highest`; the thumb codes
// (4, 5) take the position the message carries; the ends (6, 7) give 0 or
// `highest`; any other code leaves it.
#pragma once

#include <algorithm>
#include <cstdint>

inline std::int64_t Stepped(std::int64_t level, int code, int thumb, std::int64_t highest) {
  const std::int64_t left = std::max<std::int64_t>(level - 10, 0), right = std::min(level + 10, highest);
  const std::int64_t to[] = {left, right, left, right, thumb, thumb, 0, highest};
  return code >= 0 && code < 8 ? to[code] : level;
}
