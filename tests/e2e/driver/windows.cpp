#include "tests/e2e/driver/driver.h"

#include <algorithm>

namespace e2e {

namespace {

std::string TextOf(HWND window) {
  char text[1024] = {};
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                           2000, &length)) {
    return "";
  }
  return std::string(text, std::min<std::size_t>(length, sizeof text - 1));
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) {
  reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  return TRUE;
}

}  // namespace

WindowFacts Describe(HWND window) {
  WindowFacts facts;
  facts.handle = window;
  // The caption as the system keeps it: asking the window itself would wait on
  // a launcher that is busy (its intro handles no messages).
  char name[256] = {}, title[256] = {};
  GetClassNameA(window, name, sizeof name);
  GetWindowTextA(window, title, sizeof title);
  facts.className = name;
  facts.title = title;
  facts.style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
  facts.exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
  GetWindowRect(window, &facts.rect);
  GetClientRect(window, &facts.client);
  facts.owner = GetWindow(window, GW_OWNER);
  facts.parent = GetParent(window);
  facts.visible = IsWindowVisible(window) != FALSE;
  return facts;
}

std::string ControlText(HWND dialog, int controlId) {
  HWND control = GetDlgItem(dialog, controlId);
  return control != nullptr ? TextOf(control) : "";
}

std::string MessageBoxText(HWND box) {
  return ControlText(box, 0xFFFF);
}

std::vector<WindowFacts> TopLevelWindows(DWORD processId) {
  std::vector<HWND> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  std::vector<WindowFacts> facts;
  for (HWND window : windows) {
    DWORD owner = 0;
    if (GetWindowThreadProcessId(window, &owner) && owner == processId) {
      facts.push_back(Describe(window));
    }
  }
  return facts;
}

int ScreenWidth() {
  return GetSystemMetrics(SM_CXSCREEN);
}
int ScreenHeight() {
  return GetSystemMetrics(SM_CYSCREEN);
}

}  // namespace e2e
