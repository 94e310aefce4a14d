// The error box as the user meets it: read from another thread, the way a
// person reads a box on the screen, then confirmed with its button; and what
// the file-error dialog draws.
#include "services/error_box.h"
#include "services/file_error_dialog.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>

#include "common/win/handles.h"
#include "resources/resource.h"
#include "tests/support/canvas.h"
#include "tests/win32/dialog_scripts.h"
#include "tests/win32/in_process.h"

namespace {

struct SeenBox {
  std::string caption;
  std::string text;
  HWND owner = nullptr;
  int buttons = 0;
  bool found = false;
  int result = 0;
};

BOOL CALLBACK CountButton(HWND child, LPARAM count) {
  char name[32] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, "Button") == 0) {
    ++*reinterpret_cast<int*>(count);
  }
  return TRUE;
}

// Waits for this process's message box, notes what it shows and presses OK.
SeenBox ReadAndConfirm() {
  SeenBox seen;
  HWND box = nullptr;
  seen.found = e2e::WaitUntil(
      [&] {
        box = FindWindowA("#32770", nullptr);
        DWORD process = 0;
        GetWindowThreadProcessId(box, &process);
        return box != nullptr && process == GetCurrentProcessId() && IsWindowVisible(box);
      },
      std::chrono::milliseconds(5000), std::chrono::milliseconds(10));
  if (seen.found) {
    char text[512] = {};
    GetWindowTextA(box, text, sizeof text);
    seen.caption = text;
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    seen.text = text;
    seen.owner = GetWindow(box, GW_OWNER);
    EnumChildWindows(box, CountButton, reinterpret_cast<LPARAM>(&seen.buttons));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  }
  return seen;
}

// The error box with `text` over `owner`, read and confirmed from another thread.
SeenBox Shown(const char* text, HWND owner = nullptr) {
  SeenBox seen;
  std::thread reader([&] { seen = ReadAndConfirm(); });
  const int result = ErrorBox(owner, text);
  reader.join();
  seen.result = result;
  return seen;
}

TEST(ErrorBox, ShowsTheTextUnderMessageWithOneOkButtonOwnedByTheWindowItSpeaksOver) {
  const support::UniqueWindow owner(CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                                    nullptr, nullptr, nullptr, nullptr));
  const SeenBox seen = Shown("Bmp File Open Error", owner.get());
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.result, IDOK);
  EXPECT_EQ(seen.caption, "Message");
  EXPECT_EQ(seen.text, "Bmp File Open Error");
  EXPECT_EQ(seen.owner, owner.get());
  EXPECT_EQ(seen.buttons, 1);
}

TEST(ErrorBox, ATextIsShownAsItIsNeverAsAFormatAndCutToItsBuffer) {
  SeenBox seen = Shown("100% %s %n done");
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.text, "100% %s %n done");

  seen = Shown(std::string(400, 'x').c_str());
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.text, std::string(199, 'x'));
}

// The file-error dialog from the shipped program's template. Its path line is
// one line of 155 units: a long path is drawn as the platform draws a path cut
// in its middle, in the line's font and colours, so the file's name shows.
using FileErrorDialogShown = WithShippedExecutable;

TEST_F(FileErrorDialogShown, ALongPathIsCutInItsMiddleSoItsFileNameShows) {
  const std::string path = "C:\\Program Files\\QUIL 3D\\quil-e2e-1234-5678-abcdef\\info\\InitFlag.flg";
  // The owner's module is where the dialog's template is taken from.
  const support::UniqueWindow owner(
      CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, module_, nullptr));
  ASSERT_TRUE(owner);
  DialogScripts scripts;
  scripts.Expect(IDC_FILE_ERROR_PATH, [&](HWND dialog) {
    const HWND line = GetDlgItem(dialog, IDC_FILE_ERROR_PATH);
    RECT box = {};
    GetClientRect(line, &box);
    support::Canvas shown(box.right, box.bottom), expected(box.right, box.bottom);
    ASSERT_TRUE(shown && expected);
    SendMessageA(line, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shown.dc()), PRF_CLIENT);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(expected.dc()), reinterpret_cast<LPARAM>(line)));
    FillRect(expected.dc(), &box, brush);
    const win::SelectGuard font(expected.dc(),
                                reinterpret_cast<HGDIOBJ>(SendMessageA(line, WM_GETFONT, 0, 0)));
    DrawTextA(expected.dc(), path.c_str(), -1, &box, DT_LEFT | DT_SINGLELINE | DT_PATH_ELLIPSIS);
    EXPECT_TRUE(std::equal(shown.bits(), shown.bits() + box.right * box.bottom, expected.bits()));
    EndDialog(dialog, 2);
  });
  EXPECT_EQ(FileErrorDialog(owner.get(), path.c_str(), ""), 2);
  EXPECT_EQ(scripts.Played(), 1);
}

}  // namespace
