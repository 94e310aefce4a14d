// The "key value" lines of keyvalue.cfg and Audio.cfg, split as their readers
// split them: the key is the line's first token (blanks and tabs separate
// tokens; a line end belongs to the token, so a key alone on its line matches
// nothing), and the value is the rest of the line after the key's one
// delimiter, converted as a decimal number.
#pragma once

#include <cstdint>
#include <string_view>

namespace cfg {

struct KeyValueLine {
  // False for a line of white space only (or nothing before a NUL byte).
  bool hasKey = false;
  std::string_view key;
  // False when nothing but white space follows the key: the field the key
  // names keeps its value.
  bool hasValue = false;
  std::int32_t value = 0;
};

// `piece` is one line as a 256-byte line read delivers it (at most 255
// characters, ending with its line end if it had room); text after a NUL byte
// is not seen.
KeyValueLine SplitKeyValueLine(std::string_view piece);

}  // namespace cfg
