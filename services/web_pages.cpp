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

}  // namespace

int OpenInBrowser(HWND window, const char* target) {
  const std::string parameter = web::BrowserParameter(target != nullptr ? target : "");
  for (const char* browser : kBrowsers) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(window, "open", browser, parameter.c_str(), nullptr, SW_SHOWMAXIMIZED));
    if (result > 32) {
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
