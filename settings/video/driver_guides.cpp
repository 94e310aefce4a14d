#include "settings/video/driver_guides.h"

#include "common/bounded_text.h"
#include "common/win/window_ledger.h"
#include "services/web_pages.h"
#include "resources/resource.h"

namespace {

constexpr char kAdvice[] =
    "But if there is an error relating 'glide??.dll', install 'Glide driver' first. You can find the driver "
    "in your "
    "Voodoo installation CD-ROM, or download it at 3dfx homepage";
// The maker's drivers page, as a browser is handed it: host and path, no scheme.
constexpr char kDriversPage[] = "www.quil3d.example/quil3d/drivers/index.html";

constexpr std::size_t kLocationSize = 100;
char guideLocation[kLocationSize] = {};

INT_PTR CALLBACK InstalledDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  win::CountWindowLife(dialog, message);
  switch (message) {
    case WM_INITDIALOG:
      SetDlgItemTextA(dialog, IDC_INSTALLED_ADVICE, kAdvice);
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_INSTALLED_OK) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK GuideDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  win::CountWindowLife(dialog, message);
  switch (message) {
    case WM_INITDIALOG:
      SetDlgItemTextA(dialog, IDC_GUIDE_LOCATION, guideLocation);
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_GUIDE_DOWNLOAD:
          EndDialog(dialog, 0);
          OpenDriversPage(dialog);
          return TRUE;
        case IDC_GUIDE_CANCEL:
          EndDialog(dialog, 0);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

int DriverInstalledDialog(HWND owner, HINSTANCE instance) {
  return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_DRIVER_INSTALLED), owner, InstalledDialogProc, 0) > 0
             ? 1
             : 0;
}

int DriverGuideDialog(HWND owner, HINSTANCE instance, const char* location) {
  text::CopyBounded(guideLocation, location != nullptr ? location : "");
  return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_DRIVER_GUIDE), owner, GuideDialogProc, 0) > 0 ? 1 : 0;
}

int OpenDriversPage(HWND parent) {
  return OpenInBrowser(parent, kDriversPage);
}
