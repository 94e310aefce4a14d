#include "settings/input/key_names.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <utility>

namespace {

using Key = std::pair<std::string, unsigned>;  // name (to its end, or all 20 bytes), virtual key

Key At(const input::KeyNameTable& t, input::KeyCode code) {
  return {std::string(t.name[code], strnlen(t.name[code], 20)), t.virtualKey[code]};
}

// 400 entries of a virtual key and a 20-character name, 90 named (not entry
// 0), each of at most 9 characters and ended at its length; a fill writes
// those alone, the same each time. An extended key is its scan code + 0x100,
// beside the key of that scan code (keypad's, Enter, "/"); a digit or letter is
// named by its character, its virtual key. A virtual key finds the first code
// with it, 0 for none: each key its own, keypad Enter the main one.
TEST(KeyNameTable, HoldsTheNinetyKeysEndedAtTheirLengthAndFindsEachByItsVirtualKey) {
  static_assert(sizeof(input::KeyNameTable::virtualKey) == 400 * 4 &&
                sizeof(input::KeyNameTable::name) == 400 * 20);
  const std::tuple<input::KeyCode, Key, const char*> kExtended[] = {
      {0x11C, {"Enter", 0x0D}, "Enter"},  {0x135, {"Num /", 0x6F}, "/"},
      {0x147, {"Home", 0x24}, "Num 7"},   {0x148, {"Up", 0x26}, "Num 8"},
      {0x149, {"PageUp", 0x21}, "Num 9"}, {0x14B, {"Left", 0x25}, "Num 4"},
      {0x14D, {"Right", 0x27}, "Num 6"},  {0x14F, {"End", 0x23}, "Num 1"},
      {0x150, {"Down", 0x28}, "Num 2"},   {0x151, {"PageDown", 0x22}, "Num 3"},
      {0x152, {"Ins", 0x2D}, "Num 0"},    {0x153, {"Del", 0x2E}, "Num Del"}};
  const std::string rows = "  1234567890    QWERTYUIOP    ASDFGHJKL     ZXCVBNM";  // by code
  const input::KeyNameTable& table = input::FixedKeyNameTable();
  input::KeyNameTable over;
  std::memset(static_cast<void*>(&over), 'x', sizeof over);
  input::FillKeyNameTable(over);
  input::FillKeyNameTable(over);
  int named = 0;
  for (int code = 0; code < 400; ++code) {
    const Key key = At(table, code);
    named += !key.first.empty();
    EXPECT_TRUE(key.first.size() <= 9 && key.first.empty() == (key.second == 0)) << code;
    EXPECT_EQ(At(over, code), (key.first.empty() ? Key{std::string(20, 'x'), 0x78787878} : key)) << code;
    EXPECT_TRUE(code >= 51 || rows[code] == ' ' || key == Key(rows.substr(code, 1), rows[code])) << code;
    EXPECT_TRUE(code == 0 || key.second == 0 ||
                input::FindKeyCode(table, key.second) == (code == 0x11C ? 0x1C : code))
        << code;
  }
  EXPECT_EQ(named, 90);
  for (const auto& [code, key, twin] : kExtended) {
    EXPECT_EQ(At(table, code), key);
    EXPECT_STREQ(input::KeyName(table, code - 0x100), twin);
  }
  // No key for Tab, backslash, right Shift, Alt, Caps, Num or Scroll Lock; no
  // name for a code outside 0 to 399.
  for (const unsigned virtualKey : {0x09u, 0x12u, 0x14u, 0x90u, 0x91u, 0xFFFFFFFFu}) {
    EXPECT_EQ(input::FindKeyCode(table, virtualKey), 0) << virtualKey;
  }
  for (const int code : {0, 0x0F, 0x2B, 0x36, 0x38, 0x3A, 0x45, 0x46, -1, 400, 5000, INT32_MIN, INT32_MAX}) {
    EXPECT_STREQ(input::KeyName(table, code), "") << code;
  }
}

}  // namespace
