#include "launch/game_mode.h"

#include "common/bounded_text.h"
#include "common/text_mode.h"

namespace launch {

void MakeTimeStamp(int month, int day, int hour, int minute, TimeStamp& stamp) {
  stamp = TimeStamp{};
  std::string line = std::to_string(month);
  for (const int part : {day, hour, minute}) {
    line += "::";
    line += std::to_string(part);
  }
  text::CopyBounded(stamp.text, line);
}

std::string FormatGameModeFile(std::int32_t gameMode, const TimeStamp& stamp) {
  std::string lines = std::to_string(gameMode);
  lines += '\n';
  lines += text::AsCString(std::string_view(stamp.text, sizeof stamp.text));
  lines += '\n';
  return text::EncodeTextMode(lines);
}

}  // namespace launch
