#include "settings/audio/audio_settings.h"
#include "settings/scroll_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

std::vector<std::int32_t> Fields(const audio::AudioSettings& s) {
  return {s.customized, s.musicLevel, s.soundLevel};
}

std::int32_t Scrolled(std::int32_t level, int code, int thumb) {
  return settings::ScrolledLevel(level, code, static_cast<std::int16_t>(thumb), audio::kHighestLevel);
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
  const auto thumb = [](std::int32_t level) { return std::clamp(level, 0, 50); };
  for (int run = 0; run < 5000; ++run) {
    audio::AudioSettings levels{pick(-1, 2), pick(-20, 80), pick(-20, 80)};
    const bool own = levels.customized != 0;
    std::int32_t level[2] = {own ? levels.musicLevel : 25, own ? levels.soundLevel : 25};
    std::string mark = own ? "1" : "0", steps = audio::FormatAudioSettings(levels);
    audio::ApplyDefaultsUnlessCustomized(levels);
    for (int step = pick(0, 6);; --step) {
      ASSERT_EQ(audio::FormatAudioSettings(levels), mark + "\r\nMusic " + std::to_string(thumb(level[0])) +
                                                        "\r\nSound " + std::to_string(thumb(level[1])) +
                                                        "\r\n")
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
          level[bar] = Scrolled(level[bar], code, position);
        }
        mark = "1";
      }
      steps += " " + std::to_string(bar) + "/" + std::to_string(code);
    }
  }
}

TEST(AudioSettings, ReaderCases) {
  const struct Case {
    const char* what;
    std::string bytes;
    std::vector<std::int32_t> expected;  // from 9, 9, 9
  } cases[] = {
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
  for (const Case& c : cases) {
    audio::AudioSettings settings{9, 9, 9};
    audio::ParseAudioSettings(c.bytes, settings);
    EXPECT_EQ(Fields(settings), c.expected) << c.what;
  }
}

// The audio bars' steps, 0 to 50.
TEST(ScrollSteps, EachScrollCodeMovesALevelWithin0ToTheHighest) {
  const struct {
    int level, code, thumb, expected;
  } cases[] = {
      {25, 0, 0, 15},  {5, 0, 0, 0},    {25, 1, 0, 35}, {45, 3, 0, 50}, {50, 3, 0, 50}, {5, 2, 0, 0},
      {25, 4, 17, 17}, {25, 5, 42, 42}, {25, 6, 0, 0},  {25, 7, 0, 50}, {25, 8, 0, 25}, {70, 0, 0, 60},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Scrolled(c.level, c.code, c.thumb), c.expected) << c.level << " code " << c.code;
  }
  // Levels read beyond 32 bits sit at its ends: a step never wraps round.
  EXPECT_EQ(Scrolled(INT32_MAX, 1, 0), 50);
  EXPECT_EQ(Scrolled(INT32_MAX, 3, 0), 50);
  EXPECT_EQ(Scrolled(INT32_MAX, 0, 0), INT32_MAX - 10);
  EXPECT_EQ(Scrolled(INT32_MIN, 0, 0), 0);
  EXPECT_EQ(Scrolled(INT32_MIN, 2, 0), 0);
}

}  // namespace
