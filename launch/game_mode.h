// GameMode.dat, written for the game before every start: the game mode and the
// time of the start request, "%d::%d::%d::%d" of the UTC month, day, hour and
// minute.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace launch {

constexpr std::size_t kTimeStampSize = 128;

struct TimeStamp {
  char text[kTimeStampSize] = {};
};

// Clears `stamp` and writes the four numbers into it, without leading zeros:
// 9 March, 14:05 gives "3::9::14::5".
void MakeTimeStamp(int month, int day, int hour, int minute, TimeStamp& stamp);

// The two lines, CR LF each: the game mode, then the time stamp.
std::string FormatGameModeFile(std::int32_t gameMode, const TimeStamp& stamp);

// The game mode of every start.
constexpr std::int32_t kGameMode = 0;

}  // namespace launch
