#include "settings/input/key_bindings_file.h"

#include <string>

#include "services/settings_files.h"

int ReadKeyBindings(HWND owner, const char* path) {
  return ReadSettingsFile(owner, path,
                          [](std::string_view bytes) { input::ParseKeyBindings(bytes, input::Settings()); });
}

int WriteKeyBindings(HWND owner, const char* path) {
  // Memory follows the file only once the file holds the new bytes.
  input::InputSettings settings = input::Settings();
  std::int32_t pending = input::DefaultsPending();
  const std::string bytes = input::FormatKeyBindingsWrite(settings, input::Defaults(), pending);
  if (!SaveSettingsFile(owner, path, bytes)) {
    return 0;
  }
  input::Settings() = settings;
  input::DefaultsPending() = pending;
  return 1;
}
