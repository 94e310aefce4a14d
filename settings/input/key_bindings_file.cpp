#include "settings/input/key_bindings_file.h"

#include <string>

#include "services/settings_files.h"
#include "ui/captions.h"

std::optional<input::InputSettings> ReadKeyBindings(HWND owner, const char* path, input::InputSettings base) {
  std::string bytes;
  if (!LoadSettingsFile(owner, path, CaptionText().fileErrorText, bytes)) {
    return std::nullopt;
  }
  input::ParseKeyBindings(bytes, base);
  return base;
}

bool WriteKeyBindings(HWND owner, const char* path, const input::InputSettings& toSave) {
  return SaveSettingsFile(owner, path, CaptionText().fileErrorText, input::FormatKeyBindings(toSave));
}
