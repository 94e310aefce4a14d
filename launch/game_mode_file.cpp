#include "launch/game_mode_file.h"

#include "services/settings_files.h"
#include "ui/captions.h"

void StampTheStartRequest() {
  SYSTEMTIME now = {};
  GetSystemTime(&now);
  launch::MakeTimeStamp(now.wMonth, now.wDay, now.wHour, now.wMinute, launch::GameTimeStamp());
}

bool WriteGameModeFile(HWND owner, const char* path) {
  return SaveSettingsFile(owner, path, CaptionText().fileErrorText,
                          launch::FormatGameModeFile(launch::GameMode(), launch::GameTimeStamp()));
}
