#include "launch/game_mode_file.h"

#include "services/settings_files.h"
#include "ui/captions.h"

launch::TimeStamp StampTheStartRequest() {
  SYSTEMTIME now = {};
  GetSystemTime(&now);
  launch::TimeStamp stamp;
  launch::MakeTimeStamp(now.wMonth, now.wDay, now.wHour, now.wMinute, stamp);
  return stamp;
}

bool WriteGameModeFile(HWND owner, const char* path, const launch::TimeStamp& stamp) {
  return SaveSettingsFile(owner, path, CaptionText().fileErrorText,
                          launch::FormatGameModeFile(launch::kGameMode, stamp));
}
