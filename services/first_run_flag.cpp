#include "services/first_run_flag.h"

#include <string>

#include "services/first_run_format.h"
#include "services/settings_files.h"

namespace {

std::int32_t flagValue = 0;

}  // namespace

std::int32_t FirstRunFlag() {
  return flagValue;
}

void SetFirstRunFlag(std::int32_t flag) {
  flagValue = flag;
}

int ReadFirstRunFlag(HWND owner, const char* path, const char* errorText) {
  return ReadSettingsFile(owner, path, errorText,
                          [](std::string_view bytes) { services::ParseFirstRunFlag(bytes, flagValue); });
}

int WriteFirstRunFlag(HWND owner, const char* path, const char* errorText) {
  return SaveSettingsFile(owner, path, errorText, services::FormatFirstRunFlag(FirstRunFlag())) ? 1 : 0;
}
