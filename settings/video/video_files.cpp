#include "settings/video/video_files.h"

#include <string>

#include "services/settings_files.h"

int LoadDriverCatalog(HWND owner, const char* path) {
  return ReadSettingsFile(owner, path,
                          [](std::string_view bytes) { video::ParseDriverCatalog(bytes, video::Catalog()); });
}

int LoadVideoSettings(HWND owner, const char* path) {
  return ReadSettingsFile(
      owner, path, [](std::string_view bytes) { video::ParseVideoSettings(bytes, video::Settings()); });
}

int SaveVideoSettings(HWND owner, const char* path) {
  return SaveSettingsFile(owner, path, video::FormatVideoSettings(video::Settings())) ? 1 : 0;
}
