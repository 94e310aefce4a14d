// Reading and writing the settings files that the launcher shares with the
// game. A file that cannot be opened is fatal: the file-error dialog shows its
// full path, then `errorText` (the caption file's text), and ends the launcher.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// Reads the file at `path` (relative to the current folder) whole, as bytes.
// When the path does not resolve within 260 characters or the file cannot be
// read, shows FileErrorDialog owned by `owner`; returns false only if that
// dialog could not be shown.
bool LoadSettingsFile(HWND owner, const char* path, const char* errorText, std::string& bytes);

// Reads the file at `path` as LoadSettingsFile does and hands its bytes to
// `parse`. 1 when read; 0 only if the file-error dialog could not be shown.
template <typename Parse>
int ReadSettingsFile(HWND owner, const char* path, const char* errorText, Parse&& parse) {
  std::string bytes;
  if (!LoadSettingsFile(owner, path, errorText, bytes)) {
    return 0;
  }
  parse(std::string_view(bytes));
  return 1;
}

// Replaces the file at `path` with `bytes` in one step; on any failure the old
// file stays as it was and the failure takes the same path as above.
bool SaveSettingsFile(HWND owner, const char* path, const char* errorText, std::string_view bytes);

// Whether SaveSettingsFile could replace the file at `path` now
// (win::CanReplaceFile), found out without a word to the player and without
// changing it: for a step that must not be taken unless the file will then
// describe it.
bool SettingsFileReplaceable(const char* path);
