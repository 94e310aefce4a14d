#include "tests/e2e/driver/driver.h"

#include <algorithm>
#include <cstdlib>

namespace e2e {

std::string WindowsPath(const std::string& path) {
  std::string converted = path;
  std::replace(converted.begin(), converted.end(), '/', '\\');
  if (!converted.empty() && converted[0] == '\\') {
    converted.insert(0, "Z:");
  }
  while (converted.size() > 3 && converted.back() == '\\') {
    converted.pop_back();
  }
  return converted;
}

std::string EnvironmentPath(const char* name) {
  const char* value = std::getenv(name);
  return WindowsPath(value != nullptr ? value : "");
}

std::string GameFolder() {
  return EnvironmentPath("QUIL_GAME_DIR");
}

std::string ArtifactsFolder() {
  std::string folder = EnvironmentPath("QUIL_ARTIFACTS_DIR");
  if (folder.empty()) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder = WindowsPath(std::string(temp) + "quil-artifacts");
  }
  for (std::size_t i = 3; i <= folder.size(); ++i) {
    if (i == folder.size() || folder[i] == '\\') {
      CreateDirectoryA(folder.substr(0, i).c_str(), nullptr);
    }
  }
  return folder;
}

bool WaitUntil(const std::function<bool()>& condition, milliseconds timeout, milliseconds every) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) {
      return true;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      return false;
    }
    Sleep(static_cast<DWORD>(every.count()));
  }
}

}  // namespace e2e
