#include "launch/proc_log_check.h"

#include <windows.h>

#include <string>

#include "common/bounded_text.h"
#include "common/win/file_io.h"

namespace launch {

ReportText& AfterGameReportText() {
  static ReportText report;
  return report;
}

}  // namespace launch

int CheckProcLog(const char* path) {
  launch::AfterGameReportText() = launch::ReportText{};
  win::FullPath full;
  std::string bytes;
  if (!win::ResolveFullPath(path, full) || !win::ReadFileBytes(full.text, bytes)) {
    return 0;
  }
  if (launch::ScanProcLog(bytes) == launch::ProcLogStatus::kCardFailed) {
    text::CopyBounded(launch::AfterGameReportText().text, launch::kCardFailureReport);
    return 1;
  }
  DeleteFileA(full.text);
  return 0;
}

void DeleteProcLog(const char* path) {
  win::FullPath full;
  if (win::ResolveFullPath(path, full)) {
    DeleteFileA(full.text);
  }
}
