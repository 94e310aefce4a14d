// The error box as the user meets it: read from another thread, the way a
// person reads a box on the screen, then confirmed with its button.
#include "services/error_box.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

struct SeenBox {
  std::string caption;
  std::string text;
  HWND owner = nullptr;
  int buttons = 0;
  bool found = false;
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
  for (int tries = 0; tries < 500 && !seen.found; ++tries) {
    Sleep(10);
    HWND box = FindWindowA("#32770", nullptr);
    DWORD process = 0;
    GetWindowThreadProcessId(box, &process);
    if (box == nullptr || process != GetCurrentProcessId() || !IsWindowVisible(box)) {
      continue;
    }
    char text[512] = {};
    GetWindowTextA(box, text, sizeof text);
    seen.caption = text;
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    seen.text = text;
    seen.owner = GetWindow(box, GW_OWNER);
    EnumChildWindows(box, CountButton, reinterpret_cast<LPARAM>(&seen.buttons));
    seen.found = true;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  }
  return seen;
}

TEST(ErrorBox, ShowsTheTextUnderMessageWithOneOkButtonAndNoOwner) {
  SeenBox seen;
  std::thread reader([&] { seen = ReadAndConfirm(); });
  const int result = ErrorBox("Bmp File Open Error");
  reader.join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(seen.caption, "Message");
  EXPECT_EQ(seen.text, "Bmp File Open Error");
  EXPECT_EQ(seen.owner, nullptr);
  EXPECT_EQ(seen.buttons, 1);
}

TEST(ErrorBox, ATextIsShownAsItIsNeverAsAFormatAndCutToItsBuffer) {
  SeenBox seen;
  std::thread reader([&] { seen = ReadAndConfirm(); });
  ErrorBox("100% %s %n done");
  reader.join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.text, "100% %s %n done");

  const std::string longText(400, 'x');
  std::thread longReader([&] { seen = ReadAndConfirm(); });
  ErrorBox(longText.c_str());
  longReader.join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.text, std::string(199, 'x'));
}

}  // namespace
