// The check of the game's log after it has ended, and the report it calls for.
#pragma once

#include <optional>

#include "launch/proc_log.h"

namespace launch {

struct ReportText {
  char text[kReportTextSize] = {};
};

}  // namespace launch

// Reads the log at `path` (relative to the current folder). Returns the report
// to show when the log reports a failing 3D card; the log is then kept for the
// report's dialog to delete. Otherwise returns nothing: a log that cannot be
// read is left alone, and a log that says there is nothing to report, or ends
// before it says anything, is deleted.
std::optional<launch::ReportText> CheckProcLog(const char* path);

// Deletes the log at `path`, resolved to its full path first; failures are
// ignored.
void DeleteProcLog(const char* path);
