#include "settings/input/key_bindings.h"

#include "common/text_mode.h"
#include "settings/key_value_line.h"

namespace input {

const char* const kBindingKeys[kBindingSlotCount] = {
    "#1p-Up", "#1p-Left", "#1p-Right", "#1p-Down", "#1p-Fire01", "#1p-Fire02",
    "#2p-Up", "#2p-Left", "#2p-Right", "#2p-Down", "#2p-Fire01", "#2p-Fire02",
};
const char kJoystickKey[] = "#JoyStick";

namespace {

// Player 1 on the arrow keys with the bracket keys to fire, player 2 on W, A,
// S, D with Shift and Ctrl: Up, Left, Right, Down, [, ], W, A, D, S, Shift,
// Ctrl by their names in the key table.
constexpr KeyCode kBuiltInCodes[kBindingSlotCount] = {328, 331, 333, 336, 26, 27, 17, 30, 32, 31, 42, 29};

// A code outside the game's key numbering (0 to 399) shows an empty box, and
// goes back to the file as what the box shows: no key.
KeyCode ShownCode(KeyCode code) {
  return code >= 0 && code < kKeyCodeCount ? code : 0;
}

}  // namespace

void ParseKeyBindings(std::string_view fileBytes, InputSettings& settings) {
  const std::string decoded = text::DecodeTextMode(fileBytes);
  text::Scanner scanner(decoded);
  scanner.ScanIntLine(settings.customKeys);
  std::string piece;
  while (scanner.ReadLine(piece, 256)) {
    const cfg::KeyValueLine line = cfg::SplitKeyValueLine(piece);
    if (!line.hasKey || !line.hasValue) {
      continue;
    }
    for (int slot = 0; slot < kBindingSlotCount; ++slot) {
      if (line.key == kBindingKeys[slot]) {
        settings.bindings[slot] = line.value;
        break;
      }
    }
    if (line.key == kJoystickKey) {
      settings.joystickSwap = line.value;
    }
  }
}

InputSettings ParseKeyBindings(std::string_view fileBytes) {
  InputSettings settings;
  ParseKeyBindings(fileBytes, settings);
  return settings;
}

std::string FormatKeyBindings(std::int32_t customKeys, const KeyCode (&codes)[kBindingSlotCount],
                              std::int32_t joystickSwap) {
  std::string lines = std::to_string(customKeys);
  lines += '\n';
  for (int slot = 0; slot < kBindingSlotCount; ++slot) {
    lines += kBindingKeys[slot];
    lines += ' ';
    lines += std::to_string(ShownCode(codes[slot]));
    lines += '\n';
  }
  lines += kJoystickKey;
  lines += ' ';
  lines += joystickSwap != 0 ? '1' : '0';
  lines += '\n';
  return text::EncodeTextMode(lines);
}

std::string FormatKeyBindings(const InputSettings& settings) {
  return FormatKeyBindings(settings.customKeys, settings.bindings, settings.joystickSwap);
}

KeyEdit OpenKeyEdit(const InputSettings& read) {
  KeyEdit edit;
  if (read.customKeys == 0) {
    ResetKeys(edit);
    edit.builtInSet = false;  // only RESET marks the next write built-in
    return edit;
  }
  for (int slot = 0; slot < kBindingSlotCount; ++slot) {
    edit.shown[slot] = ShownCode(read.bindings[slot]);
  }
  edit.joysticksSwapped = read.joystickSwap != 0;
  return edit;
}

bool CaptureKey(KeyEdit& edit, int slot, std::uint32_t virtualKey) {
  const KeyCode code = FindKeyCode(FixedKeyNameTable(), virtualKey);
  if (code == 0 || slot < 0 || slot >= kBindingSlotCount) {
    return false;
  }
  edit.shown[slot] = code;
  edit.builtInSet = false;  // the boxes no longer show the built-in set alone
  return true;
}

void ResetKeys(KeyEdit& edit) {
  for (int slot = 0; slot < kBindingSlotCount; ++slot) {
    edit.shown[slot] = kBuiltInCodes[slot];
  }
  edit.joysticksSwapped = false;
  edit.builtInSet = true;
}

void SwapJoysticks(KeyEdit& edit) {
  edit.joysticksSwapped = !edit.joysticksSwapped;
}

// A built-in mark over swapped joysticks would be read back as the built-in
// set with the joysticks in their own places: the next opening would show
// them unswapped, and its DONE would swap them back for the game unasked.
// So that file is marked chosen, and reads back as saved.
InputSettings SettingsToSave(const KeyEdit& edit) {
  InputSettings settings;
  settings.customKeys = edit.builtInSet && !edit.joysticksSwapped ? 0 : 1;
  for (int slot = 0; slot < kBindingSlotCount; ++slot) {
    settings.bindings[slot] = edit.shown[slot];
  }
  settings.joystickSwap = edit.joysticksSwapped ? 1 : 0;
  return settings;
}

}  // namespace input
