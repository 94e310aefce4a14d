// After the game: its log is read once and, when it says the 3D card failed,
// explained in dialog 307. The log is deleted when it has served.
#pragma once

// Checks .\Info\Proc.log and shows the report when it calls for one, owned by
// the thread's active window (none while the launcher is minimized).
void AfterGameReport();
