// keyvalue.cfg: the two players' keys and the joystick assignment, as the
// game reads them. 14 lines: customKeys, twelve "key code" lines and the
// joystick line, CR LF each.
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

// The built-in key set, filled by LoadDefaultBindings.
struct DefaultBindings {
  KeyCode codes[kBindingSlotCount] = {};
  char names[kBindingSlotCount][kKeyNameSize] = {};
};

// The file key of each slot, then the joystick line's key.
extern const char* const kBindingKeys[kBindingSlotCount];
extern const char kJoystickKey[];

// Fills `defaults` with the built-in codes and names and sets joystickSwap to
// 0; customKeys and the bindings stay as they are.
void LoadDefaultBindings(DefaultBindings& defaults, InputSettings& settings);

// Reads the file's bytes into `settings`: the first value into customKeys,
// then every line (in pieces of at most 255 characters) whose first token is
// one of the thirteen keys, exactly and case-sensitively; a later line wins.
// Lines with an unknown key, a key without a value or no key at all change
// nothing, and a missing key leaves its field as it was.
void ParseKeyBindings(std::string_view fileBytes, InputSettings& settings);

// The 14 lines of a file holding these values, CR LF each. Every value is one
// the game can use: a code outside the key numbering (0 to 399) is written as
// 0, no key, and the joystick line as 0 or 1.
std::string FormatKeyBindings(std::int32_t customKeys, const KeyCode (&codes)[kBindingSlotCount],
                              std::int32_t joystickSwap);

// What a write stores: with `defaultsPending` set, the current customKeys, the
// built-in codes and joystickSwap, and `defaultsPending` goes back to 0;
// otherwise customKeys becomes 1 and the file takes the bindings. Callers
// pass copies and keep them once the bytes are on disk.
std::string FormatKeyBindingsWrite(InputSettings& settings, const DefaultBindings& defaults,
                                   std::int32_t& defaultsPending);

// The input settings as the launcher keeps them for its run.
InputSettings& Settings();
DefaultBindings& Defaults();
// 1 after RESET: the next write stores the built-in set.
std::int32_t& DefaultsPending();

}  // namespace input
