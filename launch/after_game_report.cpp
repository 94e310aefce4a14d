#include "launch/after_game_report.h"

#include <windows.h>

#include "common/win/instance.h"
#include "common/win/window_ledger.h"
#include "launch/proc_log_check.h"
#include "resources/resource.h"

namespace {

constexpr char kProcLogForReading[] = ".\\Info\\Proc.log";
constexpr char kProcLogForDeleting[] = ".\\Info\\proc.log";

INT_PTR OnInitDialog(HWND dialog) {
  SetFocus(dialog);
  SetDlgItemTextA(dialog, IDC_REPORT_TEXT, launch::AfterGameReportText().text);
  return FALSE;  // the focus stays where it was put
}

// Only OK ends the report; however it ends, the log goes with it.
INT_PTR CALLBACK ReportDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  win::CountWindowLife(dialog, message);
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog);
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_REPORT_OK) {
        EndDialog(dialog, 1);
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      DeleteProcLog(kProcLogForDeleting);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

void AfterGameReport() {
  if (CheckProcLog(kProcLogForReading) != 1) {
    return;
  }
  // The launcher is still minimized, so there may be no active window: the
  // report's icon then comes from the program's own module all the same.
  const HWND owner = GetActiveWindow();
  DialogBoxParamA(win::InstanceOf(owner), MAKEINTRESOURCEA(IDD_CARD_REPORT), owner, ReportDialogProc, 0);
}
