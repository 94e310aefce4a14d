#include "launch/proc_log_check.h"

#include <windows.h>

#include <string>

#include "common/bounded_text.h"
#include "common/win/file_io.h"

std::optional<launch::ReportText> CheckProcLog(const char* path) {
  win::FullPath full;
  std::string bytes;
  if (!win::ResolveFullPath(path, full) || !win::ReadFileBytes(full.text, bytes)) {
    return std::nullopt;
  }
  if (launch::ScanProcLog(bytes) == launch::ProcLogStatus::kCardFailed) {
    launch::ReportText report;
    text::CopyBounded(report.text, launch::kCardFailureReport);
    return report;
  }
  DeleteFileA(full.text);
  return std::nullopt;
}

void DeleteProcLog(const char* path) {
  win::FullPath full;
  if (win::ResolveFullPath(path, full)) {
    DeleteFileA(full.text);
  }
}
