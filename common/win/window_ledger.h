// The launcher's own windows in the handle ledger. Every window procedure and
// dialog procedure of the launcher passes each message here first; a window
// is counted from its first message of creation (WM_NCCREATE for a window,
// WM_INITDIALOG for a dialog, whose procedure never sees the earlier ones) to
// WM_NCDESTROY, the last message any window gets. A dialog destroyed before
// its initialisation was never counted and is not uncounted either.
//
// The launcher's windows all live on its one thread; so does this record.
#pragma once

#include <windows.h>

namespace win {

void CountWindowLife(HWND window, UINT message);

}  // namespace win
