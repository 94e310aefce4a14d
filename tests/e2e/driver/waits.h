// Named waits of the end-to-end tests: each waits for the state a step causes
// (a button pushed, a program ended), or names the pause that is itself what
// the step is about. A window takes its input in order, so a later input's
// effect shows that the earlier input was taken.
#pragma once

#include <windows.h>

#include <tlhelp32.h>

#include <functional>
#include <optional>
#include <string>

#include "common/win/handles.h"
#include "tests/e2e/driver/driver.h"

namespace e2e {

// A finger kept on a key or a mouse button for `time`: how long it stays is
// what the step is about.
inline void KeepPressedFor(milliseconds time) {
  Sleep(static_cast<DWORD>(time.count()));
}

// Whether `change` stays away for the whole of `time`, the time it would take
// to show: for a step that must leave things as they are.
inline bool NoChangeWithin(milliseconds time, const std::function<bool()>& change) {
  return !WaitUntil(change, time);
}

// The left mouse button, as a hand presses it and lets it go.
inline void LeftButton(bool down) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof input);
}

// The left button pressed on the push button `button` and kept down until the
// button shows pushed: its window has taken every input given before. The
// button is clicked when the left button goes up.
inline bool PushedDown(HWND button) {
  RECT rect = {};
  GetWindowRect(button, &rect);
  const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  MoveMouseTo(centre.x, centre.y);
  WaitUntil([&] { return WindowFromPoint(centre) == button; }, milliseconds(2000));
  LeftButton(true);
  return WaitUntil([&] { return (SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; },
                   milliseconds(5000));
}

// Whether a process of the program `name` ("netscape.exe") runs.
inline bool Runs(const char* name) {
  const win::UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.get(), &entry); more;
       more = Process32Next(snapshot.get(), &entry)) {
    if (lstrcmpiA(entry.szExeFile, name) == 0) {
      return true;
    }
  }
  return false;
}

// What the stand-in browsers started in `game` wrote, once one has written
// and every one has ended.
inline std::optional<std::string> BrowserRecord(const GameCopy& game) {
  WaitUntil([&] {
    return FileExists(game.PathOf("browser-started.txt")) && !Runs("netscape.exe") && !Runs("iexplore.exe");
  });
  return game.Read("browser-started.txt");
}

}  // namespace e2e
