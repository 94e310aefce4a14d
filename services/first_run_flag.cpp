#include "services/first_run_flag.h"

#include <string>

#include "services/first_run_format.h"
#include "services/settings_files.h"

int ReadFirstRunFlag(HWND owner, const char* path, const char* errorText, std::int32_t& flag) {
  return ReadSettingsFile(owner, path, errorText,
                          [&flag](std::string_view bytes) { services::ParseFirstRunFlag(bytes, flag); });
}

int WriteFirstRunFlag(HWND owner, const char* path, const char* errorText, std::int32_t flag) {
  return SaveSettingsFile(owner, path, errorText, services::FormatFirstRunFlag(flag)) ? 1 : 0;
}
