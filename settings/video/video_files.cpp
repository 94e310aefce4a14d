#include "settings/video/video_files.h"

#include <string>

#include "shell/settings_files.h"

namespace video {

DriverCatalog& Catalog() {
  static DriverCatalog catalog;
  return catalog;
}

VideoSettings& Settings() {
  static VideoSettings settings;
  return settings;
}

}  // namespace video

int LoadDriverCatalog(HWND owner, const char* path) {
  std::string bytes;
  if (!LoadSettingsFile(owner, path, bytes)) {
    return 0;
  }
  video::ParseDriverCatalog(bytes, video::Catalog());
  return 1;
}

int LoadVideoSettings(HWND owner, const char* path) {
  std::string bytes;
  if (!LoadSettingsFile(owner, path, bytes)) {
    return 0;
  }
  video::ParseVideoSettings(bytes, video::Settings());
  return 1;
}

int SaveVideoSettings(HWND owner, const char* path) {
  return SaveSettingsFile(owner, path, video::FormatVideoSettings(video::Settings())) ? 1 : 0;
}
