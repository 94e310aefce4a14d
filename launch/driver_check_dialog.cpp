#include "launch/driver_check_dialog.h"

#include "common/win/message_dialog.h"
#include "resources/resource.h"

namespace {

constexpr INT_PTR kStartNow = 1;
constexpr INT_PTR kSetTheDriverFirst = 0;

// Only the two buttons answer; Escape's cancel and the initialisation are left
// to the system, so no control takes the focus by itself.
constexpr win::DialogEnding kAnswers[] = {{IDC_START_WITH_CURRENT_DRIVER, kStartNow},
                                          {IDC_START_AFTER_SETTING_DRIVER, kSetTheDriverFirst}};
constexpr win::MessageDialog kDriverCheck{.templateId = IDD_DRIVER_CHECK, .endings = kAnswers};

}  // namespace

bool DriverCheckDialog(HWND owner, HINSTANCE instance) {
  return win::RunMessageDialog(kDriverCheck, owner, instance) == kStartNow;
}
