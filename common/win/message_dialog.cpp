#include "common/win/message_dialog.h"

#include <windowsx.h>

#include "common/win/window_ledger.h"

namespace win {

namespace {

// What one run of a dialog needs while it is up; kept in the dialog's user
// slot from its initialisation on.
struct Run {
  const MessageDialog* dialog;
  LPARAM input;
};

const Run* RunOf(HWND dialog) {
  return reinterpret_cast<const Run*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

constexpr DWORD kHandOverTime = 100;  // ms for a window manager to move the focus

// The owner takes the activation while the dialog still stands: once the
// dialog has gone, a window manager gives the focus to the window focused
// before it, which may be another program's, and the platform's own hand-over
// after the end comes too late to take it back. The manager is given a moment
// to move the focus (its answers come as events, which looking at the queue
// hands on; the player's input stays queued).
void HandActivationToOwner(HWND dialog) {
  const HWND owner = GetWindow(dialog, GW_OWNER);
  if (owner == nullptr || !IsWindowVisible(owner)) {
    return;
  }
  EnableWindow(owner, TRUE);
  SetForegroundWindow(owner);
  const DWORD start = GetTickCount();
  for (DWORD waited = 0; waited < kHandOverTime; waited = GetTickCount() - start) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kHandOverTime - waited, QS_ALLINPUT);
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  }
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
  SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  const Run& run = *reinterpret_cast<const Run*>(lParam);
  return run.dialog->onOpen != nullptr ? run.dialog->onOpen(dialog, run.input) : FALSE;
}

INT_PTR OnCommand(HWND dialog, const Run& run, int commandId) {
  for (const DialogEnding& ending : run.dialog->endings) {
    if (ending.commandId == commandId) {
      HandActivationToOwner(dialog);
      EndDialog(dialog, ending.result);
      if (ending.then != nullptr) {
        ending.then(dialog, run.input);
      }
      return TRUE;
    }
  }
  return FALSE;
}

INT_PTR CALLBACK MessageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  CountWindowLife(dialog, message);
  if (message == WM_INITDIALOG) {
    return OnInitDialog(dialog, lParam);
  }
  const Run* run = RunOf(dialog);
  if (run == nullptr) {
    return FALSE;  // before the initialisation (the font is set first)
  }
  switch (message) {
    case WM_COMMAND:
      return OnCommand(dialog, *run, GET_WM_COMMAND_ID(wParam, lParam));
    case WM_ERASEBKGND:
      if (run->dialog->endsAtFirstErase) {
        EndDialog(dialog, 0);
      }
      return FALSE;
    case WM_DESTROY:
      if (run->dialog->onDestroy != nullptr) {
        run->dialog->onDestroy(dialog);
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR RunMessageDialog(const MessageDialog& dialog, HWND owner, HINSTANCE instance, LPARAM input) {
  const Run run{&dialog, input};
  const INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(dialog.templateId), owner,
                                         MessageDialogProc, reinterpret_cast<LPARAM>(&run));
  GiveActivationBack(owner);
  return result;
}

void GiveActivationBack(HWND owner) {
  if (owner != nullptr && IsWindowVisible(owner) && IsWindowEnabled(owner) &&
      GetForegroundWindow() != owner) {
    SetForegroundWindow(owner);
  }
}

namespace {

BOOL CALLBACK FindTheOneTakingInput(HWND window, LPARAM found) {
  if (IsWindowVisible(window) && IsWindowEnabled(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

bool BringTheModalWindowForward(WORD hitTest, WORD message) {
  if (static_cast<short>(hitTest) != HTERROR || message != WM_LBUTTONDOWN) {
    return false;
  }
  HWND inFront = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindTheOneTakingInput, reinterpret_cast<LPARAM>(&inFront));
  if (inFront != nullptr) {
    SetForegroundWindow(inFront);
  }
  return true;
}

}  // namespace win
