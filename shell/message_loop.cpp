#include "shell/app_windows.h"

int RunMessageLoop() {
  MSG message = {};
  for (;;) {
    // Look first, then take: when nothing is waiting, sleep until something
    // arrives instead of polling, so an idle launcher costs no processor time.
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      WaitMessage();
      continue;
    }
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      return static_cast<int>(message.wParam);
    }
    if (got == -1) {
      return 1;  // the queue is unusable: end with a failure code
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}
