#include "settings/input/key_names.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct Key {
  int code;
  const char* name;
  unsigned virtualKey;
};

// Every bindable key, written out by hand: decimal KeyCode, name, virtual key.
const Key kExpected[] = {
    {1, "Escape", 0x1B},  {2, "1", 0x31},          {3, "2", 0x32},        {4, "3", 0x33},
    {5, "4", 0x34},       {6, "5", 0x35},          {7, "6", 0x36},        {8, "7", 0x37},
    {9, "8", 0x38},       {10, "9", 0x39},         {11, "0", 0x30},       {12, "-", 0xBD},
    {13, "=", 0xBB},      {14, "Backspace", 0x08}, {16, "Q", 0x51},       {17, "W", 0x57},
    {18, "E", 0x45},      {19, "R", 0x52},         {20, "T", 0x54},       {21, "Y", 0x59},
    {22, "U", 0x55},      {23, "I", 0x49},         {24, "O", 0x4F},       {25, "P", 0x50},
    {26, "[", 0xDB},      {27, "]", 0xDD},         {28, "Enter", 0x0D},   {29, "Ctrl", 0x11},
    {30, "A", 0x41},      {31, "S", 0x53},         {32, "D", 0x44},       {33, "F", 0x46},
    {34, "G", 0x47},      {35, "H", 0x48},         {36, "J", 0x4A},       {37, "K", 0x4B},
    {38, "L", 0x4C},      {39, ";", 0xBA},         {40, "'", 0xDE},       {41, "`", 0xC0},
    {42, "Shift", 0x10},  {44, "Z", 0x5A},         {45, "X", 0x58},       {46, "C", 0x43},
    {47, "V", 0x56},      {48, "B", 0x42},         {49, "N", 0x4E},       {50, "M", 0x4D},
    {51, ",", 0xBC},      {52, ".", 0xBE},         {53, "/", 0xBF},       {55, "Num *", 0x6A},
    {57, "Space", 0x20},  {59, "F1", 0x70},        {60, "F2", 0x71},      {61, "F3", 0x72},
    {62, "F4", 0x73},     {63, "F5", 0x74},        {64, "F6", 0x75},      {65, "F7", 0x76},
    {66, "F8", 0x77},     {67, "F9", 0x78},        {68, "F10", 0x79},     {71, "Num 7", 0x67},
    {72, "Num 8", 0x68},  {73, "Num 9", 0x69},     {74, "Num -", 0x6D},   {75, "Num 4", 0x64},
    {76, "Num 5", 0x65},  {77, "Num 6", 0x66},     {78, "Num +", 0x6B},   {79, "Num 1", 0x61},
    {80, "Num 2", 0x62},  {81, "Num 3", 0x63},     {82, "Num 0", 0x60},   {83, "Num Del", 0x6E},
    {87, "F11", 0x7A},    {88, "F12", 0x7B},       {284, "Enter", 0x0D},  {309, "Num /", 0x6F},
    {327, "Home", 0x24},  {328, "Up", 0x26},       {329, "PageUp", 0x21}, {331, "Left", 0x25},
    {333, "Right", 0x27}, {335, "End", 0x23},      {336, "Down", 0x28},   {337, "PageDown", 0x22},
    {338, "Ins", 0x2D},   {339, "Del", 0x2E},
};

TEST(KeyNameTable, HoldsExactlyTheNinetyKeysAndNothingElse) {
  ASSERT_EQ(std::size(kExpected), 90u);
  const input::KeyNameTable& table = input::FixedKeyNameTable();
  std::set<int> used;
  for (const Key& key : kExpected) {
    used.insert(key.code);
    EXPECT_EQ(table.virtualKey[key.code], key.virtualKey) << key.code;
    EXPECT_STREQ(input::KeyName(table, key.code), key.name) << key.code;
  }
  for (int code = 0; code < input::kKeyCodeCount; ++code) {
    if (used.count(code) == 0) {
      EXPECT_EQ(table.virtualKey[code], 0u) << code;
      EXPECT_STREQ(input::KeyName(table, code), "") << code;
    }
  }
  for (const int code : {-1, 400, 401, 5000, INT32_MIN, INT32_MAX}) {
    EXPECT_STREQ(input::KeyName(table, code), "") << code;
  }
}

// Both Enter keys give the main one; unknown keys are the generated test's.
TEST(KeyNameTable, FindKeyCodeTakesTheFirstEntryOfAVirtualKey) {
  const input::KeyNameTable& table = input::FixedKeyNameTable();
  for (const Key& key : kExpected) {
    EXPECT_EQ(input::FindKeyCode(table, key.virtualKey), key.code == 284 ? 28 : key.code) << key.name;
  }
}

}  // namespace
