#include "settings/input/key_bindings.h"

#include "common/bounded_text.h"
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
// S, D with Shift and Ctrl.
struct BuiltInKey {
  KeyCode code;
  const char* name;
};
constexpr BuiltInKey kBuiltInKeys[kBindingSlotCount] = {
    {328, "Up"}, {331, "Left"}, {333, "Right"}, {336, "Down"}, {26, "["},     {27, "]"},
    {17, "W"},   {30, "A"},     {32, "D"},      {31, "S"},     {42, "Shift"}, {29, "Ctrl"},
};

// A code outside the game's key numbering (0 to 399) shows an empty box, and
// goes back to the file as what the box shows: no key.
KeyCode WrittenCode(KeyCode code) {
  return code >= 0 && code < kKeyCodeCount ? code : 0;
}

}  // namespace

void LoadDefaultBindings(DefaultBindings& defaults, InputSettings& settings) {
  for (int slot = 0; slot < kBindingSlotCount; ++slot) {
    defaults.codes[slot] = kBuiltInKeys[slot].code;
    text::CopyBounded(defaults.names[slot], kBuiltInKeys[slot].name);
  }
  settings.joystickSwap = 0;
}

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

std::string FormatKeyBindings(std::int32_t customKeys, const KeyCode (&codes)[kBindingSlotCount],
                              std::int32_t joystickSwap) {
  std::string lines = std::to_string(customKeys);
  lines += '\n';
  for (int slot = 0; slot < kBindingSlotCount; ++slot) {
    lines += kBindingKeys[slot];
    lines += ' ';
    lines += std::to_string(WrittenCode(codes[slot]));
    lines += '\n';
  }
  lines += kJoystickKey;
  lines += ' ';
  lines += joystickSwap != 0 ? '1' : '0';
  lines += '\n';
  return text::EncodeTextMode(lines);
}

std::string FormatKeyBindingsWrite(InputSettings& settings, const DefaultBindings& defaults,
                                   std::int32_t& defaultsPending) {
  if (defaultsPending != 0) {
    defaultsPending = 0;
    return FormatKeyBindings(settings.customKeys, defaults.codes, settings.joystickSwap);
  }
  settings.customKeys = 1;
  return FormatKeyBindings(settings.customKeys, settings.bindings, settings.joystickSwap);
}

InputSettings& Settings() {
  static InputSettings settings;
  return settings;
}

DefaultBindings& Defaults() {
  static DefaultBindings defaults;
  return defaults;
}

std::int32_t& DefaultsPending() {
  static std::int32_t pending = 0;
  return pending;
}

}  // namespace input
