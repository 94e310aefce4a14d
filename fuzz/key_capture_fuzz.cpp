// Key capture: any virtual-key code a key box may receive maps to no key or to
// a key the table names for that very virtual key, and any stored key code,
// however wild, gives a terminated name without reading outside the table.
#include <cstring>

#include "fuzz/fuzz_check.h"
#include "settings/input/key_names.h"

namespace {

const input::KeyNameTable& Table() {
  static const input::KeyNameTable table = [] {
    input::KeyNameTable filled;
    input::FillKeyNameTable(filled);
    return filled;
  }();
  return table;
}

std::uint32_t Word(const std::uint8_t* data) {
  return data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const input::KeyNameTable& table = Table();
  for (std::size_t at = 0; at + 4 <= size; at += 4) {
    const std::uint32_t value = Word(data + at);
    // As a virtual-key code pressed in a key box.
    const input::KeyCode code = input::FindKeyCode(table, value);
    if (code != 0) {
      FUZZ_CHECK(code > 0 && code < input::kKeyCodeCount);
      FUZZ_CHECK(table.virtualKey[code] == value);
      FUZZ_CHECK(input::KeyName(table, code)[0] != '\0');
    }
    // As a key code read from the bindings file.
    const char* name = input::KeyName(table, static_cast<input::KeyCode>(value));
    FUZZ_CHECK(std::memchr(name, '\0', input::kKeyNameSize) != nullptr);
  }
  return 0;
}
