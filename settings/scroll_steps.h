// The scroll bars of the settings dialogs: what one scroll-bar message does to
// a level between 0 and a highest value.
#pragma once

#include <cstdint>

namespace settings {

// A line or a page moves the level by 10 within 0 to `highest`, the thumb
// codes take `thumbPosition` (a signed 16-bit value, as the message carries
// it), the ends go to 0 or `highest`, and any other code leaves it as it is.
std::int32_t ScrolledLevel(std::int32_t level, int scrollCode, std::int16_t thumbPosition,
                           std::int32_t highest);

}  // namespace settings
