// Fixed-size texts: every copy into one is cut to fit and always terminated.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace text {

// Copies `source` (up to its first NUL) into `dest` of `capacity` bytes: at most
// capacity - 1 characters and a terminating zero. Returns the number copied.
inline std::size_t CopyBounded(char* dest, std::size_t capacity, std::string_view source) {
  if (capacity == 0) {
    return 0;
  }
  std::size_t n = 0;
  while (n + 1 < capacity && n < source.size() && source[n] != '\0') {
    dest[n] = source[n];
    ++n;
  }
  dest[n] = '\0';
  return n;
}

template <std::size_t N>
std::size_t CopyBounded(char (&dest)[N], std::string_view source) {
  return CopyBounded(dest, N, source);
}

// The text of a buffer as C string functions see it: up to the first NUL.
inline std::string_view AsCString(std::string_view bytes) {
  const std::size_t nul = bytes.find('\0');
  return nul == std::string_view::npos ? bytes : bytes.substr(0, nul);
}

// `before`, `path` and `after` as one text of at most capacity - 1
// characters, whose ending stays whole: when the three do not fit, the path
// is shortened in its middle: its drive and first folder (when they leave
// room for the file name), "...", and as many of its last folders as fit with
// its file name, as in "C:\Games\...\Driver\Velox\Glu32.dll"; where not even the
// file name fits, "..." and the end of it. Only when `before` and `after`
// leave no room for "..." is the text cut at its end.
std::string NamingPath(std::string_view before, std::string_view path, std::string_view after,
                       std::size_t capacity);

}  // namespace text
