#include "settings/video/video_files.h"

#include "services/settings_files.h"

video::DriverCatalog LoadDriverCatalog(HWND owner, const char* path) {
  video::DriverCatalog catalog;
  ReadSettingsFile(owner, path, [&](std::string_view bytes) { video::ParseDriverCatalog(bytes, catalog); });
  return catalog;
}

video::VideoSettings LoadVideoSettings(HWND owner, const char* path) {
  video::VideoSettings settings;
  ReadSettingsFile(owner, path, [&](std::string_view bytes) { video::ParseVideoSettings(bytes, settings); });
  return settings;
}

bool SaveVideoSettings(HWND owner, const char* path, const video::VideoSettings& settings) {
  return SaveSettingsFile(owner, path, video::FormatVideoSettings(settings));
}
