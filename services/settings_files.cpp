#include "services/settings_files.h"

#include "common/win/file_io.h"
#include "services/file_error_dialog.h"

bool LoadSettingsFile(HWND owner, const char* path, const char* errorText, std::string& bytes) {
  win::FullPath full;
  if (win::ResolveFullPath(path, full) && win::ReadFileBytes(full.text, bytes)) {
    return true;
  }
  FileErrorDialog(owner, full.text, errorText);
  return false;
}

// The dialog names what stood in the way: the file, or a read-only file or
// folder under the name its replacement goes through.
bool SaveSettingsFile(HWND owner, const char* path, const char* errorText, std::string_view bytes) {
  win::FullPath full;
  win::FullPath inTheWay;
  const bool resolved = win::ResolveFullPath(path, full);
  if (resolved && win::ReplaceFileContents(full.text, bytes, &inTheWay)) {
    return true;
  }
  FileErrorDialog(owner, resolved ? inTheWay.text : full.text, errorText);
  return false;
}

bool SettingsFileReplaceable(const char* path) {
  win::FullPath full;
  return win::ResolveFullPath(path, full) && win::CanReplaceFile(full.text);
}
