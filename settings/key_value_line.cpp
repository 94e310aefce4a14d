#include "settings/key_value_line.h"

#include "common/bounded_text.h"
#include "common/text_mode.h"

namespace cfg {

namespace {

bool IsBlankOrTab(char c) {
  return c == ' ' || c == '\t';
}

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
  std::size_t start = 0;
  while (start < line.size() && IsBlankOrTab(line[start])) {
    ++start;
  }
  std::size_t end = start;
  while (end < line.size() && !IsBlankOrTab(line[end])) {
    ++end;
  }
  result.hasKey = true;
  result.key = line.substr(start, end - start);
  if (end >= line.size()) {
    return result;
  }
  std::string_view rest = line.substr(end + 1);
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
