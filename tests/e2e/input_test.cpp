// The key settings as two players set them: keys bound by releasing them in
// the boxes, the focus handed on, the joysticks swapped, DONE, RESET and
// CANCEL, and the file the game reads.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/e2e/driver/driver.h"
#include "tests/e2e/driver/places.h"
#include "tests/e2e/stage_fixture.h"

namespace {

using e2e::WindowFacts;
using std::chrono::milliseconds;
using namespace e2e::place;

const std::vector<std::string> kBuiltIn(std::begin(kBuiltInKeyNames), std::end(kBuiltInKeyNames));

class InputSettings : public OnTheStage {
 protected:
  void SetUp() override {
    shipped_ = *game_.Read("info\\keyvalue.cfg");
    StartLauncher();
    ASSERT_TRUE(e2e::ToOptionsMenu(stage_->handle));
  }
  void OpenDialog() {
    dialog_ = OpenSettings(Settings::kInput);  // SETUP INPUT DEVICE
    ASSERT_TRUE(dialog_);
  }
  void Click(POINT client) { e2e::LeftClickInClient(dialog_, client); }
  void Close(POINT button) {
    Click(button);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(dialog_); }));
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int id = IDC_FIRST_KEY_BOX; id < IDC_FIRST_KEY_BOX + 12; ++id) {
      names.push_back(e2e::ControlText(dialog_, id));
    }
    return names;
  }
  // The key box that has the focus (its id), 0 for none.
  int FocusedBox() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog_, nullptr), &info);
    return info.hwndFocus != nullptr ? GetDlgCtrlID(info.hwndFocus) : 0;
  }
  // Presses and releases a key; the box that had the focus binds it (or not)
  // and hands the focus on.
  void Release(WORD key) {
    const int before = FocusedBox();
    e2e::PressKey(key);
    e2e::WaitUntil([&] { return FocusedBox() != before; }, milliseconds(3000));
  }
  // Which joystick a place shows (the faces differ only in their number).
  bool ShowsJoystick(POINT place, int face) {
    return e2e::ShowsFaceRatherThan(dialog_, place, face, kJoystick1Face + kJoystick2Face - face);
  }

  std::string shipped_;
  HWND dialog_ = nullptr;
};

TEST_F(InputSettings, KeysAreCapturedOnReleaseSavedAsShownAndSeenByTheGame) {
  OpenDialog();
  EXPECT_EQ(Names(), kBuiltIn);
  EXPECT_EQ(FocusedBox(), IDC_FIRST_KEY_BOX);
  EXPECT_TRUE(ShowsJoystick(kPlayer1Place, kJoystick1Face)) << "JOYSTICK 1 under player 1";

  Release(VK_UP);  // 1035
  EXPECT_EQ(e2e::ControlText(dialog_, IDC_FIRST_KEY_BOX), "Up");
  EXPECT_EQ(FocusedBox(), IDC_FIRST_KEY_BOX + 1);
  Release('Q');     // 1036
  Release(VK_TAB);  // 1037: not bindable, the focus moves on
  EXPECT_EQ(FocusedBox(), IDC_FIRST_KEY_BOX + 3);
  Release(VK_NUMPAD8);    // 1038
  Release(VK_RCONTROL);   // 1039
  Release(VK_RETURN);     // 1040
  Release(VK_SEPARATOR);  // 1041: no such key in the table
  Release(VK_RIGHT);      // 1042
  Release(VK_ESCAPE);     // 1043: Escape binds and leaves no box focused
  EXPECT_EQ(FocusedBox(), 0);
  const std::vector<std::string> shown = Names();
  EXPECT_EQ(shown, (std::vector<std::string>{"Up", "Q", "Right", "Num 8", "Ctrl", "Enter", "W", "Right",
                                             "Escape", "S", "Shift", "Ctrl"}));

  // The last box hands the focus back to the first.
  e2e::LeftClickControl(dialog_, IDC_LAST_KEY_BOX);
  Release('Z');
  EXPECT_EQ(e2e::ControlText(dialog_, IDC_LAST_KEY_BOX), "Z");
  EXPECT_EQ(FocusedBox(), IDC_FIRST_KEY_BOX);

  // A right click in a box opens no menu: the pointer moved on from it still
  // lights JOYSTICK 1 (no menu holds the mouse).
  const POINT box = e2e::ClientToScreenPoint(dialog_, kFirstKeyBox.x, kFirstKeyBox.y);
  e2e::MoveMouseTo(box.x, box.y);
  INPUT right[2] = {};
  right[0].type = right[1].type = INPUT_MOUSE;
  right[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
  right[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
  SendInput(2, right, sizeof right[0]);
  const POINT player1 = e2e::ClientToScreenPoint(dialog_, kPlayer1Place.x, kPlayer1Place.y);
  e2e::MoveMouseTo(player1.x, player1.y);
  EXPECT_TRUE(e2e::ShowsFaceRatherThan(dialog_, kPlayer1Place, IDB_JOYSTICK_1 + kLit, kJoystick1Face));
  EXPECT_FALSE(launcher_->FindTopWindow([](const WindowFacts& w) { return w.className == "#32768"; }));

  // JOYSTICK 1 pressed at player 1's place: the two change places, both
  // normal after the release, the pointer still on the place.
  Click(kPlayer1Place);
  EXPECT_TRUE(e2e::ShowsFaceRatherThan(dialog_, kPlayer1Place, kJoystick2Face, IDB_JOYSTICK_2 + kLit));
  e2e::MoveMouseTo(2, 2);
  EXPECT_TRUE(ShowsJoystick(kPlayer1Place, kJoystick2Face)) << "JOYSTICK 2 under player 1";
  EXPECT_TRUE(ShowsJoystick(kPlayer2Place, kJoystick1Face)) << "JOYSTICK 1 under player 2";
  e2e::SaveScreenshot("input-keys-bound-joysticks-swapped");

  Close(kInputDone);
  EXPECT_EQ(game_.Read("info\\keyvalue.cfg"),
            KeysFile({"328", "16", "333", "72", "29", "28", "17", "333", "1", "31", "42", "44"}, "1", "1"));

  // CANCEL writes nothing, and the next opening shows the file again.
  const std::optional<std::string> saved = game_.Read("info\\keyvalue.cfg");
  OpenDialog();
  EXPECT_EQ(Names()[1], "Q");
  EXPECT_TRUE(ShowsJoystick(kPlayer1Place, kJoystick2Face));
  // Held down there, the place shows JOYSTICK 2 pressed.
  const POINT held = e2e::ClientToScreenPoint(dialog_, kPlayer1Place.x, kPlayer1Place.y);
  e2e::MoveMouseTo(held.x, held.y);
  e2e::LeftButton(true);
  EXPECT_TRUE(e2e::ShowsFaceRatherThan(dialog_, kPlayer1Place, IDB_JOYSTICK_2, IDB_JOYSTICK_1));
  e2e::LeftButton(false);
  Release('X');
  Click(kInputReset);
  Close(kInputCancel);
  EXPECT_EQ(game_.Read("info\\keyvalue.cfg"), saved);

  // RESET shows the built-in set and the joysticks' own places; DONE saves
  // exactly the built-in file.
  OpenDialog();
  EXPECT_EQ(Names()[0], "Up");
  Click(kInputReset);
  EXPECT_TRUE(e2e::WaitUntil([&] { return Names() == kBuiltIn; }, milliseconds(3000)));
  e2e::MoveMouseTo(2, 2);
  EXPECT_TRUE(ShowsJoystick(kPlayer1Place, kJoystick1Face));
  Close(kInputDone);
  EXPECT_EQ(game_.Read("info\\keyvalue.cfg"), shipped_);
  // Opened again, DONE without RESET marks the same keys chosen.
  OpenDialog();
  Close(kInputDone);
  EXPECT_EQ(game_.Read("info\\keyvalue.cfg"), std::string("1").append(shipped_, 1));

  // Codes without a name show empty boxes. A key captured after RESET is
  // saved with the built-in keys, and a press on a place released off it
  // swaps the joysticks too, as the faces then say.
  game_.Write("info\\keyvalue.cfg",
              KeysFile({"2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "43", "999"}, "1", "0"));
  OpenDialog();
  EXPECT_EQ(Names()[10] + Names()[11], "") << "a code without a name, a code beyond the table";
  Click(kInputReset);
  e2e::LeftClickControl(dialog_, IDC_FIRST_KEY_BOX);
  Release('K');
  e2e::LeftDrag(e2e::ClientToScreenPoint(dialog_, kPlayer1Place.x, kPlayer1Place.y),
                e2e::ClientToScreenPoint(dialog_, kBetweenThePlaces.x, kBetweenThePlaces.y));
  e2e::MoveMouseTo(2, 2);
  EXPECT_TRUE(ShowsJoystick(kPlayer1Place, kJoystick2Face)) << "JOYSTICK 2 under player 1";
  EXPECT_TRUE(ShowsJoystick(kPlayer2Place, kJoystick1Face)) << "JOYSTICK 1 under player 2";
  Close(kInputDone);
  EXPECT_EQ(game_.Read("info\\keyvalue.cfg"),
            KeysFile({"37", "331", "333", "336", "26", "27", "17", "30", "32", "31", "42", "29"}, "1", "1"));

  // The whole way: a key saved here reaches the stand-in game, started from
  // the main menu while the launcher waits minimized.
  OpenDialog();
  Release('Q');  // player 1 Up
  Close(kInputDone);
  ASSERT_TRUE(e2e::ToMainMenu(stage_->handle));
  ClickOnStage(kStartGame);
  ASSERT_NO_FATAL_FAILURE(StartWithCurrentDriver());

  HWND game = nullptr;
  ASSERT_TRUE(e2e::WaitUntil([&] { return (game = FindWindowA("Quil3D Game", nullptr)) != nullptr; }));
  EXPECT_TRUE(IsIconic(GetParent(stage_->handle))) << "the launcher waits minimized";
  EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ControlText(game, 111) == "Q"; })) << "player 1 Up as saved";
  EXPECT_EQ(e2e::ControlText(game, 112), "Left");
  e2e::SaveScreenshot("input-game-sees-the-keys");
  // The game ends by itself; a card that fails on this display is explained.
  EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(game); }));
  BackFromTheGame();
}

}  // namespace
