#include "settings/scroll_steps.h"

namespace settings {

std::int32_t ScrolledLevel(std::int32_t level, int scrollCode, std::int16_t thumbPosition,
                           std::int32_t highest) {
  constexpr std::int32_t kStep = 10;
  switch (scrollCode) {
    case 0:  // line left
    case 2:  // page left
      return level - kStep < 0 ? 0 : level - kStep;
    case 1:  // line right
    case 3:  // page right
      return level + kStep > highest ? highest : level + kStep;
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
