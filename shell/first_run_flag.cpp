#include "shell/first_run_flag.h"

#include <string>

#include "shell/first_run_format.h"
#include "shell/settings_files.h"
#include "shell/shell_state.h"

std::int32_t& FirstRunFlag() {
  static std::int32_t flag = 0;
  return flag;
}

int ReadFirstRunFlag(const char* path) {
  return ReadSettingsFile(Shell().stage, path,
                          [](std::string_view bytes) { shell::ParseFirstRunFlag(bytes, FirstRunFlag()); });
}

int WriteFirstRunFlag(const char* path) {
  return SaveSettingsFile(Shell().stage, path, shell::FormatFirstRunFlag(FirstRunFlag())) ? 1 : 0;
}
