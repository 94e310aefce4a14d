// Fixed-size texts: every copy into one is cut to fit and always terminated.
#pragma once

#include <cstddef>
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

}  // namespace text
