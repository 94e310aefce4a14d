// The check of the game's log after it has ended, and the report it leaves
// for the after-game dialog.
#pragma once

#include "launch/proc_log.h"

namespace launch {

struct ReportText {
  char text[kReportTextSize] = {};
};

// The text the after-game dialog shows; cleared at every check.
ReportText& AfterGameReportText();

}  // namespace launch

// Reads the log at `path` (relative to the current folder). Returns 1 when the
// log reports a failing 3D card: the report text is then set and the log is
// kept for the dialog to delete. Otherwise returns 0 with an empty report: a
// log that cannot be read is left alone, and a log that says there is nothing
// to report, or ends before it says anything, is deleted.
int CheckProcLog(const char* path);

// Deletes the log at `path`, resolved to its full path first; failures are
// ignored.
void DeleteProcLog(const char* path);
