#include "settings/video/video_files.h"

#include "services/settings_files.h"
#include "ui/captions.h"

video::DriverCatalog LoadDriverCatalog(HWND owner, const char* path, video::DriverCatalog base) {
  ReadSettingsFile(owner, path, CaptionText().fileErrorText,
                   [&](std::string_view bytes) { video::ParseDriverCatalog(bytes, base); });
  return base;
}

video::VideoSettings LoadVideoSettings(HWND owner, const char* path, video::VideoSettings base) {
  ReadSettingsFile(owner, path, CaptionText().fileErrorText,
                   [&](std::string_view bytes) { video::ParseVideoSettings(bytes, base); });
  return base;
}

bool SaveVideoSettings(HWND owner, const char* path, const video::VideoSettings& settings) {
  return SaveSettingsFile(owner, path, CaptionText().fileErrorText, video::FormatVideoSettings(settings));
}
