#include "common/win/window_ledger.h"

#include <algorithm>
#include <vector>

#include "common/handle_ledger.h"

namespace win {

namespace {

// The windows counted now: a handful at most (frame, stage, a dialog and the
// guide it opens).
std::vector<HWND>& Counted() {
  static std::vector<HWND> windows;
  return windows;
}

}  // namespace

void CountWindowLife(HWND window, UINT message) {
  std::vector<HWND>& counted = Counted();
  const auto found = std::find(counted.begin(), counted.end(), window);
  if (message == WM_NCCREATE || message == WM_INITDIALOG) {
    if (found == counted.end()) {
      counted.push_back(window);
      ledger::Add(ledger::Kind::kWindow);
    }
  } else if (message == WM_NCDESTROY && found != counted.end()) {
    counted.erase(found);
    ledger::Remove(ledger::Kind::kWindow);
  }
}

}  // namespace win
