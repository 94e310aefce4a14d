// Audio.cfg: the music and sound levels for the game, three lines: customized,
// "Music <level>" and "Sound <level>".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace audio {

constexpr std::int32_t kDefaultLevel = 25;

struct AudioSettings {
  std::int32_t customized = 0;  // 1: levels chosen by the player; 0: the defaults apply
  std::int32_t musicLevel = 0;  // 0 to 50 as the dialog sets it; stored as read, written within 0 to 50
  std::int32_t soundLevel = 0;
};

// The levels a dialog shows, which the settings then hold: the player's own
// when customized, otherwise kDefaultLevel for both.
void ApplyDefaultsUnlessCustomized(AudioSettings& settings);

extern const char kMusicKey[];
extern const char kSoundKey[];

// The first value goes to customized ("%d\n"); then the next two lines that
// hold anything but white space are read, in either order, and a line keyed
// "Music" or "Sound" (exact, case-sensitive) sets that level. A line with
// another key or without a value, or a line the file does not have, changes
// nothing; anything after those two lines is not read.
void ParseAudioSettings(std::string_view fileBytes, AudioSettings& settings);

constexpr std::int32_t kLowestLevel = 0;
constexpr std::int32_t kHighestLevel = 50;

// What the dialog's choices make of the levels it shows, which DONE saves. A
// step of the music bar (0) or the sound bar (1), by scroll code and thumb
// position: that level moves as settings::ScrolledLevel says, and, whatever
// the bar, the levels become the player's own.
void StepLevel(AudioSettings& settings, int bar, int scrollCode, std::int16_t thumbPosition);
// DEFAULT: the default levels, no longer the player's own.
void ChooseDefaultLevels(AudioSettings& settings);

// The three lines, CR LF each, Music before Sound. The file holds what the
// dialog shows: customized as 0 or 1, and each level as its bar's thumb shows
// it, held within 0 to 50 (a level read from the file stays as read in memory
// until a bar moves it, but is never written back out of range).
std::string FormatAudioSettings(const AudioSettings& settings);

}  // namespace audio
