// Works the launcher's own modal dialogs from inside the test's thread: a
// hook notices each dialog at the end of its initialisation; once shown, the
// script expected for it is posted to it and plays inside its modal loop,
// sending what a person's pointer would until one of its buttons ends it.
// Message boxes on the way are read and confirmed with OK; other dialogs are
// left alone.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

class DialogScripts {
 public:
  using Script = std::function<void(HWND dialog)>;

  DialogScripts() {
    Current() = this;
    hook_ = SetWindowsHookExA(WH_CALLWNDPROCRET, &Hook, nullptr, GetCurrentThreadId());
  }
  ~DialogScripts() {
    UnhookWindowsHookEx(hook_);
    Current() = nullptr;
  }
  DialogScripts(const DialogScripts&) = delete;
  DialogScripts& operator=(const DialogScripts&) = delete;

  // The next dialog opened that holds `controlId` (0: no controls) plays `script`.
  void Expect(int controlId, Script script) { expected_.push_back({controlId, std::move(script)}); }

  // Dialogs whose scripts have played, since the start.
  int Played() const { return played_; }
  // The texts of the message boxes confirmed so far, in order; clears the list.
  std::vector<std::string> TakeMessageBoxes() { return std::exchange(messageBoxes_, {}); }
  // Scripts still waiting for their dialog; forgotten with the call.
  std::size_t TakeUnplayed() { return std::exchange(expected_, {}).size(); }

 private:
  struct Expected {
    int controlId;
    Script script;
  };
  struct Armed {
    WNDPROC original = nullptr;
    Script script;
    bool posted = false;
  };

  static constexpr UINT kPlay = WM_APP + 0x51;

  static DialogScripts*& Current() {
    static DialogScripts* current = nullptr;
    return current;
  }

  static bool Holds(HWND dialog, int controlId) {
    return controlId == 0 ? GetWindow(dialog, GW_CHILD) == nullptr : GetDlgItem(dialog, controlId) != nullptr;
  }

  // A message box: its text in the static 0xFFFF, and an OK button.
  static bool IsMessageBox(HWND dialog) {
    return GetDlgItem(dialog, 0xFFFF) != nullptr && GetDlgItem(dialog, IDOK) != nullptr;
  }

  void Confirm(HWND box) {
    char text[512] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    messageBoxes_.push_back(text);
    SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
  }

  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_INITDIALOG && Current() != nullptr) {
      Current()->Opened(call->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  void Opened(HWND dialog) {
    for (auto it = expected_.begin(); it != expected_.end(); ++it) {
      if (Holds(dialog, it->controlId)) {
        Arm(dialog, std::move(it->script));
        expected_.erase(it);
        ++played_;
        return;
      }
    }
    if (IsMessageBox(dialog)) {
      Arm(dialog, [this](HWND box) { Confirm(box); });
    }
  }

  void Arm(HWND dialog, Script script) {
    Armed& armed = armed_[dialog];
    armed.script = std::move(script);
    armed.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass)));
  }

  static LRESULT CALLBACK Subclass(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogScripts& self = *Current();
    Armed& armed = self.armed_[dialog];
    const WNDPROC original = armed.original;
    switch (message) {
      case WM_SHOWWINDOW:
        if (wParam != FALSE && !armed.posted) {
          armed.posted = true;
          PostMessageA(dialog, kPlay, 0, 0);
        }
        break;
      case kPlay: {
        Script script = std::move(armed.script);
        script(dialog);
        if (IsWindowVisible(dialog)) {
          ADD_FAILURE() << "the script left its dialog open";
          EndDialog(dialog, 0);
        }
        return 0;
      }
      case WM_NCDESTROY:
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        self.armed_.erase(dialog);
        break;
    }
    return CallWindowProcA(original, dialog, message, wParam, lParam);
  }

  HHOOK hook_ = nullptr;
  std::deque<Expected> expected_;
  std::map<HWND, Armed> armed_;
  int played_ = 0;
  std::vector<std::string> messageBoxes_;
};

// A person's pointer on a dialog the launcher draws itself, in client pixels:
// onto a button and off it again, a press with its release.
namespace pointer {

inline LPARAM At(POINT point) {
  return MAKELPARAM(point.x, point.y);
}
inline void MoveTo(HWND window, POINT point) {
  SendMessageA(window, WM_MOUSEMOVE, 0, At(point));
}
inline void Press(HWND window, POINT point) {
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, At(point));
}
inline void Release(HWND window, POINT point) {
  SendMessageA(window, WM_LBUTTONUP, 0, At(point));
}
// Onto the button and away to `away`, then onto it again and pressed: for a
// button whose press ends the dialog, as no release follows (the button is
// gone by then).
inline void HoverAndPressToClose(HWND window, POINT button, POINT away) {
  MoveTo(window, button);
  MoveTo(window, away);
  MoveTo(window, button);
  Press(window, button);
}
// The same, then released.
inline void HoverAndPress(HWND window, POINT button, POINT away) {
  HoverAndPressToClose(window, button, away);
  Release(window, button);
}

// A push button of a dialog: the pointer over it, then a click on it.
inline void ClickControl(HWND dialog, int controlId) {
  const HWND button = GetDlgItem(dialog, controlId);
  ASSERT_NE(button, nullptr) << "no control " << controlId;
  RECT client = {};
  GetClientRect(button, &client);
  const POINT middle{client.right / 2, client.bottom / 2};
  MoveTo(button, middle);
  Press(button, middle);
  Release(button, middle);
}

}  // namespace pointer
