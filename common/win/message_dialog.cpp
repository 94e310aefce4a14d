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

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
  SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  const Run& run = *reinterpret_cast<const Run*>(lParam);
  return run.dialog->onOpen != nullptr ? run.dialog->onOpen(dialog, run.input) : FALSE;
}

INT_PTR OnCommand(HWND dialog, const Run& run, int commandId) {
  for (const DialogEnding& ending : run.dialog->endings) {
    if (ending.commandId == commandId) {
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
  return DialogBoxParamA(instance, MAKEINTRESOURCEA(dialog.templateId), owner, MessageDialogProc,
                         reinterpret_cast<LPARAM>(&run));
}

}  // namespace win
