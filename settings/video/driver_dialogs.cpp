#include "settings/video/driver_dialogs.h"

#include "common/bounded_text.h"
#include "common/win/message_dialog.h"
#include "services/web_pages.h"
#include "resources/resource.h"

namespace {

constexpr char kAdvice[] =
    "But if there is an error relating 'glide??.dll', install 'Glide driver' first. You can find the driver "
    "in your "
    "Voodoo installation CD-ROM, or download it at 3dfx homepage";
// The maker's drivers page, as a browser is handed it: host and path, no scheme.
constexpr char kDriversPage[] = "www.quil3d.example/quil3d/drivers/index.html";

// The guide's location line holds this much of the location.
constexpr std::size_t kLocationSize = 100;
struct GuideLocation {
  char text[kLocationSize] = {};
};

constexpr INT_PTR kDownload = 1;
constexpr INT_PTR kCancel = 0;

// A guide is owned by the video dialog, so that it stays above it, but its
// template places it from the stage's client corner, where it stood when the
// stage owned it (placed from the video dialog's corner, it would reach past
// the stage's right edge): it is moved by as much as the two corners differ.
void StandOverTheStage(HWND dialog) {
  const HWND videoDialog = GetWindow(dialog, GW_OWNER);
  const HWND stage = videoDialog != nullptr ? GetWindow(videoDialog, GW_OWNER) : nullptr;
  if (stage == nullptr) {
    return;
  }
  POINT from = {0, 0}, to = {0, 0};
  ClientToScreen(videoDialog, &from);
  ClientToScreen(stage, &to);
  RECT placed = {};
  GetWindowRect(dialog, &placed);
  SetWindowPos(dialog, nullptr, placed.left + to.x - from.x, placed.top + to.y - from.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR ShowTheAdvice(HWND dialog, LPARAM) {
  StandOverTheStage(dialog);
  SetDlgItemTextA(dialog, IDC_INSTALLED_ADVICE, kAdvice);
  return FALSE;
}

INT_PTR ShowTheLocation(HWND dialog, LPARAM input) {
  StandOverTheStage(dialog);
  SetDlgItemTextA(dialog, IDC_GUIDE_LOCATION, reinterpret_cast<const GuideLocation*>(input)->text);
  return FALSE;
}

// Download has asked the guide to close (it is hidden already); the page
// opens for the video dialog beneath, which owns any box that says why not.
void OpenThePage(HWND dialog, LPARAM) {
  OpenDriversPage(GetWindow(dialog, GW_OWNER));
}

constexpr win::DialogEnding kInstalledOk[] = {{IDC_INSTALLED_OK, 0}};
constexpr win::MessageDialog kInstalled{
    .templateId = IDD_DRIVER_INSTALLED, .onOpen = ShowTheAdvice, .endings = kInstalledOk};

constexpr win::DialogEnding kGuideChoices[] = {{IDC_GUIDE_DOWNLOAD, kDownload, OpenThePage},
                                               {IDC_GUIDE_CANCEL, kCancel}};
constexpr win::MessageDialog kGuide{
    .templateId = IDD_DRIVER_GUIDE, .onOpen = ShowTheLocation, .endings = kGuideChoices};

}  // namespace

void DriverInstalledDialog(HWND owner, HINSTANCE instance) {
  win::RunMessageDialog(kInstalled, owner, instance);
}

bool DriverGuideDialog(HWND owner, HINSTANCE instance, const char* location) {
  GuideLocation shown;
  // A deep game folder is shortened in its middle: the driver's own folder at
  // the end is what the player needs.
  text::CopyBounded(shown.text, text::NamingPath("", location != nullptr ? location : "", "", kLocationSize));
  return win::RunMessageDialog(kGuide, owner, instance, reinterpret_cast<LPARAM>(&shown)) == kDownload;
}

bool OpenDriversPage(HWND parent) {
  return OpenInBrowser(parent, kDriversPage) != 0;
}
