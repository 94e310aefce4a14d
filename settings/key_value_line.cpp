#include "settings/key_value_line.h"

#include "common/bounded_text.h"
#include "common/text_mode.h"

namespace cfg {

namespace {

bool HoldsOnlySpace(std::string_view s) {
  for (const char c : s) {
    if (!text::IsScanSpace(c)) {
      return false;
    }
  }
  return true;
}

}  // namespace

KeyValueLine SplitKeyValueLine(std::string_view piece) {
  const std::string_view line = text::AsCString(piece);
  KeyValueLine result;
  if (HoldsOnlySpace(line)) {
    return result;
  }
  // Only blanks and tabs separate: a line end belongs to the key.
  const text::Token key = text::FirstToken(line, " \t");
  result.hasKey = true;
  result.key = key.text;
  if (key.end >= line.size()) {
    return result;
  }
  std::string_view rest = line.substr(key.end + 1);
  const std::size_t lineEnd = rest.find('\n');
  if (lineEnd != std::string_view::npos) {
    rest = rest.substr(0, lineEnd);
  }
  if (!HoldsOnlySpace(rest)) {
    result.hasValue = true;
    result.value = text::ParseLeadingInt(rest);
  }
  return result;
}

}  // namespace cfg
