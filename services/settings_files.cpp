#include "services/settings_files.h"

#include "common/bounded_text.h"
#include "common/win/file_io.h"
#include "services/file_error_dialog.h"

namespace {

// As long as the caption file's "wm:" field.
char fileErrorText[100] = {};

}  // namespace

void SetFileErrorText(const char* text) {
  text::CopyBounded(fileErrorText, text != nullptr ? text : "");
}

bool LoadSettingsFile(HWND owner, const char* path, std::string& bytes) {
  win::FullPath full;
  if (win::ResolveFullPath(path, full) && win::ReadFileBytes(full.text, bytes)) {
    return true;
  }
  FileErrorDialog(owner, full.text, fileErrorText);
  return false;
}

bool SaveSettingsFile(HWND owner, const char* path, std::string_view bytes) {
  win::FullPath full;
  if (win::ResolveFullPath(path, full) && win::ReplaceFileContents(full.text, bytes)) {
    return true;
  }
  FileErrorDialog(owner, full.text, fileErrorText);
  return false;
}

bool SettingsFileReplaceable(const char* path) {
  win::FullPath full;
  return win::ResolveFullPath(path, full) && win::CanReplaceFile(full.text);
}
