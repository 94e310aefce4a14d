#include "launch/after_game_report.h"

#include <windows.h>

#include "common/win/instance.h"
#include "common/win/message_dialog.h"
#include "launch/proc_log_check.h"
#include "resources/resource.h"

namespace {

constexpr char kProcLogForReading[] = ".\\Info\\Proc.log";
constexpr char kProcLogForDeleting[] = ".\\Info\\proc.log";

INT_PTR ShowTheReport(HWND dialog, LPARAM input) {
  SetFocus(dialog);
  SetDlgItemTextA(dialog, IDC_REPORT_TEXT, reinterpret_cast<const char*>(input));
  return FALSE;  // the focus stays where it was put
}

void DeleteTheLog(HWND) {
  DeleteProcLog(kProcLogForDeleting);
}

// Only OK ends the report; however it ends, the log goes with it.
constexpr win::DialogEnding kOk[] = {{IDC_REPORT_OK, 1}};
constexpr win::MessageDialog kReport{
    .templateId = IDD_CARD_REPORT, .onOpen = ShowTheReport, .endings = kOk, .onDestroy = DeleteTheLog};

}  // namespace

void AfterGameReport(HWND owner) {
  const std::optional<launch::ReportText> report = CheckProcLog(kProcLogForReading);
  if (!report) {
    return;
  }
  // Without an owner (a stage closed while the game ran) the report's icon
  // comes from the program's own module all the same.
  win::RunMessageDialog(kReport, owner, win::InstanceOf(owner), reinterpret_cast<LPARAM>(report->text));
}
