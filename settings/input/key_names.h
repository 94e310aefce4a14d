// The game's key numbering and the table that names each key. A KeyCode is the
// keyboard's set-1 scan code in its low 8 bits, plus 0x100 for an extended key
// (the arrow and navigation block, keypad Enter and keypad "/"); 0 is no key.
#pragma once

#include <cstddef>
#include <cstdint>

namespace input {

using KeyCode = std::int32_t;

constexpr int kKeyCodeCount = 400;
constexpr std::size_t kKeyNameSize = 20;

// One entry per KeyCode: the virtual-key code the key produces and its display
// name, as two parallel arrays. Unused entries hold 0 and an empty name.
struct KeyNameTable {
  std::uint32_t virtualKey[kKeyCodeCount] = {};
  char name[kKeyCodeCount][kKeyNameSize] = {};
};

// Writes the virtual-key code and name of each of the 90 keys the game knows;
// every other entry is left alone, so filling again changes nothing.
void FillKeyNameTable(KeyNameTable& table);

// The first KeyCode, in index order, whose entry carries `virtualKey`; 0 when
// none does (the key cannot be bound). Both Enter keys give 0x1C.
KeyCode FindKeyCode(const KeyNameTable& table, std::uint32_t virtualKey);

// The display name of `code`; empty for a code without an entry, including any
// code outside 0..399, which never indexes the table.
const char* KeyName(const KeyNameTable& table, KeyCode code);

// The table filled once, on first use, and never written again: the one the
// input dialog names and finds keys in.
const KeyNameTable& FixedKeyNameTable();

}  // namespace input
