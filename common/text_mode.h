// The game's settings files are C runtime text files. These helpers give their
// bytes exactly the meaning that text-mode streams and formatted scanning give
// them, over plain memory, so the formats can be parsed and tested anywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace text {

// What a text-mode read delivers from a file's bytes: CR LF becomes LF, a lone
// CR stays, and the first Ctrl-Z (0x1A) ends the stream.
std::string DecodeTextMode(std::string_view fileBytes);

// What a text-mode write puts on disk: every LF becomes CR LF.
std::string EncodeTextMode(std::string_view text);

// White space as formatted scanning knows it: blank, tab, LF, VT, FF, CR.
constexpr bool IsScanSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A line's first token, as the readers split it: leading separators are
// skipped and the token runs up to the next separator or the line's end.
struct Token {
  std::string_view text;  // empty when the line holds separators only
  std::size_t end = 0;    // just past the token: the separator ending it, or the line's length
};
Token FirstToken(std::string_view line, std::string_view separators);

// Decimal conversion as the runtime's atoi/strtol does it: leading white space,
// an optional sign, then digits up to the first other character; no digits
// give 0. Values beyond the 32-bit range are held at its ends.
std::int32_t ParseLeadingInt(std::string_view s);

// Reads a decoded text stream the way fscanf and fgets read a FILE.
class Scanner {
 public:
  // The scanner reads `decodedText` in place; it must outlive the scanner.
  explicit Scanner(std::string_view decodedText) : text_(decodedText) {}

  // "%d": skips white space, takes an optional sign and decimal digits. When no
  // digit follows, returns false and leaves `value` unchanged (the white space
  // and a sign already passed stay consumed, as with the runtime). Values beyond
  // the 32-bit range are held at its ends.
  bool ScanInt(std::int32_t& value);

  // "%d\n": ScanInt, then, only when a number was read, every white-space
  // character after it (blank lines included).
  bool ScanIntLine(std::int32_t& value);

  // A white-space directive: skips all white space.
  void SkipSpace();

  // fgets into a buffer of `bufferSize` bytes: up to bufferSize - 1 characters,
  // ending after the first LF. Returns false at the end of the stream. The piece
  // may hold NUL bytes; AsCString gives what C string functions would see.
  bool ReadLine(std::string& piece, std::size_t bufferSize = 256);

  bool AtEnd() const { return pos_ >= text_.size(); }
  std::size_t Position() const { return pos_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace text
