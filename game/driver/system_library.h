// What both stand-in driver libraries share: the system's own copy of the
// library they stand in for, and its functions looked up on first use.
#pragma once

#include <windows.h>

namespace standin {

// The system's copy of `fileName` (from the system folder, by its full path,
// so a stand-in never loads itself), loaded on the first call. A stand-in
// passes its calls on to one system library only.
inline HMODULE SystemLibrary(const char* fileName) {
  static HMODULE library = nullptr;
  if (library == nullptr) {
    char path[MAX_PATH + 16] = {};
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
      return nullptr;
    }
    lstrcatA(path, "\\");
    lstrcatA(path, fileName);
    library = LoadLibraryA(path);
  }
  return library;
}

// The system library's function `name`, looked up once and kept in `slot`.
// Null (with ERROR_PROC_NOT_FOUND set) when the library or the function is
// missing.
template <typename Function>
Function Forward(Function& slot, const char* fileName, const char* name) {
  if (slot == nullptr) {
    const HMODULE library = SystemLibrary(fileName);
    if (library != nullptr) {
      slot = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    }
  }
  if (slot == nullptr) {
    SetLastError(ERROR_PROC_NOT_FOUND);
  }
  return slot;
}

}  // namespace standin
