#include "common/win/launcher_front.h"

namespace win {

namespace {

DWORD programInFront = 0;  // the game's process, while it runs

struct Search {
  DWORD processId;  // a program's windows; 0: the launcher's own
  HWND found;
};

BOOL CALLBACK FindShown(HWND window, LPARAM data) {
  Search& search = *reinterpret_cast<Search*>(data);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  // Of another program, the main window: one it owns (a view, a tool window)
  // would take the keys the main window answers.
  const bool candidate = search.processId == 0
                             ? IsWindowEnabled(window)
                             : processId == search.processId && !GetWindow(window, GW_OWNER);
  if (candidate && IsWindowVisible(window)) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

// The top of the launcher's shown windows that take input (the thread's
// windows come in their order on the screen, top first).
HWND TopOfOurs() {
  Search search{0, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindShown, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool Ours(HWND window) {
  return window != nullptr && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

// The last hand-over to a window beneath a closing box or dialog: the window
// and when.
struct HandOver {
  HWND to = nullptr;
  DWORD at = 0;
};
HandOver handOver;

// How long after a hand-over another program that takes the front is taken
// to have it from the window manager, which focuses the window it focused
// before when ours goes, rather than from the player.
constexpr DWORD kHandOverTime = 500;

}  // namespace

ProgramInFront::ProgramInFront(DWORD processId) {
  programInFront = processId;
}

ProgramInFront::~ProgramInFront() {
  programInFront = 0;
}

HWND WindowInFront() {
  if (programInFront == 0) {
    return TopOfOurs();
  }
  Search search{programInFront, nullptr};
  EnumWindows(FindShown, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void BringForward(HWND window) {
  if (window == nullptr) {
    return;
  }
  // A window manager raises the window it is asked to activate and what that
  // window owns, but not what owns it: the frame, which covers the screen, is
  // raised first (with every window it owns), so no other program stands over
  // it.
  HWND root = window;
  while (const HWND owner = GetWindow(root, GW_OWNER)) {
    root = owner;  // (GetAncestor is not on the Windows 95 family)
  }
  if (root != window && Ours(root)) {
    SetForegroundWindow(root);
  }
  SetForegroundWindow(window);
}

HWND SeenOwner(HWND owner) {
  while (owner != nullptr && !IsWindowVisible(owner)) {
    owner = GetWindow(owner, GW_OWNER);
  }
  return owner;
}

void GiveActivationBack(HWND enabled) {
  const HWND closing = GetForegroundWindow();
  if (Ours(closing) && GetWindow(closing, GW_OWNER) == enabled) {
    BringForward(enabled);
    handOver = {enabled, GetTickCount()};
  }
}

namespace {

bool HandedOverFrontLost() {
  return handOver.to != nullptr && GetTickCount() - handOver.at < kHandOverTime &&
         GetForegroundWindow() != handOver.to && IsWindowVisible(handOver.to) && IsWindowEnabled(handOver.to);
}

}  // namespace

void KeepTheFrontHandedOver(HWND messenger) {
  if (HandedOverFrontLost()) {
    PostMessageA(messenger, kTakeTheFrontBack, 0, 0);
  }
}

void GiveWayToAnotherProgram() {
  handOver = {};
}

void TakeTheFrontBack() {
  if (HandedOverFrontLost()) {
    BringForward(handOver.to);
  }
}

BOOL BringTheModalWindowForward(HWND, HWND, UINT hitTest, UINT message) {
  const bool press = static_cast<short>(hitTest) == HTERROR && message == WM_LBUTTONDOWN;
  if (const HWND inFront = press ? WindowInFront() : nullptr) {
    SetForegroundWindow(inFront);
  }
  return press ? TRUE : FALSE;
}

}  // namespace win
