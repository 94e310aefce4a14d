#include "tests/e2e/driver/driver.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace e2e {

namespace {

void SendOne(INPUT input) {
  SendInput(1, &input, sizeof input);
  HandPause(milliseconds(15));
}

// Keys that the keyboard sends with the extended prefix.
bool IsExtendedKey(WORD key) {
  constexpr WORD kExtended[] = {VK_LEFT, VK_RIGHT,  VK_UP,     VK_DOWN,   VK_HOME,     VK_END,  VK_PRIOR,
                                VK_NEXT, VK_INSERT, VK_DELETE, VK_DIVIDE, VK_RCONTROL, VK_RMENU};
  return std::find(std::begin(kExtended), std::end(kExtended), key) != std::end(kExtended);
}

// Scan codes (set 1) of keys for which the system's mapping gives none.
struct KeyScan {
  WORD key;
  WORD scan;
};
constexpr KeyScan kKeypadScanCodes[] = {
    {VK_NUMPAD0, 0x52},  {VK_NUMPAD1, 0x4F}, {VK_NUMPAD2, 0x50},  {VK_NUMPAD3, 0x51}, {VK_NUMPAD4, 0x4B},
    {VK_NUMPAD5, 0x4C},  {VK_NUMPAD6, 0x4D}, {VK_NUMPAD7, 0x47},  {VK_NUMPAD8, 0x48}, {VK_NUMPAD9, 0x49},
    {VK_MULTIPLY, 0x37}, {VK_ADD, 0x4E},     {VK_SUBTRACT, 0x4A}, {VK_DECIMAL, 0x53}, {VK_DIVIDE, 0x35},
};

WORD ScanCodeOf(WORD key) {
  const UINT mapped = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
  if (mapped != 0) {
    return static_cast<WORD>(mapped);
  }
  for (const KeyScan& entry : kKeypadScanCodes) {
    if (entry.key == key) {
      return entry.scan;
    }
  }
  return 0;
}

void SendKey(WORD key, bool down) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = ScanCodeOf(key);
  input.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | (IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
  SendOne(input);
}

void SendMouseButton(DWORD flag) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flag;
  SendOne(input);
}

}  // namespace

void HandPause(milliseconds pause) {
  Sleep(static_cast<DWORD>(pause.count()));
}

void MoveMouseTo(int x, int y) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  // Absolute positions are in 0..65535 over the primary screen.
  input.mi.dx = static_cast<LONG>((x * 65535LL + ScreenWidth() / 2) / (ScreenWidth() - 1));
  input.mi.dy = static_cast<LONG>((y * 65535LL + ScreenHeight() / 2) / (ScreenHeight() - 1));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendOne(input);
  WaitUntil(
      [&] {
        POINT at = {};
        GetCursorPos(&at);
        return at.x == x && at.y == y;
      },
      milliseconds(500));
}

void LeftClickAt(int x, int y) {
  MoveMouseTo(x, y);
  HandPause();
  SendMouseButton(MOUSEEVENTF_LEFTDOWN);
  HandPause();
  SendMouseButton(MOUSEEVENTF_LEFTUP);
}

void DoubleClickAt(int x, int y) {
  MoveMouseTo(x, y);
  HandPause();
  INPUT clicks[4] = {};
  for (int i = 0; i < 4; ++i) {
    clicks[i].type = INPUT_MOUSE;
    clicks[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  }
  SendInput(4, clicks, sizeof clicks[0]);
}

void DoubleClickThroughTheDisplay(int x, int y) {
  std::string command = "Z:\\usr\\bin\\xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) +
                        " click --repeat 2 --delay 60 1";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &started)) {
    WaitForSingleObject(started.hProcess, 5000);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
  }
}

void LeftDrag(POINT from, POINT to) {
  MoveMouseTo(from.x, from.y);
  HandPause();
  SendMouseButton(MOUSEEVENTF_LEFTDOWN);
  HandPause(milliseconds(100));
  MoveMouseTo(to.x, to.y);
  HandPause(milliseconds(100));
  SendMouseButton(MOUSEEVENTF_LEFTUP);
}

void LeftClickControl(HWND dialog, int controlId) {
  RECT rect = {};
  GetWindowRect(GetDlgItem(dialog, controlId), &rect);
  LeftClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

void LeftClickInClient(HWND window, POINT client) {
  const POINT at = ClientToScreenPoint(window, client.x, client.y);
  LeftClickAt(at.x, at.y);
}

void KeyDown(WORD virtualKey) {
  SendKey(virtualKey, true);
}
void KeyUp(WORD virtualKey) {
  SendKey(virtualKey, false);
}

void PressKey(WORD virtualKey) {
  KeyDown(virtualKey);
  KeyUp(virtualKey);
}

void PressChord(std::initializer_list<WORD> keys) {
  for (WORD key : keys) {
    KeyDown(key);
  }
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
    KeyUp(*key);
  }
}

bool BringToFront(HWND window) {
  // Wine makes a window the foreground at once and asks the window manager
  // for the focus; the manager's answer comes later and may move the focus
  // again. The window must stay in front for a moment before input is aimed
  // at it.
  int steadyLooks = 0;
  return WaitUntil(
      [&] {
        if (GetForegroundWindow() != window) {
          steadyLooks = 0;
          SetForegroundWindow(window);
          return false;
        }
        return ++steadyLooks >= 8;  // about 150 ms in front
      },
      milliseconds(3000));
}

bool HasKeyboardFocus(HWND window, milliseconds timeout) {
  return WaitUntil(
      [&] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) &&
               info.hwndFocus != nullptr && (info.hwndFocus == window || IsChild(window, info.hwndFocus));
      },
      timeout);
}

}  // namespace e2e
