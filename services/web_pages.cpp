#include "services/web_pages.h"

#include <shellapi.h>

#include <string>

#include "common/win/file_io.h"
#include "common/win/launcher_front.h"
#include "services/browser_parameter.h"
#include "services/error_box.h"

namespace {

constexpr const char* kBrowsers[] = {"iexplore.exe", "netscape.exe"};
constexpr char kHomePage[] = ".\\Homepage\\default.html";
constexpr char kNoBrowser[] = "Web browsers not find";
constexpr char kNoPage[] = "File not find";

// ShellExecuteA, its library loaded at the first page rather than with the
// launcher (it and those it brings cost start-up time and memory), then kept
// for the run: a browser start may leave the shell's own work running.
decltype(&ShellExecuteA) ShellExecuteFromTheShell() {
  static const HMODULE shell = LoadLibraryA("shell32.dll");
  const FARPROC function = shell != nullptr ? GetProcAddress(shell, "ShellExecuteA") : nullptr;
  return reinterpret_cast<decltype(&ShellExecuteA)>(reinterpret_cast<void*>(function));
}

}  // namespace

int OpenInBrowser(HWND window, const char* target) {
  const std::string parameter = web::BrowserParameter(target != nullptr ? target : "");
  const auto shellExecute = ShellExecuteFromTheShell();
  for (const char* browser : kBrowsers) {
    if (shellExecute != nullptr &&
        reinterpret_cast<INT_PTR>(
            shellExecute(window, "open", browser, parameter.c_str(), nullptr, SW_SHOWMAXIMIZED)) > 32) {
      win::GiveWayToAnotherProgram();  // the page comes up in front of the launcher
      return 1;
    }
  }
  ErrorBox(window, kNoBrowser);
  return 0;
}

int OpenHomePage(HWND window) {
  win::FullPath page;
  if (!win::ResolveFullPath(kHomePage, page)) {
    ErrorBox(window, kNoPage);
    return 0;
  }
  return OpenInBrowser(window, page.text);
}
