#include "shell/shell_state.h"

ShellState& Shell() {
  static ShellState state;
  return state;
}

void ReadScreenMetrics() {
  shell::ScreenLayout& layout = Shell().layout;
  layout.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  layout.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  layout.screenLeft = 0;
  layout.screenTop = 0;
}
