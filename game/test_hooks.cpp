#include "test_hooks.h"

#include <windows.h>

namespace game {

std::optional<std::string> EnvironmentValue(const char* name) {
  SetLastError(ERROR_SUCCESS);
  char empty[1] = {};
  const DWORD needed = GetEnvironmentVariableA(name, empty, sizeof empty);
  if (needed == 0) {
    // Set to an empty value, or not set at all.
    if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
      return std::nullopt;
    }
    return std::string();
  }
  std::string value(needed, '\0');
  const DWORD length = GetEnvironmentVariableA(name, value.data(), needed);
  if (length >= needed) {
    return std::nullopt;  // changed meanwhile; not a value to act on
  }
  value.resize(length);
  return value;
}

std::optional<std::uint32_t> ParseExitCode(std::string_view value) {
  if (value.empty() || value.size() > 10) {
    return std::nullopt;
  }
  std::uint64_t code = 0;
  for (const char c : value) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    code = code * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (code > 0xFFFFFFFFu) {
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(code);
}

std::optional<unsigned> LifetimeFromHook(std::string_view value) {
  const std::optional<std::uint32_t> seconds = ParseExitCode(value);
  if (!seconds || *seconds < 1 || *seconds > 3600) {
    return std::nullopt;
  }
  return *seconds * 1000u;
}

std::string DecodeLogHook(std::string_view value) {
  std::string lines;
  if (value.empty()) {
    return lines;
  }
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size() && value[i + 1] == 'n') {
      lines += '\n';
      ++i;
    } else {
      lines += value[i];
    }
  }
  lines += '\n';
  return lines;
}

}  // namespace game
