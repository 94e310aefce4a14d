// What the fuzz targets share: the input as bytes, and a check that stops the
// run (and so reports the input) when a property does not hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

inline std::string_view FuzzBytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A fixed-size text holds its terminating zero.
template <std::size_t N>
bool Terminated(const char (&field)[N]) {
  return std::memchr(field, '\0', N) != nullptr;
}

// Bytes that are lines ended by CR LF, `lines` of them, and nothing else.
inline bool CrLfLines(std::string_view bytes, int lines) {
  int found = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      if (i == 0 || bytes[i - 1] != '\r') {
        return false;
      }
      ++found;
    }
  }
  return found == lines && !bytes.empty() && bytes.back() == '\n';
}
