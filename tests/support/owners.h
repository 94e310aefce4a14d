// Owners, on the launcher's own UniqueHandle, for what only the tests hold: a
// file search, a program loaded as data, a window made for a test, a
// registry key. Kernel and USER objects, so none is counted in the ledger.
// And an environment variable set for a while.
#pragma once

#include <windows.h>

#include "common/win/handles.h"

namespace support {

template <typename H, auto kClose>
struct ClosedBy {
  using Handle = H;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { kClose(h); }
  static void Count(int) {}
};

using UniqueFind = win::UniqueHandle<ClosedBy<HANDLE, &FindClose>>;
using UniqueModule = win::UniqueHandle<ClosedBy<HMODULE, &FreeLibrary>>;
using UniqueWindow = win::UniqueHandle<ClosedBy<HWND, &DestroyWindow>>;
using UniqueKey = win::UniqueHandle<ClosedBy<HKEY, &RegCloseKey>>;

}  // namespace support

// An environment variable of this process, which the programs it starts
// inherit, set for the life of this object.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) { SetEnvironmentVariableA(name, value); }
  ~ScopedVariable() { SetEnvironmentVariableA(name_, nullptr); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
};
