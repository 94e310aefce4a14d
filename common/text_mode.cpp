#include "common/text_mode.h"

#include <algorithm>
#include <limits>

namespace text {

namespace {

constexpr char kCtrlZ = '\x1A';

// Accumulates decimal digits from `s` at `pos`, held at the 32-bit range.
std::int32_t TakeDigits(std::string_view s, std::size_t& pos, bool negative) {
  std::int64_t magnitude = 0;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') {
    if (magnitude <= kLimit) {
      magnitude = magnitude * 10 + (s[pos] - '0');
    }
    ++pos;
  }
  if (negative) {
    return magnitude >= kLimit ? std::numeric_limits<std::int32_t>::min()
                               : static_cast<std::int32_t>(-magnitude);
  }
  return magnitude >= kLimit ? std::numeric_limits<std::int32_t>::max()
                             : static_cast<std::int32_t>(magnitude);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::string DecodeTextMode(std::string_view fileBytes) {
  std::string out;
  out.reserve(fileBytes.size());
  for (std::size_t i = 0; i < fileBytes.size(); ++i) {
    const char c = fileBytes[i];
    if (c == kCtrlZ) {
      break;
    }
    if (c == '\r' && i + 1 < fileBytes.size() && fileBytes[i + 1] == '\n') {
      continue;
    }
    out.push_back(c);
  }
  return out;
}

std::string EncodeTextMode(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8 + 2);
  for (const char c : text) {
    if (c == '\n') {
      out.push_back('\r');
    }
    out.push_back(c);
  }
  return out;
}

Token FirstToken(std::string_view line, std::string_view separators) {
  const std::size_t start = std::min(line.find_first_not_of(separators), line.size());
  const std::size_t end = std::min(line.find_first_of(separators, start), line.size());
  return Token{line.substr(start, end - start), end};
}

std::int32_t ParseLeadingInt(std::string_view s) {
  std::size_t pos = 0;
  while (pos < s.size() && IsScanSpace(s[pos])) {
    ++pos;
  }
  bool negative = false;
  if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
    negative = s[pos] == '-';
    ++pos;
  }
  return TakeDigits(s, pos, negative);
}

bool Scanner::ScanInt(std::int32_t& value) {
  SkipSpace();
  std::size_t pos = pos_;
  bool negative = false;
  if (pos < text_.size() && (text_[pos] == '+' || text_[pos] == '-')) {
    negative = text_[pos] == '-';
    ++pos;
  }
  if (pos >= text_.size() || !IsDigit(text_[pos])) {
    pos_ = pos;
    return false;
  }
  value = TakeDigits(text_, pos, negative);
  pos_ = pos;
  return true;
}

bool Scanner::ScanIntLine(std::int32_t& value) {
  if (!ScanInt(value)) {
    return false;
  }
  SkipSpace();
  return true;
}

void Scanner::SkipSpace() {
  while (pos_ < text_.size() && IsScanSpace(text_[pos_])) {
    ++pos_;
  }
}

bool Scanner::ReadLine(std::string& piece, std::size_t bufferSize) {
  piece.clear();
  if (AtEnd() || bufferSize < 2) {
    return false;
  }
  const std::size_t limit = bufferSize - 1;
  while (pos_ < text_.size() && piece.size() < limit) {
    const char c = text_[pos_++];
    piece.push_back(c);
    if (c == '\n') {
      break;
    }
  }
  return true;
}

}  // namespace text
