// An evening with the launcher in this process (README "Tests"): after every
// round the handle ledger must stand where the first round left it, kind by
// kind. The rounds are worked with messages as the pointer would send them:
// to the stage from here (the cursor put there too: the menus read it), and
// inside each dialog's modal loop by its script (tests/win32/dialog_scripts.h),
// which also reads and confirms the message boxes shown on the way.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "common/handle_ledger.h"
#include "launch/after_game_report.h"
#include "launch/driver_check_dialog.h"
#include "menus/menu_controller.h"
#include "resources/resource.h"
#include "settings/video/driver_dialogs.h"
#include "shell/app_windows.h"
#include "services/first_run_flag.h"
#include "shell/shell_state.h"
#include "tests/e2e/driver/driver.h"
#include "tests/e2e/driver/places.h"
#include "tests/win32/dialog_scripts.h"
#include "tests/win32/in_process.h"

namespace {

// 200 rounds unless QUIL_SOAK_ROUNDS asks for another number.
int Rounds() {
  const char* asked = std::getenv("QUIL_SOAK_ROUNDS");
  const int rounds = asked != nullptr ? std::atoi(asked) : 0;
  return rounds > 0 ? rounds : 200;
}

// Client points that the end-to-end tests do not name: a point on no button
// of the stage, one on no button of any dialog, and the how-to-play viewer's
// PREVIOUS.
using namespace e2e::place;
constexpr POINT kOffTheButtons{320, 420}, kDialogCorner{4, 4}, kPreviousPage{41, 313};

struct Evening {
  std::unique_ptr<e2e::GameCopy> game;
  std::unique_ptr<DialogScripts> scripts;
  char previousFolder[MAX_PATH] = {};
  ledger::Snapshot beforeTheLauncher;
};

Evening evening;

HWND Stage() {
  return Shell().stage;
}

// Every message waiting, as the launcher's message loop would take them:
// whether one asked to quit (a failure unless `quitting`).
bool Pump(bool quitting = false) {
  MSG message;
  bool quit = false;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      EXPECT_TRUE(quitting) << "the launcher asked to quit";
      quit = true;
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return quit;
}

void PointAt(POINT client) {
  const POINT screen = e2e::ClientToScreenPoint(Stage(), client.x, client.y);
  SetCursorPos(screen.x, screen.y);
  SendMessageA(Stage(), WM_MOUSEMOVE, 0, pointer::At(client));
}

void PressOnStage(POINT client) {
  PointAt(client);
  SendMessageA(Stage(), WM_LBUTTONDOWN, MK_LBUTTON, pointer::At(client));
  SendMessageA(Stage(), WM_LBUTTONUP, 0, pointer::At(client));
}

void HoverOnStage(POINT client) {
  PointAt(client);
  PointAt(kOffTheButtons);
}

SIZE_T PrivateBytes() {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.PagefileUsage;
}

// The ledger while a round's dialog is open, noted once it is painted.
std::optional<ledger::Snapshot> whileOpen;

void Paint(HWND dialog) {
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW | RDW_UPDATENOW);
  whileOpen = ledger::Take();
}

DialogScripts& Scripts() {
  return *evening.scripts;
}

// The next dialog that has `control` painted, then its `button` clicked.
void ExpectClick(int control, int button) {
  Scripts().Expect(control, [button](HWND dialog) {
    Paint(dialog);
    pointer::ClickControl(dialog, button);
  });
}

// What each round opens: its dialogs, and the message boxes it may show.
struct EachRound {
  int dialogs = 0;
  std::set<std::string> boxes = {};
};

// Runs `round` Rounds() times, the launcher's messages taken after each: the
// ledger after the last round, and with its dialog open, must read what it
// read for the first. Prints the counts, the private memory and the time.
void Soak(const char* what, const EachRound& expected, const std::function<void()>& round,
          int rounds = Rounds()) {
  const DWORD start = GetTickCount();
  const int played = Scripts().Played();
  whileOpen.reset();
  round();
  Pump();
  const ledger::Snapshot first = ledger::Take();
  const std::optional<ledger::Snapshot> firstOpen = whileOpen;
  const SIZE_T memoryFirst = PrivateBytes();
  for (int i = 1; i < rounds; ++i) {
    round();
    Pump();
  }
  const ledger::Snapshot last = ledger::Take();
  const std::optional<ledger::Snapshot> lastOpen = whileOpen;
  const SIZE_T memoryLast = PrivateBytes();
  const DWORD took = GetTickCount() - start;

  EXPECT_EQ(ledger::Changes(first, last), "") << what << ": " << rounds - 1 << " rounds after the first";
  std::printf("%s\n  after 1 round:    %s\n  after %d rounds: %s\n", what, ledger::Describe(first).c_str(),
              rounds, ledger::Describe(last).c_str());
  if (firstOpen && lastOpen) {
    EXPECT_EQ(ledger::Changes(*firstOpen, *lastOpen), "") << what << ": with the dialog open";
    std::printf("  open, round 1:    %s\n  open, round %d: %s\n", ledger::Describe(*firstOpen).c_str(),
                rounds, ledger::Describe(*lastOpen).c_str());
  }
  DialogScripts& scripts = Scripts();
  EXPECT_EQ(scripts.TakeUnplayed(), 0u) << what << ": a dialog expected did not open";
  EXPECT_EQ(scripts.Played() - played, expected.dialogs * rounds) << what;
  std::map<std::string, int> boxes;
  for (const std::string& text : scripts.TakeMessageBoxes()) {
    EXPECT_TRUE(expected.boxes.count(text)) << what << ": a message box says \"" << text << "\"";
    ++boxes[text];
  }
  for (const auto& [text, count] : boxes) {
    std::printf("  message box \"%s\" %d times\n", text.c_str(), count);
  }
  std::printf("  private memory %lu KiB after 1 round, %lu KiB after %d; %d rounds in %lu ms\n",
              static_cast<unsigned long>(memoryFirst / 1024), static_cast<unsigned long>(memoryLast / 1024),
              rounds, rounds, static_cast<unsigned long>(took));
  std::fflush(stdout);
  // Every sound played was caught in a file of its own on the test displays.
  e2e::SoundCapture::Clear();
}

void SoakInOptions(const char* what, const EachRound& expected, const std::function<void()>& round) {
  PressOnStage(kOption);
  Soak(what, expected, round);
  PressOnStage(kCloseOptions);
}

// The launcher as WinMain starts it, without the intro, in a copy of the game
// folder made the current folder; closed at the end as a player closes it.
class Launcher : public testing::Environment {
 public:
  void SetUp() override {
    evening.beforeTheLauncher = ledger::Take();
    evening.game = std::make_unique<e2e::GameCopy>();
    ASSERT_FALSE(evening.game->Folder().empty()) << "no game folder to copy (QUIL_GAME_DIR)";
    GetCurrentDirectoryA(MAX_PATH, evening.previousFolder);
    ASSERT_TRUE(SetCurrentDirectoryA(evening.game->Folder().c_str()));
    evening.scripts = std::make_unique<DialogScripts>();

    const HINSTANCE instance = GetModuleHandleA(nullptr);
    ShellState& shell = Shell();
    ASSERT_NE(RegisterWindowClass(FrameClassDescription(instance)), 0);
    ReadScreenMetrics();
    shell.frame = CreateFrameWindow(instance);
    ASSERT_NE(shell.frame, nullptr);
    EXPECT_EQ(ImageBits(image_slot::kFramePicture), nullptr)
        << "the frame's picture is not kept after its paint";
    ShowWindow(shell.frame, SW_SHOWNORMAL);
    UpdateWindow(shell.frame);
    WNDCLASSA stageClass = {};
    shell.stage = CreateStageWindow(shell.frame, stageClass, instance);
    ASSERT_NE(shell.stage, nullptr);
    ShowWindow(shell.stage, SW_SHOWNORMAL);
    UpdateWindow(shell.stage);
    SetForegroundWindow(shell.stage);
    Pump();
    EXPECT_EQ(ledger::Take()[ledger::Kind::kWindow], evening.beforeTheLauncher[ledger::Kind::kWindow] + 2)
        << "the frame and the stage";
  }

  // The evening ends with its last test (QUIT on the main menu); where that
  // test was left out, the launcher is closed here unchecked.
  void TearDown() override {
    if (Stage() != nullptr && IsWindow(Stage())) {
      support::UniqueWindow(Shell().frame).reset();
      HandleQueuedMessages();
    }
    evening.scripts.reset();
    SetCurrentDirectoryA(evening.previousFolder);
    evening.game.reset();
  }
};

const testing::Environment* const kLauncher = testing::AddGlobalTestEnvironment(new Launcher);

// The options menu opened and closed again; every button of both lit and let
// go, NETWORK GAME (drawn only) pressed as well.
TEST(Soak, MenusSwitchedAndTheirButtonsLit) {
  Soak("main menu <-> options menu, every button lit", {}, [] {
    for (POINT button : {kStartGame, kNetworkGame, kOption, kQuit}) {
      HoverOnStage(button);
    }
    PressOnStage(kNetworkGame);
    EXPECT_TRUE(Shell().menus->MainMenuActive());
    PressOnStage(kOption);
    for (POINT button : {kInputButton, kAudioButton, kVideoButton, kHowToPlayButton, kCloseOptions}) {
      HoverOnStage(button);
    }
    PressOnStage(kCloseOptions);
  });
}

// START GAME before the first game asks the driver question (289); "set the
// driver first" ends the request there. Then the question asked straight,
// answered "start with the current driver" (from START GAME that would start
// the game).
TEST(Soak, DriverQuestionBothWays) {
  Soak("driver question (289), both answers", {.dialogs = 2}, [&] {
    Shell().firstRunFlag = 0;
    ExpectClick(IDC_START_WITH_CURRENT_DRIVER, IDC_START_AFTER_SETTING_DRIVER);
    PressOnStage(kStartGame);
    EXPECT_EQ(Shell().firstRunFlag, 0) << "no game was started";
    ExpectClick(IDC_START_WITH_CURRENT_DRIVER, IDC_START_WITH_CURRENT_DRIVER);
    EXPECT_TRUE(DriverCheckDialog(Stage(), GetModuleHandleA(nullptr)));
  });
}

// The three pages turned both ways, then CLOSE.
TEST(Soak, HowToPlay) {
  SoakInOptions("how to play (293)", {.dialogs = 1}, [&] {
    Scripts().Expect(0, [](HWND dialog) {
      Paint(dialog);
      pointer::HoverAndPress(dialog, kHowToPlayNext, kDialogCorner);
      pointer::HoverAndPress(dialog, kPreviousPage, kDialogCorner);
      pointer::HoverAndPressToClose(dialog, kHowToPlayClose, kDialogCorner);
    });
    PressOnStage(kHowToPlayButton);
  });
}

// The mixer's reports on the test displays (Wine's mixer plays but cannot
// record), or on a machine without sound.
const std::set<std::string> kMixerReports = {" Mixer Open Error1", " Mixer Open Error2",
                                             " Mixer Open Error3"};

// Opened, DEFAULT lit, DONE. Opening sets the music level on the mixer, which
// reports twice on the test displays.
TEST(Soak, AudioSettings) {
  SoakInOptions("audio settings (178)", {.dialogs = 1, .boxes = kMixerReports}, [&] {
    Scripts().Expect(IDC_MUSIC_BAR, [](HWND dialog) {
      Paint(dialog);
      pointer::MoveTo(dialog, kSmallDefault);
      pointer::MoveTo(dialog, kDialogCorner);
      pointer::HoverAndPressToClose(dialog, kSmallDone, kDialogCorner);
    });
    PressOnStage(kAudioButton);
  });
}

// DEFAULT pressed 200 times in one opening: each press sets the music level
// too, with the mixer's two reports, so the rounds stay inside the dialog.
TEST(Soak, AudioDefaultPressedInOneOpening) {
  PressOnStage(kOption);
  const ledger::Snapshot before = ledger::Take();
  Scripts().Expect(IDC_MUSIC_BAR, [](HWND dialog) {
    Paint(dialog);
    Soak("audio settings (178), DEFAULT in one opening", {.boxes = kMixerReports},
         [dialog] { pointer::HoverAndPress(dialog, kSmallDefault, kDialogCorner); });
    pointer::HoverAndPressToClose(dialog, kSmallDone, kDialogCorner);
  });
  PressOnStage(kAudioButton);
  Pump();
  EXPECT_EQ(ledger::Changes(before, ledger::Take()), "");
  EXPECT_EQ(Scripts().TakeUnplayed(), 0u);
  Scripts().TakeMessageBoxes();
  PressOnStage(kCloseOptions);
}

// A key captured, both joysticks swapped, RESET; then DONE, and in a second
// opening CANCEL. When the dialog ends, each key box has its own procedure
// back, so that the edit control frees what it holds when it is destroyed
// (without, each opening left about 3.7 KiB behind).
TEST(Soak, InputSettingsClosedWithDoneAndWithCancel) {
  SoakInOptions("input settings (179), DONE and CANCEL", {.dialogs = 2}, [&] {
    for (const POINT close : {kInputDone, kInputCancel}) {
      Scripts().Expect(IDC_FIRST_KEY_BOX, [close](HWND dialog) {
        Paint(dialog);
        SendMessageA(GetDlgItem(dialog, IDC_FIRST_KEY_BOX), WM_KEYUP, VK_LEFT, 0);
        for (const POINT button : {kPlayer1Place, kPlayer2Place, kInputReset}) {
          pointer::HoverAndPress(dialog, button, kDialogCorner);
        }
        pointer::HoverAndPressToClose(dialog, close, kDialogCorner);
        for (int id = IDC_FIRST_KEY_BOX; id <= IDC_LAST_KEY_BOX; ++id) {
          const HWND box = GetDlgItem(dialog, id);
          EXPECT_EQ(GetWindowLongPtrA(box, GWLP_WNDPROC), GetClassLongPtrA(box, GCLP_WNDPROC))
              << "key box " << id;
        }
      });
      PressOnStage(kInputButton);
    }
  });
}

// DEFAULT; the last driver in the list, which the player installs (the guide
// 284 without a folder, CANCEL); one the launcher installs (309, OK); DONE.
TEST(Soak, VideoSettingsAndTheDriverGuides) {
  SoakInOptions("video settings (177) with the guides 284 and 309", {.dialogs = 3}, [&] {
    Scripts().Expect(IDC_DRIVER_LIST, [](HWND dialog) {
      Paint(dialog);
      pointer::HoverAndPress(dialog, kSmallDefault, kDialogCorner);
      const HWND list = GetDlgItem(dialog, IDC_DRIVER_LIST);
      const auto choose = [&](int index, int control, int button) {
        ExpectClick(control, button);
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_DRIVER_LIST, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
      };
      choose(6, IDC_GUIDE_DOWNLOAD, IDC_GUIDE_CANCEL);
      choose(1, IDC_INSTALLED_OK, IDC_INSTALLED_OK);
      pointer::HoverAndPressToClose(dialog, kSmallDone, kDialogCorner);
    });
    PressOnStage(kVideoButton);
  });
}

// The guide 284 for a driver with its folder in a deep game folder: the
// location keeps its ending, the driver's folder. Download: the drivers page
// offered to a browser (none on the test displays).
TEST(Soak, DriverGuideDownload) {
  const std::string deep = "C:\\Games\\" + std::string(90, 'q') + "\\Driver\\Kestrel";
  Soak("driver guide (284), Download", {.dialogs = 1, .boxes = {"Web browsers not find"}}, [&] {
    Scripts().Expect(IDC_GUIDE_DOWNLOAD, [](HWND guide) {
      char shown[128] = {};
      GetDlgItemTextA(guide, IDC_GUIDE_LOCATION, shown, sizeof shown);
      EXPECT_TRUE(std::string(shown).ends_with("...\\Driver\\Kestrel")) << shown;
      pointer::ClickControl(guide, IDC_GUIDE_DOWNLOAD);
    });
    EXPECT_TRUE(DriverGuideDialog(Stage(), GetModuleHandleA(nullptr), deep.c_str()));
  });
}

// QUIT: its click, its pause before the pressed face, the home page offered
// to a browser (none on the test displays) and the close it posts to the
// stage, which is taken off the queue here so that the evening goes on. The
// pause alone makes a round 0.3 s: fewer rounds here.
TEST(Soak, QuitWithItsCloseHeldBack) {
  Soak(
      "QUIT pressed, its close held back", {.boxes = {"Web browsers not find"}},
      [] {
        PressOnStage(kQuit);
        MSG close;
        EXPECT_TRUE(PeekMessageA(&close, Stage(), WM_CLOSE, WM_CLOSE, PM_REMOVE)) << "QUIT closes the stage";
        PointAt(kOffTheButtons);
      },
      std::min(Rounds(), 50));
}

// The game reported a failing 3D card: the report (307), OK.
TEST(Soak, AfterGameReport) {
  Soak("after-game report (307)", {.dialogs = 1}, [&] {
    evening.game->Write("Info\\Proc.log", "1\r\n");
    ExpectClick(IDC_REPORT_TEXT, IDC_REPORT_OK);
    AfterGameReport(Stage());
    EXPECT_FALSE(evening.game->Read("Info\\Proc.log")) << "the report deletes the log";
  });
}

// The evening ends with QUIT on the main menu: the stage closes, writes the
// flag, releases the pictures and the faces, and the frame asks to quit. What
// is left then are the run-long palettes alone; the frame, which the launcher
// leaves to the end of the process, is destroyed here to count it out too.
// Last in this file, so that it runs last.
TEST(SoakEnd, QuitLeavesOnlyTheRunLongPalettes) {
  ASSERT_TRUE(Stage() != nullptr && IsWindow(Stage()));
  if (Shell().menus->OptionsMenuActive()) {
    PressOnStage(kCloseOptions);
  }
  PressOnStage(kQuit);
  const bool quit = e2e::WaitUntil([] { return Pump(true); }, std::chrono::milliseconds(10000),
                                   std::chrono::milliseconds(1));
  EXPECT_TRUE(quit) << "closing the stage asks to quit";
  EXPECT_FALSE(IsWindow(Stage()));
  const ledger::Snapshot closed = ledger::Take();
  std::printf("launcher closed: %s\n", ledger::Describe(closed).c_str());
  for (const ledger::Kind kind : {ledger::Kind::kBitmap, ledger::Kind::kMemoryDc, ledger::Kind::kWindowDc,
                                  ledger::Kind::kFont, ledger::Kind::kBrush, ledger::Kind::kRegion}) {
    EXPECT_EQ(closed[kind], evening.beforeTheLauncher[kind]) << ledger::KindName(kind) << " left behind";
  }
  support::UniqueWindow(Shell().frame).reset();
  HandleQueuedMessages();
  EXPECT_EQ(ledger::Take()[ledger::Kind::kWindow], evening.beforeTheLauncher[ledger::Kind::kWindow]);
}

}  // namespace
