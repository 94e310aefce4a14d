// keyvalue.cfg: whatever the reader takes from a file, the writer puts back so
// that it reads as the dialog shows it, and every stored code is safe to look
// up by name.
#include <cstring>
#include <string>

#include "fuzz/fuzz_check.h"
#include "settings/input/key_bindings.h"
#include "settings/input/key_names.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  input::InputSettings settings;
  input::ParseKeyBindings(FuzzBytes(data, size), settings);

  static input::KeyNameTable table;
  input::FillKeyNameTable(table);
  for (const input::KeyCode code : settings.bindings) {
    FUZZ_CHECK(std::strlen(input::KeyName(table, code)) < input::kKeyNameSize);
  }

  const std::string written =
      input::FormatKeyBindings(settings.customKeys, settings.bindings, settings.joystickSwap);
  FUZZ_CHECK(CrLfLines(written, 14));
  input::InputSettings again;
  again.customKeys = -7;
  std::memset(again.bindings, 0x5A, sizeof again.bindings);
  input::ParseKeyBindings(written, again);
  // What reads back is what the dialog showed: codes outside the key
  // numbering as no key, any swap as 1.
  input::InputSettings shown = settings;
  for (input::KeyCode& code : shown.bindings) {
    code = code >= 0 && code < input::kKeyCodeCount ? code : 0;
  }
  shown.joystickSwap = shown.joystickSwap != 0 ? 1 : 0;
  FUZZ_CHECK(std::memcmp(&again, &shown, sizeof shown) == 0);
  return 0;
}
