// After the game: its log is read once and, when it says the 3D card failed,
// explained in dialog 307. The log is deleted when it has served.
#pragma once

#include <windows.h>

// Checks .\Info\Proc.log and shows the report when it calls for one, owned by
// `owner` (the stage, restored by then, so that the report stays above it).
void AfterGameReport(HWND owner);
