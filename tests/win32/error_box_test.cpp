// The error box as the user meets it: read from another thread, the way a
// person reads a box on the screen, then confirmed with its button; and what
// the file-error dialog draws.
#include "services/error_box.h"
#include "services/file_error_dialog.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <tuple>

#include "common/win/handles.h"
#include "resources/resource.h"
#include "tests/support/canvas.h"
#include "tests/win32/dialog_scripts.h"
#include "tests/win32/in_process.h"

namespace {

struct SeenBox {
  std::string caption, text;
  HWND owner = nullptr;
  int buttons = 0, result = 0;
  bool found = false;
};

// The error box with `text` over `owner`, read from another thread once it
// shows (a fresh run's first window takes about 10 s), then confirmed with OK.
// One that has not shown within a minute counts as not shown, and is confirmed
// unseen, so that the test fails instead of waiting for ever.
SeenBox Shown(const char* text, HWND owner = nullptr) {
  SeenBox seen;
  const DWORD thread = GetCurrentThreadId();
  std::atomic<bool> returned = false;
  std::thread reader([&] {
    HWND box = nullptr;
    const auto look = [&] {
      for (box = FindWindowExA(nullptr, nullptr, "#32770", nullptr);
           box != nullptr && GetWindowThreadProcessId(box, nullptr) != thread;) {
        box = FindWindowExA(nullptr, box, "#32770", nullptr);
      }
      return box != nullptr && IsWindowVisible(box);
    };
    seen.found = e2e::WaitUntil([&] { return look() || returned; }, std::chrono::seconds(60)) && !returned;
    if (seen.found) {
      char read[512] = {};
      GetWindowTextA(box, read, sizeof read);
      seen.caption = read;
      GetDlgItemTextA(box, 0xFFFF, read, sizeof read);
      seen.text = read;
      seen.owner = GetWindow(box, GW_OWNER);
      for (HWND b = FindWindowExA(box, nullptr, "Button", nullptr); b;
           b = FindWindowExA(box, b, "Button", nullptr)) {
        ++seen.buttons;
      }
    }
    e2e::WaitUntil([&] {
      look();
      if (box != nullptr) {
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      }
      return returned.load();
    });
  });
  seen.result = ErrorBox(owner, text);
  returned = true;
  reader.join();
  return seen;
}

TEST(ErrorBox, ShowsTheTextAsItIsUnderMessageWithOneOkButtonOwnedByTheWindowItSpeaksOver) {
  const support::UniqueWindow owner(CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                                    nullptr, nullptr, nullptr, nullptr));
  // A text is shown as it is, never as a format, and cut to its buffer.
  for (const std::string& text :
       {std::string("Bmp File Open Error"), std::string("100% %s %n done"), std::string(400, 'x')}) {
    const SeenBox seen = Shown(text.c_str(), owner.get());
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(std::make_tuple(seen.result, seen.caption, seen.text, seen.owner, seen.buttons),
              std::make_tuple(IDOK, std::string("Message"), text.substr(0, 199), owner.get(), 1));
  }
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
