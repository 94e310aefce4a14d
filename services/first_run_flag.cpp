#include "services/first_run_flag.h"

#include <string>

#include "services/first_run_format.h"
#include "services/settings_files.h"
#include "services/shell_state.h"

namespace {

std::int32_t flagValue = 0;

}  // namespace

std::int32_t FirstRunFlag() {
  return flagValue;
}

void SetFirstRunFlag(std::int32_t flag) {
  flagValue = flag;
}

int ReadFirstRunFlag(const char* path) {
  return ReadSettingsFile(Shell().stage, path,
                          [](std::string_view bytes) { shell::ParseFirstRunFlag(bytes, flagValue); });
}

int WriteFirstRunFlag(const char* path) {
  return SaveSettingsFile(Shell().stage, path, shell::FormatFirstRunFlag(FirstRunFlag())) ? 1 : 0;
}
