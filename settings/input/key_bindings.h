// keyvalue.cfg: the two players' keys and the joystick assignment, as the
// game reads them. 14 lines: customKeys, twelve "key code" lines and the
// joystick line, CR LF each. Also the input dialog's decisions: what its
// boxes and joystick places show during one opening, and what DONE saves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/input/key_names.h"

namespace input {

// Slots 0 to 5: player 1's Up, Left, Right, Down, Fire01, Fire02; 6 to 11 the
// same for player 2.
constexpr int kBindingSlotCount = 12;

struct InputSettings {
  // 0: the file holds the built-in set; 1: the set was saved from the dialog.
  std::int32_t customKeys = 0;
  KeyCode bindings[kBindingSlotCount] = {};
  // 0: joystick 1 serves player 1; any other value: the other way round.
  std::int32_t joystickSwap = 0;
};

// The file key of each slot, then the joystick line's key.
extern const char* const kBindingKeys[kBindingSlotCount];
extern const char kJoystickKey[];

// Reads the file's bytes into `settings`: the first value into customKeys,
// then every line (in pieces of at most 255 characters) whose first token is
// one of the thirteen keys, exactly and case-sensitively; a later line wins.
// Lines with an unknown key, a key without a value or no key at all change
// nothing, and a missing key leaves its field as it was.
void ParseKeyBindings(std::string_view fileBytes, InputSettings& settings);
// The same from nothing: what the file says, 0 wherever it says nothing.
InputSettings ParseKeyBindings(std::string_view fileBytes);

// The 14 lines of a file holding these values, CR LF each. Every value is one
// the game can use: a code outside the key numbering (0 to 399) is written as
// 0, no key, and the joystick line as 0 or 1.
std::string FormatKeyBindings(std::int32_t customKeys, const KeyCode (&codes)[kBindingSlotCount],
                              std::int32_t joystickSwap);
std::string FormatKeyBindings(const InputSettings& settings);

// One opening of the input dialog: what its twelve boxes and two joystick
// places show. DONE saves exactly that (SettingsToSave); CANCEL drops it.
struct KeyEdit {
  // The code behind each box; the box shows its name (none for a code
  // without a name). Always within the key numbering.
  KeyCode shown[kBindingSlotCount] = {};
  // JOYSTICK 2 stands under player 1 and JOYSTICK 1 under player 2.
  bool joysticksSwapped = false;
  // The built-in set shows as RESET put it, no key captured since: DONE marks
  // the file built-in again while the joysticks stand in their own places.
  // A file marked built-in opens showing the set without it: a DONE that
  // follows no RESET marks the file chosen, as every such write does.
  bool builtInSet = false;
};

// What the dialog shows on opening a file read as `read`: a file marked
// built-in (customKeys 0) shows the built-in set with the joysticks in their
// own places, whatever else it holds; any other shows its codes (none for a
// code beyond the key numbering) and its joystick assignment.
KeyEdit OpenKeyEdit(const InputSettings& read);
// A key released in the box of `slot` with `virtualKey`: the box shows and
// holds its code. False, and nothing changes, for a key the game does not
// know (the key name table has no entry for it).
bool CaptureKey(KeyEdit& edit, int slot, std::uint32_t virtualKey);
// RESET: the built-in set, the joysticks in their own places.
void ResetKeys(KeyEdit& edit);
// Either joystick pressed: the two change places.
void SwapJoysticks(KeyEdit& edit);
// What DONE writes: the codes and joystick assignment shown, marked built-in
// (customKeys 0) only for RESET's set untouched, else chosen (1).
InputSettings SettingsToSave(const KeyEdit& edit);

}  // namespace input
