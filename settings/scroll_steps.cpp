#include "settings/scroll_steps.h"

namespace settings {

std::int32_t ScrolledLevel(std::int32_t level, int scrollCode, std::int16_t thumbPosition,
                           std::int32_t highest) {
  // A level read from a file may lie anywhere in the 32-bit range; a step from
  // it is worked in 64 bits so that it never wraps round to the other end.
  constexpr std::int64_t kStep = 10;
  const std::int64_t wide = level;
  switch (scrollCode) {
    case 0:  // line left
    case 2:  // page left
      return wide - kStep < 0 ? 0 : static_cast<std::int32_t>(wide - kStep);
    case 1:  // line right
    case 3:  // page right
      return wide + kStep > highest ? highest : static_cast<std::int32_t>(wide + kStep);
    case 4:  // thumb position
    case 5:  // thumb track
      return thumbPosition;
    case 6:  // left end
      return 0;
    case 7:  // right end
      return highest;
    default:
      return level;
  }
}

}  // namespace settings
