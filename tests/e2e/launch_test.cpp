// Starting the game as a player does: the driver question before a first
// start, the launcher out of the way while the game runs, the report after a
// failing 3D card, a game that cannot be started, and the home page.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "game/game_ids.h"
#include "tests/e2e/driver/driver.h"
#include "tests/e2e/driver/places.h"
#include "tests/e2e/stage_fixture.h"

namespace {

using e2e::GameCopy;
using e2e::Launcher;
using e2e::WindowFacts;
using std::chrono::milliseconds;

constexpr char kCardReport[] =
    "Due to the installed 3D card not working properly, QUIL 3D is having trouble executing its program. "
    "Please check the video calibration for an appropriate 3D card.";

// Whether a dialog's icon control holds an icon.
bool ShowsAnIcon(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      return SendMessageA(child, STM_GETICON, 0, 0) != 0;
    }
  }
  return false;
}

std::vector<std::string> ChildTexts(HWND dialog) {
  std::vector<std::string> texts;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    char text[512] = {};
    GetWindowTextA(child, text, sizeof text);
    texts.emplace_back(text);
  }
  return texts;
}

class StartGame : public OnTheStage {
 protected:
  void Start(const char* firstRunFlag) {
    game_.Write("info\\InitFlag.flg", firstRunFlag);
    StartLauncher();
    frame_ = launcher_->WaitForFrame();
    ASSERT_TRUE(frame_);
  }
  // The launcher is back: its frame restored and its stage on screen.
  bool Restored() {
    return e2e::WaitUntil(
        [&] {
          return !IsIconic(frame_->handle) && IsWindowVisible(stage_->handle) && !IsIconic(stage_->handle);
        },
        milliseconds(20000));
  }

  std::optional<WindowFacts> frame_;
};

TEST_F(StartGame, TheDriverQuestionComesBeforeAFirstStartOnly) {
  const ScopedVariable exitAtOnce("QUIL_GAME_EXIT_CODE", "0");
  Start("0\r\n");
  game_.Remove("Info\\GameMode.dat");
  ClickOnStage(e2e::place::kStartGame);
  auto question = WaitForDialogWith(IDC_START_WITH_CURRENT_DRIVER);
  ASSERT_TRUE(question);
  EXPECT_EQ(question->owner, stage_->handle);
  EXPECT_FALSE(question->style & WS_CAPTION);
  EXPECT_EQ(e2e::ControlText(question->handle, IDC_START_WITH_CURRENT_DRIVER),
            "Start the game by current OpenGL driver.");
  EXPECT_EQ(e2e::ControlText(question->handle, IDC_START_AFTER_SETTING_DRIVER),
            "Start the game after setting OpenGL driver.");
  const std::vector<std::string> texts = ChildTexts(question->handle);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Check if the OpenGL driver is installed correctly."),
            texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(),
                      "You can set the OpenGL driver  in the Option Menu, Video Calibration."),
            texts.end());
  e2e::SaveScreenshot("launch-driver-check");
  e2e::PressKey(VK_ESCAPE);
  EXPECT_TRUE(e2e::PushedDown(GetDlgItem(question->handle, IDC_START_AFTER_SETTING_DRIVER)));
  EXPECT_TRUE(IsWindow(question->handle)) << "Escape leaves the question open";

  // "after setting": the game-mode file was written before the question, and
  // nothing is started.
  e2e::LeftButton(false);
  ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(question->handle); }));
  const auto mode = game_.Read("Info\\GameMode.dat");
  ASSERT_TRUE(mode);
  EXPECT_TRUE(std::regex_match(
      *mode, std::regex("0\r\n([1-9]|1[0-2])::([1-9]|[12][0-9]|3[01])::([0-9]|1[0-9]|2[0-3])::"
                        "([0-9]|[1-5][0-9])\r\n")))
      << *mode;
  EXPECT_FALSE(IsIconic(frame_->handle));

  // A game that cannot be started is reported once the launcher is back.
  const auto cannotStart = [&] {
    const auto box = e2e::WaitForMessageBox(*launcher_);
    ASSERT_TRUE(box);
    EXPECT_FALSE(IsIconic(frame_->handle)) << "the box came before the launcher was back";
    EXPECT_EQ(e2e::AnswerMessageBox(*box), "Cannot start .\\proc.exe");
    EXPECT_TRUE(Restored());
  };
  const std::string proc = game_.Read("proc.exe").value_or("");
  game_.Remove("proc.exe");
  // Asked again, then "by current", with the game missing.
  ClickOnStage(e2e::place::kStartGame);
  ASSERT_NO_FATAL_FAILURE(StartWithCurrentDriver());
  cannotStart();

  // A second start asks nothing: minimized, the game runs and ends, back.
  game_.Write("proc.exe", proc);
  ClickOnStage(e2e::place::kStartGame);
  EXPECT_FALSE(WaitForDialogWith(IDC_START_WITH_CURRENT_DRIVER, milliseconds(2000)));
  EXPECT_TRUE(Restored());
  const RECT placed = e2e::Describe(stage_->handle).rect;
  EXPECT_EQ(placed.left, (e2e::ScreenWidth() - 640) / 2);
  EXPECT_EQ(placed.top, (e2e::ScreenHeight() - 480) / 2);

  // Back, the menu is drawn afresh: START GAME normal, not as pressed, though
  // the pointer is still on it. Then once more without the game.
  EXPECT_TRUE(ShowsButtonFace(stage_->handle, e2e::place::kStartGameButton, e2e::place::kNormal));
  game_.Remove("proc.exe");
  ClickOnStage(e2e::place::kStartGame);
  cannotStart();

  // QUIT with no browser in the folder: a box says so, START GAME clicked
  // while it is up does nothing, and the launcher ends with the flag saved.
  game_.Remove("Info\\GameMode.dat");
  ClickOnStage(e2e::place::kQuit);
  const auto box = e2e::WaitForMessageBox(*launcher_);
  ASSERT_TRUE(box);
  ClickOnStage(e2e::place::kStartGame);
  EXPECT_EQ(e2e::AnswerMessageBox(*box), "Web browsers not find");
  EXPECT_EQ(launcher_->WaitForExit(), 0u);
  EXPECT_FALSE(e2e::FileExists(game_.PathOf("Info\\GameMode.dat"))) << "START GAME ran under the box";
  EXPECT_EQ(game_.Read("info\\InitFlag.flg"), "1\r\n");
}

// The launcher hands the game its own environment, fixed when it started: a
// launcher per case. A game that ends with the platform's "still active"
// code (259) is noticed too.
TEST_F(StartGame, TheGamesLogDecidesTheReportAndIsGoneAfterwards) {
  const struct {
    const char* log;  // what the game leaves; null for no log
    bool report;
    const char* exitCode = "0";
  } cases[] = {
      {"1 card failed", true}, {"0", false},     {"7\\n1", true},         {"7\\n0", false},
      {"  \t1", true},         {nullptr, false}, {nullptr, false, "259"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.log != nullptr ? c.log : "no log") + ", exit code " + c.exitCode);
    const ScopedVariable exitCode("QUIL_GAME_EXIT_CODE", c.exitCode), log("QUIL_GAME_LOG", c.log);
    Start("1\r\n");
    ClickOnStage(e2e::place::kStartGame);
    if (c.report) {
      const auto report = WaitForDialogWith(IDC_REPORT_TEXT);
      ASSERT_TRUE(report);
      EXPECT_EQ(e2e::ControlText(report->handle, IDC_REPORT_TEXT), kCardReport);
      EXPECT_TRUE(ShowsAnIcon(report->handle)) << "the report's icon, while no launcher window is active";
      e2e::SaveScreenshot("launch-card-report");
      e2e::PressKey(VK_ESCAPE);
      EXPECT_TRUE(e2e::PushedDown(GetDlgItem(report->handle, IDC_REPORT_OK)));
      EXPECT_TRUE(IsWindow(report->handle)) << "only OK closes the report";
      e2e::LeftButton(false);  // OK clicked
      EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(report->handle); }));
    } else {
      EXPECT_TRUE(MainMenuAnswers());
      EXPECT_FALSE(launcher_->FindTopWindow(IsCardReport));
    }
    EXPECT_TRUE(Restored());
    EXPECT_FALSE(e2e::FileExists(game_.PathOf("Info\\Proc.log")));
    CloseCleanly();
  }
}

// A player's double-click on START GAME, with the stand-in game as players
// see it (a window, a few seconds): one game. While the game runs the
// launcher answers what other programs send it and keeps what is posted to
// it for later; the input that reached it meanwhile is dropped. Windows
// queues a click for the window under the pointer, Wine picks it only when
// the click is read, so the input of the second round is posted as Windows
// would queue it.
TEST_F(StartGame, ADoubleClickStartsOneGameAndTheLauncherAnswersWhileItRuns) {
  // The game shows its window 30 s: each round ends it with a key. Its card
  // fails: a report follows each game.
  const ScopedVariable seconds("QUIL_GAME_SECONDS", "30"), log("QUIL_GAME_LOG", "1");
  Start("1\r\n");
  const POINT startGame =
      e2e::ClientToScreenPoint(stage_->handle, e2e::place::kStartGame.x, e2e::place::kStartGame.y);
  const LPARAM onStartGame = MAKELPARAM(e2e::place::kStartGame.x, e2e::place::kStartGame.y);
  // The game's window once the game waits for its own input: the launcher is
  // then in its wait for the game's end (past the wait for it to settle).
  const auto gameRuns = [&] {
    HWND gameWindow = nullptr;
    EXPECT_TRUE(e2e::WaitUntil([&] {
      gameWindow = FindWindowA(game::kWindowClass, nullptr);
      return gameWindow != nullptr && IsWindowVisible(gameWindow);
    })) << "the game shows its window";
    DWORD gameProcess = 0;
    GetWindowThreadProcessId(gameWindow, &gameProcess);
    const win::UniqueKernelHandle process(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, gameProcess));
    EXPECT_TRUE(process);
    WaitForInputIdle(process.get(), 10000);
    // Every start request writes it anew: its coming back would mean a second.
    game_.Remove("Info\\GameMode.dat");
    return gameWindow;
  };
  const auto answered = [&](HWND window, UINT message) {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(window, message, 0, 0, SMTO_NORMAL, 3000, &answer) != 0;
  };

  // A double-click as one burst of input, and messages sent meanwhile. A
  // second start leaves the game in front, with the keys: Space ends it.
  e2e::DoubleClickAt(startGame.x, startGame.y);
  HWND game = gameRuns();
  for (const HWND window : {frame_->handle, stage_->handle}) {
    EXPECT_TRUE(answered(window, WM_SETTINGCHANGE)) << "no answer while the game runs";
  }
  EXPECT_EQ(Launcher(game_).WaitForExit(), 0u);
  EXPECT_TRUE(IsIconic(frame_->handle)) << "a second start restored the launcher over the game";
  ASSERT_TRUE(e2e::WaitUntil([&] { return GetForegroundWindow() == game; }));
  // START GAME pressed again, and Alt+F4, queued while the game runs.
  PostMessageA(stage_->handle, WM_LBUTTONDOWN, MK_LBUTTON, onStartGame);
  PostMessageA(stage_->handle, WM_LBUTTONUP, 0, onStartGame);
  PostMessageA(stage_->handle, WM_SYSKEYDOWN, VK_F4, 0x20000001);
  e2e::PressKey(VK_SPACE);
  // Input is taken in order: START GAME lights up only once anything queued
  // before the move has been handled.
  EXPECT_TRUE(BackFromTheGame());
  EXPECT_FALSE(e2e::FileExists(game_.PathOf("Info\\GameMode.dat")))
      << "a queued click started the game again";
  EXPECT_FALSE(IsIconic(frame_->handle));
  ASSERT_TRUE(launcher_->Running()) << "a queued Alt+F4 closed the launcher";

  // A close posted while the game runs (the taskbar's Close of the minimized
  // launcher) waits for the game's end and its report.
  ClickOnStage(e2e::place::kStartGame);
  game = gameRuns();
  PostMessageA(frame_->handle, WM_CLOSE, 0, 0);
  EXPECT_TRUE(answered(stage_->handle, WM_SETTINGCHANGE));
  EXPECT_TRUE(IsWindow(stage_->handle)) << "the posted close was taken while the game ran";
  PostMessageA(game, WM_KEYDOWN, VK_SPACE, 0);
  auto report = WaitForDialogWith(IDC_REPORT_TEXT);
  ASSERT_TRUE(report) << "the posted close took the report with it";
  EXPECT_EQ(report->owner, stage_->handle) << "the close came before the report";
  EXPECT_TRUE(e2e::PushedDown(GetDlgItem(report->handle, IDC_REPORT_OK))) << "the report went by itself";
  e2e::LeftButton(false);  // OK clicked
  EXPECT_EQ(launcher_->WaitForExit(), 0u);

  // A close sent while the game runs ends the launcher then, once the report
  // has been answered; nothing of it is restored.
  Start("1\r\n");
  ClickOnStage(e2e::place::kStartGame);
  game = gameRuns();
  EXPECT_TRUE(answered(stage_->handle, WM_CLOSE));
  EXPECT_FALSE(IsWindow(stage_->handle));
  PostMessageA(game, WM_KEYDOWN, VK_SPACE, 0);
  report = WaitForDialogWith(IDC_REPORT_TEXT);
  ASSERT_TRUE(report) << "the close took the report with it";
  EXPECT_TRUE(e2e::PushedDown(GetDlgItem(report->handle, IDC_REPORT_OK))) << "the report went by itself";
  e2e::LeftButton(false);  // OK clicked
  // Watched in 1 ms steps until the launcher has ended. The frame may go
  // between two looks, and IsIconic answers no for a window that is gone: so
  // IsWindow is asked after it.
  bool restored = false;
  for (const DWORD start = GetTickCount();
       !launcher_->WaitForExit(milliseconds(1)) && GetTickCount() - start < 30000;) {
    restored = restored || (!IsIconic(frame_->handle) && IsWindow(frame_->handle));
  }
  EXPECT_FALSE(restored) << "the frame came back after the stage had gone";
  EXPECT_EQ(launcher_->WaitForExit(), 0u);
  EXPECT_FALSE(e2e::FileExists(game_.PathOf("Info\\Proc.log")));
  EXPECT_EQ(game_.Read("info\\InitFlag.flg"), "1\r\n");
}

// The home page goes to the first browser the shell finds, iexplore.exe
// before netscape.exe: with the second alone, and with both (with none: the
// driver question's walk). The stand-in browser records how it was started.
TEST_F(StartGame, QuitOpensTheHomePageInTheFirstBrowserFound) {
  const struct {
    std::vector<const char*> offered;
    const char* started;
    const char* passedOver;
  } cases[] = {
      {{"netscape.exe"}, "netscape", "iexplore"},
      {{"netscape.exe", "iexplore.exe"}, "iexplore", "netscape"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.started);
    for (const char* name : c.offered) {
      ASSERT_TRUE(InstallRecordingBrowser(game_, name));
    }
    game_.Remove("browser-started.txt");
    Start("0\r\n");
    ClickOnStage(e2e::place::kQuit);
    EXPECT_EQ(launcher_->WaitForExit(), 0u);
    const auto record = e2e::BrowserRecord(game_);
    ASSERT_TRUE(record);
    const std::string page = game_.PathOf("Homepage\\default.html");
    EXPECT_NE(record->find(page), std::string::npos) << *record;
    EXPECT_NE(record->find(c.started), std::string::npos) << *record;
    EXPECT_EQ(record->find(c.passedOver), std::string::npos) << *record;
    EXPECT_EQ(std::count(record->begin(), record->end(), '\n'), 2) << "one browser, once: " << *record;
    EXPECT_EQ(record->substr(record->size() - 2), "3\n") << "maximized: " << *record;
  }
}

}  // namespace
