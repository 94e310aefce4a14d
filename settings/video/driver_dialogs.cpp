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

INT_PTR ShowTheAdvice(HWND dialog, LPARAM) {
  SetDlgItemTextA(dialog, IDC_INSTALLED_ADVICE, kAdvice);
  return FALSE;
}

INT_PTR ShowTheLocation(HWND dialog, LPARAM input) {
  SetDlgItemTextA(dialog, IDC_GUIDE_LOCATION, reinterpret_cast<const GuideLocation*>(input)->text);
  return FALSE;
}

// Download has asked the guide to close; the page opens while it is still up.
void OpenThePage(HWND dialog, LPARAM) {
  OpenDriversPage(dialog);
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
