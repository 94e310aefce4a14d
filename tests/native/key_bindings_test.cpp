#include "settings/input/key_bindings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <tuple>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace std::string_literals;

// The built-in set: Up, Left, Right, Down, [, ], W, A, D, S, Shift, Ctrl.
constexpr std::array<int, 12> kBuiltIn = {328, 331, 333, 336, 26, 27, 17, 30, 32, 31, 42, 29};
constexpr const char* kKeys[] = {"#1p-Up", "#1p-Left", "#1p-Right", "#1p-Down", "#1p-Fire01", "#1p-Fire02",
                                 "#2p-Up", "#2p-Left", "#2p-Right", "#2p-Down", "#2p-Fire01", "#2p-Fire02"};
// Keys released in a box: virtual key and the code it binds, 0 for none.
constexpr std::pair<std::uint32_t, int> kReleased[] = {
    {0x26, 328}, {0x0D, 28}, {0x1B, 1}, {'Q', 16}, {0x68, 72}, {0x6E, 83}, {0x2E, 339},    {0x10, 42},
    {0x11, 29},  {0xDB, 26}, {0x09, 0}, {0x14, 0}, {0x12, 0},  {0x6C, 0},  {0xFFFFFFFF, 0}};

// What the player sees: the code behind each box, the joysticks swapped, and
// whether RESET put the built-in set there (no key captured since).
struct Seen {
  std::array<int, 12> codes{};
  bool swapped = false;
  bool reset = false;
};

// The file DONE must leave for what is seen: a write after RESET keeps the
// built-in mark (0) unless the joysticks were swapped since, which a 0 would
// lose; every other write marks the file chosen (1), whatever it held.
std::string FileOf(const Seen& seen) {
  std::string file = seen.reset && !seen.swapped ? "0\r\n" : "1\r\n";
  for (int slot = 0; slot < 12; ++slot) {
    file += std::string(kKeys[slot]) + " " + std::to_string(seen.codes[slot]) + "\r\n";
  }
  return file + "#JoyStick " + (seen.swapped ? "1" : "0") + "\r\n";
}

// A file as a hand or an older launcher may leave it, and what opening it
// must show: any order, repeated and unknown keys, values beyond the keys.
std::pair<std::string, Seen> DamagedFile(std::mt19937& random) {
  const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const std::pair<std::string, int> odd[] = {{"999", 999}, {"-3", -3},  {"99999999999", INT32_MAX},
                                             {"43", 43},   {"x", 0},    {"0x1F", 0},
                                             {"+4", 4},    {"400", 400}};
  // Each line's field (a slot, 12 the joystick, -1 none), text and value.
  std::vector<std::tuple<int, std::string, int>> lines = {
      {-1, "#1p-up 5", 0}, {-1, "\t", 0}, {-1, "#JoyStick", 0}, {-1, "", 0}};
  for (int field = 0; field <= 12; ++field) {
    for (int n = below(3); n > 0; --n) {
      const int plain = below(400);
      const auto [value, meaning] = below(2) == 0 ? odd[below(8)] : std::pair{std::to_string(plain), plain};
      const std::string indent = below(3) == 0 ? "\t" : "";
      const std::string key = field < 12 ? kKeys[field] : "#JoyStick";
      lines.emplace_back(field, indent + key + (below(2) == 0 ? " " : "\t ") + value, meaning);
    }
  }
  std::shuffle(lines.begin(), lines.end(), random);
  const std::pair<std::string, int> first[] = {{"0\r\n", 0},   {"1\r\n", 1},   {"7\r\n\r\n", 7},
                                               {"-1\r\n", -1}, {"abc\r\n", 0}, {"", 0}};
  const auto& [file, custom] = first[below(6)];
  std::string bytes = file;
  Seen seen;
  for (const auto& [field, text, value] : lines) {
    bytes += text + "\r\n";
    if (field == 12) {
      seen.swapped = value != 0;
    } else if (field >= 0) {
      seen.codes[field] = value >= 0 && value < 400 ? value : 0;
    }
  }
  // A file marked built-in shows the built-in set, as if reset but unmarked.
  return {bytes, custom == 0 ? Seen{kBuiltIn, false, false} : seen};
}

testing::AssertionResult Shows(const input::KeyEdit& edit, const Seen& seen) {
  const std::array<int, 12> codes = std::to_array(edit.shown);
  const std::string saved = input::FormatKeyBindings(input::SettingsToSave(edit));
  if (codes != seen.codes || edit.joysticksSwapped != seen.swapped || saved != FileOf(seen)) {
    return testing::AssertionFailure() << "DONE would save\n"
                                       << saved << "where the player sees\n"
                                       << FileOf(seen);
  }
  return testing::AssertionSuccess();
}

// The keys and joysticks DONE saves are the ones shown; RESET shows the
// built-in set, saved as the built-in file until a key is captured or the
// joysticks swapped; CANCEL leaves the file, and the next opening shows it
// as before. Checked after every step of generated sequences against a model
// of what the player sees.
TEST(KeyBindings, EverySequenceSavesWhatTheDialogShows) {
  constexpr std::uint32_t kSeed = 31;
  std::mt19937 random(kSeed);
  const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  for (int sequence = 0; sequence < 3000; ++sequence) {
    auto [file, opened] = DamagedFile(random);
    Seen seen = opened;
    input::KeyEdit edit = input::OpenKeyEdit(input::ParseKeyBindings(file));
    std::string steps = "file:\n" + file + "open";
    for (int step = below(30); step >= 0; --step) {
      ASSERT_TRUE(Shows(edit, seen)) << "seed " << kSeed << ", sequence " << sequence << ": " << steps;
      const int choice = below(20);
      if (choice < 10) {
        const auto [virtualKey, code] = kReleased[below(std::size(kReleased))];
        const int slot = below(12);
        steps += ", key " + std::to_string(virtualKey) + " in " + std::to_string(slot);
        EXPECT_EQ(input::CaptureKey(edit, slot, virtualKey), code != 0);
        if (code != 0) {
          seen.codes[slot] = code;
          seen.reset = false;
        }
      } else if (choice < 12) {
        steps += ", RESET";
        input::ResetKeys(edit);
        seen = {kBuiltIn, false, true};
      } else if (choice < 15) {
        steps += ", JOYSTICK";
        input::SwapJoysticks(edit);
        seen.swapped = !seen.swapped;
      } else {  // closed, then opened again
        if (choice < 17) {
          file = FileOf(seen);
          opened = {seen.codes, seen.swapped, false};
        } else if (choice == 19) {
          std::tie(file, opened) = DamagedFile(random);
        }
        steps += choice < 17 ? ", DONE, open" : choice < 19 ? ", CANCEL, open" : ", another file:\n" + file;
        seen = opened;
        edit = input::OpenKeyEdit(input::ParseKeyBindings(file));
      }
    }
  }
}

constexpr int kCustom = -1;
constexpr int kSwap = 12;

// The fields as one list: customKeys, the twelve bindings, joystickSwap.
std::vector<std::int32_t> Fields(const input::InputSettings& s) {
  std::vector<std::int32_t> fields{s.customKeys};
  fields.insert(fields.end(), std::begin(s.bindings), std::end(s.bindings));
  fields.push_back(s.joystickSwap);
  return fields;
}

input::InputSettings Earlier() {
  input::InputSettings s;
  s.customKeys = 9;
  for (int slot = 0; slot < input::kBindingSlotCount; ++slot) {
    s.bindings[slot] = 100 + slot;
  }
  s.joystickSwap = 9;
  return s;
}

// The reader's exact fields, which the game's own check reads too.
TEST(KeyBindings, ReaderCases) {
  const struct Case {
    const char* what;
    std::string bytes;
    std::vector<std::pair<int, std::int32_t>> changes;  // field, value
  } cases[] = {
      {"only the first value and the joystick", "1\r\n#JoyStick 1\r\n", {{kCustom, 1}, {kSwap, 1}}},
      {"hexadecimal, negative, words, plus sign",
       "0\r\n#1p-Up 0x1F\r\n#1p-Left -3\r\n#1p-Right abc\r\n#1p-Down +4\r\n",
       {{kCustom, 0}, {0, 0}, {1, -3}, {2, 0}, {3, 4}}},
      {"numbers beyond 32 bits",
       "99999999999\r\n#1p-Up 99999999999\r\n#1p-Left -99999999999\r\n",
       {{kCustom, INT32_MAX}, {0, INT32_MAX}, {1, INT32_MIN}}},
      {"keys without values", "1\r\n#1p-Up\r\n#1p-Left   \t\r\n#1p-Right \r\n#JoyStick", {{kCustom, 1}}},
      {"white space only at the end without a line end", "1\r\n#1p-Up 3\r\n \t ", {{kCustom, 1}, {0, 3}}},
      {"no final line end", "1\r\n#2p-Fire02 12", {{kCustom, 1}, {11, 12}}},
      {"no first value", "#1p-Up 5\r\n", {{0, 5}}},
      {"a word for the first value", "abc\r\n#1p-Up 5\r\n", {{0, 5}}},
      {"an empty file", "", {}},
      {"a value stops at a NUL byte",
       "1\r\n#1p-Up 4\0 5\r\n#1p-Left \0 5\r\n\0#1p-Right 5\r\n"s,
       {{kCustom, 1}, {0, 4}}},
      {"a lone CR stays inside the line", "1\r\n#1p-Up 6\r#1p-Left 7\r\n", {{kCustom, 1}, {0, 6}}},
      {"Ctrl-Z ends the file", "1\r\n#1p-Up 6\r\n\x1A#1p-Left 7\r\n", {{kCustom, 1}, {0, 6}}},
      {"a long line is read in pieces of 255",
       "1\r\n#1p-Left " + std::string(300, ' ') + "7\r\n" + std::string(255, 'x') + "#1p-Up 9\r\n",
       {{kCustom, 1}, {0, 9}}},
  };
  for (const Case& c : cases) {
    input::InputSettings settings = Earlier();
    std::vector<std::int32_t> expected = Fields(settings);
    for (const auto& [field, value] : c.changes) {
      expected[field + 1] = value;
    }
    input::ParseKeyBindings(c.bytes, settings);
    EXPECT_EQ(Fields(settings), expected) << c.what;
  }
}

}  // namespace
