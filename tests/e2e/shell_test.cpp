// The shell as a player meets it: the black frame, the stage in the middle of
// the screen, closing with Alt+F4, the first-run flag file, and the file-error
// dialog that ends the launcher (at start-up: captions_test.cpp).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/driver/driver.h"
#include "tests/e2e/stage_fixture.h"
#include "tests/support/files.h"

namespace {

using e2e::GameCopy;
using e2e::Launcher;
using e2e::WindowFacts;

constexpr char kFlagFile[] = "info\\InitFlag.flg";
using Box = std::vector<LONG>;

// Run in each screen size: 1024 x 768 directly, 800 x 600 and 640 x 480 in a
// display of that size. The frame covers the screen in black, the stage sits
// in its middle, F5 prints the memory line, and Alt+F4 on the stage ends the
// launcher and saves the flag.
TEST(Placement, TheStageSitsInTheMiddleOwnedByTheFrame) {
  GameCopy game;
  e2e::LaunchOptions options;
  options.captureOutput = true;
  Launcher launcher(game, options);
  std::optional<WindowFacts> frame = launcher.WaitForFrame();
  const std::optional<WindowFacts> stage = launcher.WaitForStage();
  ASSERT_TRUE(frame && stage);
  frame = e2e::Describe(frame->handle);  // past the "Starting AVI" box, which holds it disabled
  EXPECT_EQ(frame->title, "Quil3D");
  EXPECT_EQ(frame->style & ~WS_VISIBLE & ~WS_CLIPSIBLINGS, 0x80880000u) << std::hex << frame->style;
  EXPECT_EQ(frame->exStyle & ~WS_EX_WINDOWEDGE, 0u) << std::hex << frame->exStyle;
  EXPECT_EQ((Box{frame->rect.left, frame->rect.top, frame->width(), frame->height()}),
            (Box{0, 0, e2e::ScreenWidth(), e2e::ScreenHeight()}));
  EXPECT_EQ(frame->owner, nullptr);
  EXPECT_EQ(GetClassLongPtrA(frame->handle, GCLP_HICON), 0) << "the frame class has no icon";
  if (e2e::ScreenWidth() > 640) {  // at 640 x 480 the stage covers the frame
    EXPECT_EQ(e2e::ScreenPixel(5, 5) & 0xFFFFFF, 0u);
    EXPECT_EQ(e2e::ScreenPixel(e2e::ScreenWidth() - 5, e2e::ScreenHeight() - 5) & 0xFFFFFF, 0u);
  }

  EXPECT_EQ(stage->title, "");
  EXPECT_EQ(stage->style & ~WS_VISIBLE & ~WS_CLIPSIBLINGS, 0xC0880000u) << std::hex << stage->style;
  EXPECT_EQ(stage->owner, frame->handle);
  EXPECT_EQ(stage->parent, frame->handle);
  EXPECT_EQ((Box{stage->width(), stage->height(), stage->client.right, stage->client.bottom}),
            (Box{640, 480, 638, 478}))
      << "the window and its client area";
  const struct { int screenWidth, left, top; } corners[] = {{1024, 192, 144}, {800, 80, 60}, {640, 0, 0}};
  for (const auto& corner : corners) {
    if (e2e::ScreenWidth() == corner.screenWidth) {
      EXPECT_EQ((Box{stage->rect.left, stage->rect.top}), (Box{corner.left, corner.top}));
    }
  }
  e2e::SaveScreenshot("placement-" + std::to_string(e2e::ScreenWidth()) + "x" +
                      std::to_string(e2e::ScreenHeight()));

  ASSERT_TRUE(e2e::BringToFront(frame->handle));
  e2e::PressKey(VK_F5);
  std::string output;
  EXPECT_TRUE(e2e::WaitUntil([&] {
    output = launcher.Output();
    return output.find('\n') != std::string::npos;
  })) << output;
  const std::string prefix = "Avail Phys Memory : ";
  ASSERT_EQ(output.compare(0, prefix.size(), prefix), 0) << output;
  const std::string digits = output.substr(prefix.size(), output.find_first_of("\r\n") - prefix.size());
  EXPECT_FALSE(digits.empty());
  EXPECT_EQ(digits.find_first_not_of("0123456789"), std::string::npos) << output;
  EXPECT_EQ(output.substr(output.find_first_of("\r\n")), "\r\n") << "exactly one line";

  CloseAndExpectACleanExit(launcher, stage->handle);
  EXPECT_EQ(game.Read(kFlagFile), "0\r\n");
  EXPECT_TRUE(e2e::TopLevelWindows(launcher.ProcessId()).empty());
}

// Closed with Alt+F4 on the stage, or on the frame (which destroys the stage
// it owns with it); "0" closed on the stage is the placement walk's.
TEST(Shell, TheFlagFileIsReadAtStartAndWrittenBackAtClose) {
  struct Case {
    std::string stored;
    std::string written;
    bool onTheFrame;
  } const cases[] = {
      {"1\r\n", "1\r\n", true}, {"", "0\r\n", false}, {"abc", "0\r\n", false}, {"  7", "7\r\n", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE("InitFlag.flg holding \"" + c.stored + "\"" + (c.onTheFrame ? ", closed on the frame" : ""));
    GameCopy game;
    game.Write(kFlagFile, c.stored);
    Launcher launcher(game);
    const std::optional<WindowFacts> frame = launcher.WaitForFrame();
    const std::optional<WindowFacts> stage = launcher.WaitForStage();
    ASSERT_TRUE(frame && stage);
    CloseAndExpectACleanExit(launcher, c.onTheFrame ? frame->handle : stage->handle);
    EXPECT_EQ(game.Read(kFlagFile), c.written);
  }
}

// One launcher at a time: a second start, while the player works another
// program, brings the running launcher to the front and ends at once with
// exit code 0, having read and written no file. Then the flag file made
// read-only: the close ends in the file-error dialog.
TEST(Shell, ASecondStartChangesNothingAndAReadOnlyFlagFileEndsInTheFileErrorDialog) {
  GameCopy game;
  game.Write(kFlagFile, "1\r\n");
  Launcher first(game);
  const auto stage = first.WaitForStage();
  ASSERT_TRUE(stage);
  const OtherProgram other(game);
  ASSERT_TRUE(other.window && e2e::BringToFront(other.window));
  const auto files = [&] {
    std::vector<std::optional<std::string>> bytes;
    for (const std::string& name : support::FindNames(game.PathOf("info\\*"), support::Entries::kFiles)) {
      bytes.push_back(game.Read("info\\" + name));
    }
    return bytes;
  };
  const auto before = files();
  Launcher second(game);
  EXPECT_EQ(second.WaitForExit(std::chrono::milliseconds(10000)), 0u);
  EXPECT_TRUE(
      e2e::WaitUntil([&] { return GetForegroundWindow() == stage->handle; }, std::chrono::milliseconds(5000)))
      << "the running launcher is not in front";
  EXPECT_EQ(files(), before);

  game.SetReadOnly(kFlagFile, true);
  e2e::CloseWithAltF4(
      stage->handle, [&] { return WaitForFileErrorDialog(first, std::chrono::milliseconds(0)).has_value(); });
  // The flag is written through ".\\Info\\InitFlag.flg", and that is the path shown.
  ExpectFileErrorDialogEndsTheLauncher(first, game.PathOf("Info\\InitFlag.flg"));
  game.SetReadOnly(kFlagFile, false);
  EXPECT_EQ(game.Read(kFlagFile), "1\r\n");
}

}  // namespace
