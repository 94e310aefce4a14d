// Reads and confirms the message boxes a test's code shows, from a second
// thread, the way a person reads a box on the screen and presses OK.
#pragma once

#include <windows.h>

#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "common/win/handles.h"

class MessageBoxReader {
 public:
  // `look`, when given, sees each box (painted) before its OK is pressed.
  explicit MessageBoxReader(std::function<void(HWND box)> look = {})
      : look_(std::move(look)), thread_([this] { Run(); }) {}
  ~MessageBoxReader() {
    SetEvent(stop_.get());
    thread_.join();
  }
  MessageBoxReader(const MessageBoxReader&) = delete;
  MessageBoxReader& operator=(const MessageBoxReader&) = delete;

  // The texts of the boxes confirmed so far, in order; clears the list.
  std::vector<std::string> Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(texts_, {});
  }

 private:
  static BOOL CALLBACK Visit(HWND window, LPARAM context) {
    auto* self = reinterpret_cast<MessageBoxReader*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (process == GetCurrentProcessId() && lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window) &&
        GetDlgItem(window, 0xFFFF) != nullptr && self->answered_.insert(window).second) {
      char text[512] = {};
      GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
      {
        std::lock_guard<std::mutex> lock(self->mutex_);
        self->texts_.push_back(text);
      }
      if (self->look_) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        self->look_(window);
      }
      PostMessageA(window, WM_COMMAND, IDOK, 0);
    }
    return TRUE;
  }

  // Looks every 5 ms until told to stop.
  void Run() {
    while (WaitForSingleObject(stop_.get(), 5) == WAIT_TIMEOUT) {
      // A box stays on the screen a moment after its OK: answer each once.
      for (auto it = answered_.begin(); it != answered_.end();) {
        it = IsWindow(*it) ? std::next(it) : answered_.erase(it);
      }
      EnumWindows(Visit, reinterpret_cast<LPARAM>(this));
    }
  }

  const std::function<void(HWND)> look_;
  const win::UniqueKernelHandle stop_{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  std::mutex mutex_;
  std::vector<std::string> texts_;
  std::set<HWND> answered_;  // used by the reading thread only
  std::thread thread_;
};
