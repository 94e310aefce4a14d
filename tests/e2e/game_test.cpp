// The stand-in game as the launcher starts it in the game folder: what it
// shows of the launcher's files, the log it leaves (whether OpenGL worked,
// and with which library), the driver libraries that the launcher installs
// beside it, and the test hooks that the launcher's own tests use.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "game/game_ids.h"
#include "tests/e2e/driver/driver.h"
#include "tests/e2e/stage_fixture.h"

namespace {

using e2e::GameCopy;
using e2e::Launcher;
using e2e::WindowFacts;
using std::chrono::milliseconds;

constexpr char kProcLog[] = "info\\Proc.log";
constexpr char kGameMode[] = "info\\GameMode.dat";

// What this display gives OpenGL under Wine: a context with llvmpipe at 24
// bits, no pixel format at all in 256 colours.
bool DisplayHasOpenGl() {
  return TrueColourDisplay();
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

e2e::LaunchOptions TheGame(const GameCopy& game) {
  return {.program = game.PathOf("proc.exe"), .arguments = ""};
}

std::optional<WindowFacts> WaitForGameWindow(const Launcher& launcher) {
  return launcher.WaitForWindow([](const WindowFacts& w) { return w.className == game::kWindowClass; });
}

// The log's lines, once the game has written it. Every line must end with
// CR LF; a line that does not is reported and ends the list.
std::vector<std::string> LogLines(const GameCopy& game) {
  std::vector<std::string> lines;
  const std::optional<std::string> bytes = game.Read(kProcLog);
  if (!bytes) {
    ADD_FAILURE() << "the game left no Info\\Proc.log";
    return lines;
  }
  std::size_t start = 0;
  while (start < bytes->size()) {
    const std::size_t end = bytes->find("\r\n", start);
    if (end == std::string::npos || bytes->substr(start, end - start).find('\n') != std::string::npos) {
      ADD_FAILURE() << "a line of the log does not end with CR LF: " << bytes->substr(start);
      break;
    }
    lines.push_back(bytes->substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string Text(const WindowFacts& window, int id) {
  return e2e::ControlText(window.handle, id);
}

using Texts = std::vector<std::string>;
Texts TextsOf(const WindowFacts& window, std::initializer_list<int> ids) {
  Texts texts(ids.size());
  std::transform(ids.begin(), ids.end(), texts.begin(), [&](int id) { return Text(window, id); });
  return texts;
}

// The OpenGL line once the game has tried OpenGL. The game shows its window
// first and answers no messages while it starts OpenGL (which at 8 bits takes
// Wine seconds), so its texts are read after this.
std::string OpenGlText(const WindowFacts& window) {
  std::string text;
  e2e::WaitUntil([&] {
    text = Text(window, game::kOpenGlText);
    return !text.empty() && text != "starting";
  });
  return text;
}

// Presses a key in the game's window; the game then ends at once with 0.
void PressAKeyAndExpectTheEnd(Launcher& launcher, const WindowFacts& window) {
  ASSERT_TRUE(e2e::BringToFront(window.handle));
  e2e::PressKey(VK_SPACE);
  EXPECT_EQ(launcher.WaitForExit(milliseconds(3000)), 0u) << "a key ends the game at once";
}

// The lines after the status: the reason, the library and what follows.
void ExpectLogLines(const std::vector<std::string>& lines, const std::vector<std::string>& expected) {
  ASSERT_GE(lines.size(), expected.size()) << "the log's lines";
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1 << " of the log";
  }
}

std::string SystemLibraryLine() {
  char folder[MAX_PATH] = {};
  GetSystemDirectoryA(folder, MAX_PATH);
  return Lower(std::string("library: ") + folder + "\\opengl32.dll");
}

TEST(Game, ShowsWhatItReadLeavesItsLogAndGoesBack) {
  GameCopy game;
  game.Write(kGameMode, "0\r\n3::9::14::5\r\n");
  {
    Launcher launcher(game, TheGame(game));
    const std::optional<WindowFacts> window = WaitForGameWindow(launcher);
    ASSERT_TRUE(window) << "the game shows its window";
    const auto shownAt = std::chrono::steady_clock::now();
    EXPECT_EQ(window->width(), 640);
    EXPECT_EQ(window->height(), 480);
    const std::string openGl = OpenGlText(*window);

    // The shipped files as the launcher leaves them, and the game mode file.
    EXPECT_EQ(
        TextsOf(*window, {game::kGameModeFileText, game::kGameModeText, game::kTimeStampText,
                          game::kKeysFileText, game::kFirstKeyText + 0, game::kFirstKeyText + 4,
                          game::kFirstKeyText + 6, game::kFirstKeyText + 10, game::kJoystickText,
                          game::kVideoFileText, game::kCatalogFileText, game::kDriverText, game::kModeText,
                          game::kCalibrationText, game::kAudioFileText, game::kMusicText, game::kSoundText}),
        (Texts{"well-formed", "0", "3::9::14::5", "well-formed", "Up", "[", "W", "Shift",
               "1 to player 1, 2 to player 2", "well-formed", "well-formed", "0: System OpenGL driver",
               "640 X 480  16", "50", "well-formed", "25", "25"}));

    // What OpenGL gives on this display, with the system's own library.
    EXPECT_EQ(openGl, DisplayHasOpenGl() ? "context works" : "no 3D: no pixel format");
    EXPECT_EQ(Text(*window, game::kStandInDriverText), "none");
    if (DisplayHasOpenGl()) {
      // The frame is on the screen: the deep blue clear at the view's corner
      // and the bright triangle in its middle.
      const std::optional<WindowFacts> view =
          launcher.FindTopWindow([](const WindowFacts& w) { return w.className == game::kViewClass; });
      ASSERT_TRUE(view) << "the view";
      e2e::WaitUntil(
          [&] { return GetGValue(e2e::ScreenPixel(view->rect.left + 2, view->rect.top + 2)) < 20; },
          milliseconds(2000));
      const COLORREF corner = e2e::ScreenPixel(view->rect.left + 2, view->rect.top + 2);
      const COLORREF middle = e2e::ScreenPixel((view->rect.left + view->rect.right) / 2,
                                               (view->rect.top * 2 + view->rect.bottom * 3) / 5);
      EXPECT_TRUE(GetRValue(corner) < 12 && GetGValue(corner) < 20 && GetBValue(corner) > 12 &&
                  GetBValue(corner) < 40)
          << std::hex << corner;
      EXPECT_GT(GetRValue(middle) + GetGValue(middle) + GetBValue(middle), 400) << std::hex << middle;
    }
    e2e::SaveScreenshot("game-window");

    EXPECT_EQ(launcher.WaitForExit(), 0u) << "the game ends by itself";
    const auto shownFor = std::chrono::steady_clock::now() - shownAt;
    EXPECT_GE(shownFor, milliseconds(3000)) << "the window stays a few seconds";
  }
  // A renderer line where OpenGL works, and no driver line for the system's library.
  const std::vector<std::string> lines = LogLines(game);
  const bool gl = DisplayHasOpenGl();
  ExpectLogLines(lines, {gl ? "0" : "1", gl ? "reason: none" : "reason: no pixel format"});
  ASSERT_EQ(lines.size(), gl ? 4u : 3u);
  EXPECT_EQ(Lower(lines[2]), SystemLibraryLine());
  EXPECT_TRUE(!gl || lines[3].rfind("renderer: ", 0) == 0) << lines.back();

  // Files the launcher may leave otherwise: a time stamp out of range, levels
  // set by the player, a missing video file. A key ends the game at once. An
  // empty log hook leaves an empty log, whatever OpenGL gives.
  game.Write(kGameMode, "0\r\n13::9::14::5\r\n");
  game.Write("info\\Audio.cfg", "1\r\nSound 7\r\nMusic 42\r\n");
  game.Remove("info\\video.cfg");
  const ScopedVariable emptyLog("QUIL_GAME_LOG", "");
  Launcher launcher(game, TheGame(game));
  const std::optional<WindowFacts> window = WaitForGameWindow(launcher);
  ASSERT_TRUE(window);
  OpenGlText(*window);
  EXPECT_EQ(TextsOf(*window, {game::kGameModeFileText, game::kTimeStampText, game::kAudioFileText,
                              game::kMusicText, game::kSoundText, game::kVideoFileText}),
            (Texts{"not well-formed: month 13 is outside 1 to 12", "13::9::14::5", "well-formed", "42", "7",
                   "missing"}));
  e2e::SaveScreenshot("game-window-files-changed");
  PressAKeyAndExpectTheEnd(launcher, *window);
  EXPECT_EQ(game.Read(kProcLog), std::optional<std::string>("")) << "the log is empty";
}

// The launcher installs a driver by copying its Opengl32.dll and Glu32.dll
// into the game folder; the game's LoadLibraryA("opengl32.dll") takes them.
// Aurion's card has no context to give, whatever the display.
TEST(Game, TakesTheDriverLibrariesInstalledBesideIt) {
  GameCopy game;
  const std::string libraryLine = Lower("library: " + game.PathOf("opengl32.dll"));
  const bool gl = DisplayHasOpenGl();
  const struct {
    const char* folder;
    std::string reason;  // "none" when the context works
    bool fourLinesOnly;
  } cases[] = {{"Velox", gl ? "none" : "no pixel format", false},
               {"Aurion", gl ? "wglCreateContext failed (error 50)" : "no pixel format", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    for (const char* library : {"Glu32.dll", "Opengl32.dll"}) {
      const std::optional<std::string> bytes = game.Read(std::string("Driver\\") + c.folder + "\\" + library);
      ASSERT_TRUE(bytes) << library;
      game.Write(library, *bytes);
    }
    {
      Launcher launcher(game, TheGame(game));
      const std::optional<WindowFacts> window = WaitForGameWindow(launcher);
      ASSERT_TRUE(window);
      EXPECT_EQ(OpenGlText(*window), c.reason == "none" ? "context works" : "no 3D: " + c.reason);
      EXPECT_EQ(Text(*window, game::kStandInDriverText), c.folder);
      e2e::SaveScreenshot(std::string("game-window-") + c.folder);
      PressAKeyAndExpectTheEnd(launcher, *window);
    }
    const std::vector<std::string> lines = LogLines(game);
    ExpectLogLines(lines, {c.reason == "none" ? "0" : "1", "reason: " + c.reason});
    ASSERT_GE(lines.size(), 4u);
    EXPECT_TRUE(!c.fourLinesOnly || lines.size() == 4u) << lines.size();
    EXPECT_EQ(Lower(lines[2]), libraryLine);
    EXPECT_EQ(lines[3], std::string("driver: ") + c.folder);
  }
}

// QUIL_GAME_EXIT_CODE ends the game at once with that code, after leaving
// QUIL_GAME_LOG as its log when that is set (QUIL_GAME_LOG alone, in a game
// that otherwise runs as ever: the first test).
TEST(Game, TestHooksSetTheExitCodeAndTheLog) {
  GameCopy game;
  const ScopedVariable exitCode("QUIL_GAME_EXIT_CODE", "259");
  {
    Launcher launcher(game, TheGame(game));
    EXPECT_FALSE(launcher.WaitForWindow([](const WindowFacts&) { return true; }, milliseconds(10000)))
        << "no window";
    EXPECT_EQ(launcher.WaitForExit(milliseconds(1000)), 259u);
  }
  EXPECT_FALSE(game.Read(kProcLog)) << "no log without the log hook";
  const ScopedVariable log("QUIL_GAME_LOG", "7\\n1 x");
  Launcher launcher(game, TheGame(game));
  EXPECT_EQ(launcher.WaitForExit(milliseconds(10000)), 259u);
  EXPECT_EQ(game.Read(kProcLog), std::optional<std::string>("7\r\n1 x\r\n"));
}

}  // namespace
