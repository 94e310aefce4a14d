#include "launch/driver_check_dialog.h"

#include "common/win/window_ledger.h"
#include "resources/resource.h"

namespace {

std::int32_t startAllowed = 0;

// Only the two buttons answer; Escape's cancel and the initialisation are left
// to the system, so no control takes the focus by itself.
INT_PTR CALLBACK DriverCheckDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  win::CountWindowLife(dialog, message);
  if (message != WM_COMMAND) {
    return FALSE;
  }
  switch (LOWORD(wParam)) {
    case IDC_START_WITH_CURRENT_DRIVER:
      startAllowed = 1;
      EndDialog(dialog, 0);
      return TRUE;
    case IDC_START_AFTER_SETTING_DRIVER:
      startAllowed = 0;
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

std::int32_t StartAllowed() {
  return startAllowed;
}

void SetStartAllowed(std::int32_t allowed) {
  startAllowed = allowed;
}

void DriverCheckDialog(HWND owner, HINSTANCE instance) {
  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_DRIVER_CHECK), owner, DriverCheckDialogProc, 0);
}
