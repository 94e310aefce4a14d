// The module a window was made with, for the dialogs it owns: their templates
// and icons are loaded from it; and a module's resources as bytes.
#pragma once

#include <windows.h>

#include <span>

namespace win {

// The module instance of `window`; the program's own where there is no window
// (a dialog shown before the stage exists, or while the launcher is minimized
// and no window of it is active).
inline HINSTANCE InstanceOf(HWND window) {
  HINSTANCE instance =
      window != nullptr ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)) : nullptr;
  return instance != nullptr ? instance : GetModuleHandleA(nullptr);
}

// The bytes of resource `id` of `type` in `instance`; none when it has no such
// resource. They stay for as long as the module is loaded.
inline std::span<const unsigned char> ResourceBytes(HINSTANCE instance, LPCSTR type, int id) {
  const HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), type);
  const HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
  const auto* bytes =
      reinterpret_cast<const unsigned char*>(loaded != nullptr ? LockResource(loaded) : nullptr);
  return bytes != nullptr ? std::span(bytes, SizeofResource(instance, found))
                          : std::span<const unsigned char>();
}

}  // namespace win
