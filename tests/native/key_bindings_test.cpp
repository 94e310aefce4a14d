#include "settings/input/key_bindings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

// The file after RESET and DONE: the built-in set.
const std::string kBuiltInFile =
    "0\r\n#1p-Up 328\r\n#1p-Left 331\r\n#1p-Right 333\r\n#1p-Down 336\r\n#1p-Fire01 26\r\n#1p-Fire02 27\r\n"
    "#2p-Up 17\r\n#2p-Left 30\r\n#2p-Right 32\r\n#2p-Down 31\r\n#2p-Fire01 42\r\n#2p-Fire02 29\r\n"
    "#JoyStick 0\r\n";

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

int CountLines(const std::string& bytes) {
  int crlf = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "a bare LF at " << i;
      ++crlf;
    }
  }
  return crlf;
}

TEST(KeyBindings, ResetThenDoneWritesTheBuiltInSetAndReadsItBack) {
  input::InputSettings settings = Earlier();
  input::DefaultBindings defaults;
  std::int32_t pending = 0;
  input::LoadDefaultBindings(defaults, settings);  // RESET
  settings.customKeys = 0;
  pending = 1;
  EXPECT_EQ(settings.joystickSwap, 0);
  EXPECT_STREQ(defaults.names[4], "[");
  EXPECT_STREQ(defaults.names[10], "Shift");

  const std::string bytes = input::FormatKeyBindingsWrite(settings, defaults, pending);  // DONE
  EXPECT_EQ(bytes, kBuiltInFile);
  EXPECT_EQ(pending, 0);
  EXPECT_EQ(settings.customKeys, 0);
  EXPECT_EQ(settings.bindings[0], 100) << "the bindings in memory are not the ones written";

  input::InputSettings read = Earlier();
  input::ParseKeyBindings(bytes, read);
  EXPECT_EQ(Fields(read),
            (std::vector<std::int32_t>{0, 328, 331, 333, 336, 26, 27, 17, 30, 32, 31, 42, 29, 0}));
}

TEST(KeyBindings, AnOrdinaryWriteMarksTheSetCustomAndKeepsFourteenLines) {
  for (const std::int32_t customKeys : {0, 1, 7}) {
    input::InputSettings settings = Earlier();
    settings.customKeys = customKeys;
    settings.bindings[9] = 399;
    settings.bindings[10] = 400;
    settings.bindings[11] = INT32_MIN;
    settings.joystickSwap = INT32_MIN;
    input::DefaultBindings defaults;
    std::int32_t pending = 0;
    const std::string bytes = input::FormatKeyBindingsWrite(settings, defaults, pending);
    EXPECT_EQ(settings.customKeys, 1);
    EXPECT_EQ(bytes.substr(0, 15), "1\r\n#1p-Up 100\r\n");
    // Codes outside the key numbering go back as no key, any swap as 1.
    EXPECT_NE(bytes.find("#2p-Down 399\r\n#2p-Fire01 0\r\n#2p-Fire02 0\r\n#JoyStick 1\r\n"),
              std::string::npos)
        << bytes;
    EXPECT_EQ(CountLines(bytes), 14);

    input::InputSettings read;
    input::ParseKeyBindings(bytes, read);
    settings.bindings[10] = settings.bindings[11] = 0;
    settings.joystickSwap = 1;
    EXPECT_EQ(Fields(read), Fields(settings));
  }
}

TEST(KeyBindings, ReaderCases) {
  struct Change {
    int field;
    std::int32_t value;
  };
  const struct Case {
    const char* what;
    std::string bytes;
    std::vector<Change> changes;
  } cases[] = {
      {"only the first value and the joystick", "1\r\n#JoyStick 1\r\n", {{kCustom, 1}, {kSwap, 1}}},
      {"another order, tabs, blank lines after the first value",
       "1\r\n\r\n  \r\n#2p-Down\t5\r\n\t#1p-Up \t 6\r\n#JoyStick\t\t0\r\n",
       {{kCustom, 1}, {9, 5}, {0, 6}, {kSwap, 0}}},
      {"keys differ in case", "1\r\n#1p-up 5\r\n#JOYSTICK 1\r\n", {{kCustom, 1}}},
      {"hexadecimal, negative, words, plus sign",
       "0\r\n#1p-Up 0x1F\r\n#1p-Left -3\r\n#1p-Right abc\r\n#1p-Down +4\r\n",
       {{kCustom, 0}, {0, 0}, {1, -3}, {2, 0}, {3, 4}}},
      {"numbers beyond 32 bits",
       "99999999999\r\n#1p-Up 99999999999\r\n#1p-Left -99999999999\r\n",
       {{kCustom, INT32_MAX}, {0, INT32_MAX}, {1, INT32_MIN}}},
      {"a later line wins", "1\r\n#1p-Up 5\r\n#1p-Up 6\r\n", {{kCustom, 1}, {0, 6}}},
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
    for (const Change& change : c.changes) {
      expected[change.field + 1] = change.value;
    }
    input::ParseKeyBindings(c.bytes, settings);
    EXPECT_EQ(Fields(settings), expected) << c.what;
  }
}

}  // namespace
