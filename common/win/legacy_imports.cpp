// The Windows 95 family loads a program only when every function it imports
// is there, and the threads library the C++ runtime brings along imports a
// few that came later: GetTickCount64 (Vista), the vectored exception
// handlers (XP), IsDebuggerPresent (98), the handle information and the
// process affinity calls and TryEnterCriticalSection (NT). Their import slots
// are defined here instead, so the loader never looks for them; each slot
// leads to a stand-in that calls the system's own function where it has one
// and otherwise answers as the library can live with. The launcher starts no
// thread of its own, so on those systems the stand-ins are hardly ever
// reached.
//
// This file must be linked into the program as an object of its own (not
// from a library), so that its slots are defined before the runtime's
// libraries are searched.
#include <windows.h>

namespace {

// The system's own function, or null where kernel32 lacks it.
template <typename Function>
Function Kernel32(const char* name) {
  const HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
  return kernel32 == nullptr
             ? nullptr
             : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(kernel32, name)));
}

ULONGLONG WINAPI TickCount64() {
  if (const auto system = Kernel32<ULONGLONG(WINAPI*)()>("GetTickCount64")) {
    return system();
  }
  // The 95 family itself stops after 49.7 days, when this count wraps.
  return GetTickCount();
}

BOOL WINAPI DebuggerPresent() {
  const auto system = Kernel32<BOOL(WINAPI*)()>("IsDebuggerPresent");
  return system != nullptr ? system() : FALSE;
}

PVOID WINAPI AddVectoredHandler(ULONG first, PVECTORED_EXCEPTION_HANDLER handler) {
  const auto system =
      Kernel32<PVOID(WINAPI*)(ULONG, PVECTORED_EXCEPTION_HANDLER)>("AddVectoredExceptionHandler");
  return system != nullptr ? system(first, handler) : nullptr;
}

ULONG WINAPI RemoveVectoredHandler(PVOID handler) {
  const auto system = Kernel32<ULONG(WINAPI*)(PVOID)>("RemoveVectoredExceptionHandler");
  return system != nullptr ? system(handler) : 0;
}

BOOL WINAPI HandleInformation(HANDLE handle, LPDWORD flags) {
  if (const auto system = Kernel32<BOOL(WINAPI*)(HANDLE, LPDWORD)>("GetHandleInformation")) {
    return system(handle, flags);
  }
  // No handle flags to tell: a handle is taken as valid and uninherited.
  if (flags != nullptr) {
    *flags = 0;
  }
  return TRUE;
}

BOOL WINAPI ProcessAffinityMask(HANDLE process, PDWORD_PTR processMask, PDWORD_PTR systemMask) {
  if (const auto system = Kernel32<BOOL(WINAPI*)(HANDLE, PDWORD_PTR, PDWORD_PTR)>("GetProcessAffinityMask")) {
    return system(process, processMask, systemMask);
  }
  // The 95 family runs on one processor.
  *processMask = 1;
  *systemMask = 1;
  return TRUE;
}

BOOL WINAPI SetAffinityMask(HANDLE process, DWORD_PTR mask) {
  const auto system = Kernel32<BOOL(WINAPI*)(HANDLE, DWORD_PTR)>("SetProcessAffinityMask");
  return system != nullptr ? system(process, mask) : (mask & 1) != 0;
}

BOOL WINAPI TryEnter(LPCRITICAL_SECTION section) {
  if (const auto system = Kernel32<BOOL(WINAPI*)(LPCRITICAL_SECTION)>("TryEnterCriticalSection")) {
    return system(section);
  }
  // Without a way to try, wait for it: the section is taken in the end.
  EnterCriticalSection(section);
  return TRUE;
}

}  // namespace

// The import slots, named as the runtime's libraries refer to them.
extern "C" {
ULONGLONG(WINAPI* quilGetTickCount64)() __asm__("__imp__GetTickCount64@0") = TickCount64;
BOOL(WINAPI* quilIsDebuggerPresent)() __asm__("__imp__IsDebuggerPresent@0") = DebuggerPresent;
PVOID(WINAPI* quilAddVectoredExceptionHandler)
(ULONG, PVECTORED_EXCEPTION_HANDLER) __asm__("__imp__AddVectoredExceptionHandler@8") = AddVectoredHandler;
ULONG(WINAPI* quilRemoveVectoredExceptionHandler)
(PVOID) __asm__("__imp__RemoveVectoredExceptionHandler@4") = RemoveVectoredHandler;
BOOL(WINAPI* quilGetHandleInformation)
(HANDLE, LPDWORD) __asm__("__imp__GetHandleInformation@8") = HandleInformation;
BOOL(WINAPI* quilGetProcessAffinityMask)
(HANDLE, PDWORD_PTR, PDWORD_PTR) __asm__("__imp__GetProcessAffinityMask@12") = ProcessAffinityMask;
BOOL(WINAPI* quilSetProcessAffinityMask)
(HANDLE, DWORD_PTR) __asm__("__imp__SetProcessAffinityMask@8") = SetAffinityMask;
BOOL(WINAPI* quilTryEnterCriticalSection)
(LPCRITICAL_SECTION) __asm__("__imp__TryEnterCriticalSection@4") = TryEnter;
}
