#include "settings/audio/audio_settings.h"
#include "settings/scroll_steps.h"
#include "tests/native/scroll_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace std::string_literals;

std::vector<std::int32_t> Fields(const audio::AudioSettings& s) {
  return {s.customized, s.musicLevel, s.soundLevel};
}

TEST(AudioSettings, WritesThreeLinesMusicFirst) {
  EXPECT_EQ(audio::FormatAudioSettings({0, 25, 25}), "0\r\nMusic 25\r\nSound 25\r\n");
  // Levels read beyond the bars' range go back as the thumbs show them, and
  // any customized value other than 0 as 1.
  EXPECT_EQ(audio::FormatAudioSettings({1, -5, 70}), "1\r\nMusic 0\r\nSound 50\r\n");
  EXPECT_EQ(audio::FormatAudioSettings({INT32_MAX, INT32_MIN, INT32_MAX}), "1\r\nMusic 0\r\nSound 50\r\n");
  EXPECT_EQ(audio::FormatAudioSettings({-1, 0, 50}), "1\r\nMusic 0\r\nSound 50\r\n");

  audio::AudioSettings settings;
  audio::ParseAudioSettings("1\r\nSound 10\r\nMusic 40\r\n", settings);
  EXPECT_EQ(Fields(settings), (std::vector<std::int32_t>{1, 40, 10}));
  EXPECT_EQ(audio::FormatAudioSettings(settings), "1\r\nMusic 40\r\nSound 10\r\n");
}

// Every sequence of steps on either bar and DEFAULT, from every file: DONE
// saves the levels as the thumbs show them (a level read beyond a bar stays as
// read until its own bar moves it), marked the player's own after any step
// and the defaults after DEFAULT.
TEST(AudioSettings, DoneSavesWhatTheThumbsShowOverEverySequence) {
  std::mt19937 random(20261210);
  const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  const auto thumb = [](std::int64_t at) { return std::to_string(std::clamp<std::int64_t>(at, 0, 50)); };
  for (int run = 0; run < 5000; ++run) {
    audio::AudioSettings levels{pick(-1, 2), pick(-20, 80), pick(-20, 80)};
    const bool own = levels.customized != 0;
    std::int64_t level[2] = {own ? levels.musicLevel : 25, own ? levels.soundLevel : 25};
    std::string mark = own ? "1" : "0", steps = audio::FormatAudioSettings(levels);
    audio::ApplyDefaultsUnlessCustomized(levels);
    for (int step = pick(0, 6);; --step) {
      ASSERT_EQ(audio::FormatAudioSettings(levels),
                mark + "\r\nMusic " + thumb(level[0]) + "\r\nSound " + thumb(level[1]) + "\r\n")
          << steps;
      if (step == 0) {
        break;
      }
      const int bar = pick(0, 3), code = pick(0, 8), position = pick(-5, 60);
      if (bar == 3) {
        audio::ChooseDefaultLevels(levels);
        level[0] = level[1] = 25, mark = "0";
      } else {
        audio::StepLevel(levels, bar, code, static_cast<std::int16_t>(position));
        if (bar < 2) {
          level[bar] = Stepped(level[bar], code, position, 50);
        }
        mark = "1";
      }
      steps += " " + std::to_string(bar) + "/" + std::to_string(code);
    }
  }
}

TEST(AudioSettings, ReaderCases) {
  // What each file makes of the fields 9, 9, 9.
  const std::tuple<const char*, std::string, std::vector<std::int32_t>> cases[] = {
      {"an empty file", "", {9, 9, 9}},
      {"only the first value", "0", {0, 9, 9}},
      {"levels stored without limits", "1\r\nMusic 70\r\nSound -3\r\n", {1, 70, -3}},
      {"keys differ in case", "1\r\nmusic 5\r\nSOUND 6\r\n", {1, 9, 9}},
      {"tabs and blanks around the value", "1\r\n\tMusic\t 5 \r\nSound   6\r\n", {1, 5, 6}},
      {"keys without values still count", "1\r\nMusic\r\nSound \t\r\nMusic 5\r\n", {1, 9, 9}},
      {"blank lines do not count", "1\r\nMusic 5\r\n\r\n \t\r\nSound 6\r\n", {1, 5, 6}},
      {"only two lines are read", "1\r\nMusic 5\r\nOther 1\r\nSound 6\r\n", {1, 5, 9}},
      {"the same key twice", "1\r\nMusic 5\r\nMusic 7\r\n", {1, 7, 9}},
      {"hexadecimal and huge", "1\r\nMusic 0x20\r\nSound 99999999999\r\n", {1, 0, INT32_MAX}},
      {"no first value", "Music 5\r\nSound 6\r\n", {9, 5, 6}},
      {"no final line end", "1\r\nMusic 5\r\nSound 6", {1, 5, 6}},
      {"a NUL byte ends the line", "1\r\nMusic 5\0 0\r\nSound\0 6\r\n"s, {1, 5, 9}},
      {"a lone CR stays inside the line", "1\r\nMusic 5\rSound 6\r\n", {1, 5, 9}},
      {"Ctrl-Z ends the file", "1\r\nMusic 5\x1A\r\nSound 6\r\n", {1, 5, 9}},
      {"a long line takes both reads",
       "1\r\nMusic " + std::string(300, '4') + "\r\nSound 6\r\n",
       {1, INT32_MAX, 9}},
  };
  for (const auto& [what, bytes, expected] : cases) {
    audio::AudioSettings settings{9, 9, 9};
    audio::ParseAudioSettings(bytes, settings);
    EXPECT_EQ(Fields(settings), expected) << what;
  }
}

// The audio bars' steps, 0 to 50, and the calibration bar's, 0 to 100. A
// level read beyond 32 bits sits at its ends, and a step from it never wraps.
TEST(ScrollSteps, EachScrollCodeMovesALevelWithin0ToTheHighest) {
  for (const std::int32_t highest : {50, 100}) {
    for (const std::int32_t level : {INT32_MIN, -20, 0, 5, 25, 45, 50, 70, 95, 100, 120, INT32_MAX}) {
      for (int code = -1; code <= 9; ++code) {
        for (const int thumb : {-3, 0, 17, 77}) {
          EXPECT_EQ(settings::ScrolledLevel(level, code, static_cast<std::int16_t>(thumb), highest),
                    Stepped(level, code, thumb, highest))
              << level << " code " << code << " thumb " << thumb << " within " << highest;
        }
      }
    }
  }
}

}  // namespace
