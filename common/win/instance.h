// The module a window was made with, for the dialogs it owns: their templates
// and icons are loaded from it.
#pragma once

#include <windows.h>

namespace win {

// The module instance of `window`; the program's own where there is no window
// (a dialog shown before the stage exists, or while the launcher is minimized
// and no window of it is active).
inline HINSTANCE InstanceOf(HWND window) {
  HINSTANCE instance =
      window != nullptr ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)) : nullptr;
  return instance != nullptr ? instance : GetModuleHandleA(nullptr);
}

}  // namespace win
