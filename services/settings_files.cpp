#include "services/settings_files.h"

#include "common/win/file_io.h"
#include "services/error_box.h"
#include "services/shell_state.h"

bool LoadSettingsFile(HWND owner, const char* path, std::string& bytes) {
  win::FullPath full;
  if (win::ResolveFullPath(path, full) && win::ReadFileBytes(full.text, bytes)) {
    return true;
  }
  FileErrorDialog(owner, full.text, Shell().fileErrorText);
  return false;
}

bool SaveSettingsFile(HWND owner, const char* path, std::string_view bytes) {
  win::FullPath full;
  if (win::ResolveFullPath(path, full) && win::ReplaceFileContents(full.text, bytes)) {
    return true;
  }
  FileErrorDialog(owner, full.text, Shell().fileErrorText);
  return false;
}

bool SettingsFileReplaceable(const char* path) {
  win::FullPath full;
  return win::ResolveFullPath(path, full) && win::CanReplaceFile(full.text);
}
