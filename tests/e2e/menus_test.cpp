// The two menu screens as a player works them: faces that light up under the
// pointer with one soft tick, a press that clicks, the options menu and back,
// and QUIT.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "resources/resource.h"
#include "tests/e2e/driver/driver.h"
#include "tests/e2e/stage_fixture.h"

namespace {

using e2e::GameCopy;
using e2e::Launcher;
using e2e::WindowFacts;
using namespace e2e::place;

// Which menu picture the stage shows: the nearer of the two by a clear margin.
std::string PictureShown(HWND stage, const GameCopy& game) {
  const e2e::Picture main(game.PathOf("resource\\background\\MainBK.bmp"), 640, 480);
  const e2e::Picture options(game.PathOf("resource\\background\\OptionBK.bmp"), 640, 480);
  const double toMain = e2e::PictureDistance(stage, 638, 478, main);
  const double toOptions = e2e::PictureDistance(stage, 638, 478, options);
  return toMain < 0.75 * toOptions ? "main" : toOptions < 0.75 * toMain ? "options" : "neither";
}

class Menus : public OnTheStage {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InstallRecordingBrowser(game_, "netscape.exe"));  // QUIT's home page goes to it
    StartLauncher();
    ASSERT_TRUE(ShowsButtonFace(stage_->handle, kStartGameButton, kNormal)) << "the main menu is drawn";
  }
  testing::AssertionResult Shows(const Button& button, Shown shown) {
    return ShowsButtonFace(stage_->handle, button, shown);
  }
  void MoveTo(POINT client) {
    const POINT at = e2e::ClientToScreenPoint(stage_->handle, client.x, client.y);
    e2e::MoveMouseTo(at.x, at.y);
  }
  // A button's right or bottom edge, just outside it.
  static POINT RightEdge(const Button& button) {
    return {button.corner.x + e2e::Face(button.faces).width(), button.centre.y};
  }
  static POINT BottomEdge(const Button& button) {
    return {button.centre.x, button.corner.y + e2e::Face(button.faces).height()};
  }
  testing::AssertionResult AreHoverTicks(std::size_t count) {
    const auto sounds = SoundsOnceSettled(game_, "sound\\mmove.wav", count);
    const auto tick = e2e::SoundCapture::WaveSamples(game_.PathOf("sound\\mmove.wav"));
    if (sounds.size() == count && e2e::SoundCapture::WholePlaysOf(sounds, tick) == count) {
      return testing::AssertionSuccess();
    }
    testing::AssertionResult failure = testing::AssertionFailure();
    failure << sounds.size() << " sounds of sizes";
    for (const std::string& sound : sounds) {
      failure << " " << sound.size();
    }
    return failure << " where " << count << " whole ticks of " << (tick ? tick->size() : 0)
                   << " bytes were due";
  }
};

// One walk over both menus. START GAME first, while the first-run flag is 0:
// it clicks once and asks the driver question (its pressed face is checked
// in-process); answered with "after setting", the menu is back.
TEST_F(Menus, BothMenusLightClickAndSwitchAndQuitEndsTheLauncher) {
  e2e::SaveScreenshot("menus-main");  // all four faces are checked after the clicks below
  MoveTo(kStartGame);
  ASSERT_TRUE(Shows(kStartGameButton, kLit));
  e2e::SoundCapture::ClearWhenQuiet();
  ClickOnStage(kStartGame);
  const auto question = WaitForDialogWith(IDC_START_AFTER_SETTING_DRIVER, e2e::kPatience);
  ASSERT_TRUE(question);
  const std::vector<std::string> clicks = SoundsOnceSettled(game_, "sound\\mclick.wav", 1);
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_TRUE(e2e::SoundCapture::IsWholePlayOf(
      clicks[0], e2e::SoundCapture::WaveSamples(game_.PathOf("sound\\mclick.wav"))));
  e2e::LeftClickControl(question->handle, IDC_START_AFTER_SETTING_DRIVER);
  ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(question->handle); }));

  // Hover: one tick for entering a button, none for moving within it.
  MoveTo({20, 20});
  EXPECT_TRUE(Shows(kStartGameButton, kNormal));
  e2e::SoundCapture::ClearWhenQuiet();
  MoveTo(kStartGame);
  EXPECT_TRUE(Shows(kStartGameButton, kLit));
  e2e::SaveScreenshot("menus-main-start-game-lit");
  MoveTo({kStartGame.x + 10, kStartGame.y + 5});
  EXPECT_TRUE(AreHoverTicks(1)) << "one tick for entering, none for moving within";
  MoveTo(kOption);  // straight onto another button
  EXPECT_TRUE(Shows(kOptionButton, kLit));
  EXPECT_TRUE(Shows(kStartGameButton, kNormal));
  EXPECT_TRUE(AreHoverTicks(2));
  // Off the stage onto the frame in one jump: no movement tells the stage,
  // so OPTION stays lit and coming back onto it is no new entry.
  MoveTo({640, kOption.y});
  EXPECT_TRUE(Shows(kOptionButton, kLit));
  EXPECT_TRUE(AreHoverTicks(2));
  MoveTo(kOption);
  EXPECT_TRUE(AreHoverTicks(2));

  // NETWORK GAME, the space between buttons and their right and bottom edges
  // neither light nor click.
  MoveTo({20, 20});
  e2e::SoundCapture::ClearWhenQuiet();
  MoveTo(kNetworkGame);
  for (const POINT point :
       {kNetworkGame, POINT{20, 20}, RightEdge(kStartGameButton), BottomEdge(kStartGameButton),
        RightEdge(kOptionButton), BottomEdge(kQuitButton)}) {
    ClickOnStage(point);
  }
  EXPECT_TRUE(SoundsOnceSettled(game_, "sound\\mclick.wav", 0).empty()) << "no click sound";
  for (const Button& button : {kNetworkGameButton, kStartGameButton, kOptionButton, kQuitButton}) {
    EXPECT_TRUE(Shows(button, kNormal));
  }

  // OPTION and CLOSE, twice; each menu shows its picture. On the 256-colour
  // display Wine puts every window's pixels on the screen in the 20 static
  // colours, where the two pictures are no longer told apart; the pictures'
  // own colours are checked in-process there.
  const bool comparable = TrueColourDisplay();
  EXPECT_TRUE(!comparable || e2e::WaitUntil([&] { return PictureShown(stage_->handle, game_) == "main"; }));
  ClickOnStage(kOption);
  for (const Button& button : kOptionsMenu) {
    EXPECT_TRUE(Shows(button, kNormal)) << button.faces;
  }
  MoveTo(kAudioButton);
  EXPECT_TRUE(Shows(kOptionsMenu[1], kLit));
  e2e::SaveScreenshot("menus-options-audio-lit");
  ClickOnStage(kCloseOptions);
  EXPECT_TRUE(Shows(kStartGameButton, kNormal));
  EXPECT_TRUE(Shows(kQuitButton, kNormal));
  ClickOnStage(kOption);
  EXPECT_TRUE(Shows(kOptionsMenu[4], kNormal));
  e2e::SaveScreenshot("menus-options");
  EXPECT_TRUE(!comparable ||
              e2e::WaitUntil([&] { return PictureShown(stage_->handle, game_) == "options"; }));

  // VIDEO CALIBRATION sets the first-run flag, written at the end.
  ASSERT_EQ(game_.Read("info\\InitFlag.flg"), "0\r\n");
  const HWND video = OpenSettings(Settings::kVideo);
  ASSERT_TRUE(video);
  e2e::LeftClickInClient(video, kSmallDone);
  ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(video); }));
  EXPECT_TRUE(Shows(kOptionsMenu[4], kNormal)) << "the options menu is drawn again";

  // QUIT clicks, pauses and closes the launcher, writing the flag.
  ClickOnStage(kCloseOptions);
  MoveTo(kQuit);
  ASSERT_TRUE(Shows(kQuitButton, kLit));
  e2e::SoundCapture::ClearWhenQuiet();
  ClickOnStage(kQuit);
  EXPECT_EQ(launcher_->WaitForExit(), 0u);
  const std::vector<std::string> sounds = e2e::SoundCapture::Played();
  ASSERT_GE(sounds.size(), 1u);
  const auto click = e2e::SoundCapture::WaveSamples(game_.PathOf("sound\\mclick.wav"));
  ASSERT_TRUE(click);
  const std::size_t half = std::min(sounds[0].size(), click->size() / 2);
  EXPECT_EQ(sounds[0].compare(0, half, *click, 0, half), 0) << "the click sound started";
  EXPECT_EQ(game_.Read("info\\InitFlag.flg"), "1\r\n");
}

// Whether the screen shows the client rectangle `area` of `window` black (a
// grid of points), within 3 s.
bool ShowsBlack(HWND window, RECT area) {
  return e2e::WaitUntil(
      [&] {
        for (int y = area.top; y < area.bottom; y += 20) {
          for (int x = area.left; x < area.right; x += 20) {
            const POINT at = e2e::ClientToScreenPoint(window, x, y);
            if ((e2e::ScreenPixel(at.x, at.y) & 0xFFFFFF) != 0) {
              return false;
            }
          }
        }
        return true;
      },
      std::chrono::milliseconds(3000));
}

// Every picture that fails to load is reported by its number (smallwin.bmp
// twice), and leaves its screen or page black, never the screen shown before
// it with its buttons dead on it. how1.bmp stays, to tell a page from black.
// Missing or unplayable sounds leave the buttons working silently.
TEST(MenuPictures, MissingPicturesAreReportedAndLeaveBlackAndMissingSoundsLeaveSilence) {
  e2e::MoveMouseTo(2, 2);
  GameCopy game;
  for (const char* name : {"MainBK", "OptionBK", "inputBK", "smallwin", "how2", "how3"}) {
    game.Remove(std::string("resource\\background\\") + name + ".bmp");
  }
  game.Remove("sound\\mmove.wav");
  game.Write("sound\\mclick.wav", std::string("RIFF\x10\0\0\0WAVEjunkjunk", 20));
  Launcher launcher(game);
  for (const int n : {1, 2, 3, 4, 5, 7, 8}) {
    const auto open = e2e::WaitForMessageBox(launcher);
    ASSERT_TRUE(open) << n;
    EXPECT_EQ(e2e::AnswerMessageBox(*open), "Bmp File Open Error");
    const auto report = e2e::WaitForMessageBox(launcher);
    ASSERT_TRUE(report) << n;
    EXPECT_EQ(e2e::AnswerMessageBox(*report), "ReadBMPFile " + std::to_string(n));
  }
  const auto stage = launcher.WaitForStage();
  ASSERT_TRUE(stage);
  ASSERT_TRUE(e2e::BringToFront(stage->handle));
  // The stage is black where the picture would be, and its buttons are there.
  EXPECT_TRUE(e2e::ShowsFace(stage->handle, FaceCentre(kStartGameButton), {IDB_START_GAME + kNormal}));
  e2e::SaveScreenshot("menus-main-without-its-picture");
  e2e::SoundCapture::ClearWhenQuiet();
  const POINT option = e2e::ClientToScreenPoint(stage->handle, kOption.x, kOption.y);
  e2e::MoveMouseTo(option.x, option.y);
  EXPECT_TRUE(e2e::ShowsFace(stage->handle, FaceCentre(kOptionButton), {IDB_OPTION + kLit}))
      << "OPTION lights without its sound";
  e2e::LeftClickAt(option.x, option.y);
  ASSERT_TRUE(e2e::ShowsFace(stage->handle, FaceCentre(kOptionsMenu[4]), {IDB_CLOSE_OPTIONS + kNormal}))
      << "the press still opens the options menu";
  EXPECT_TRUE(SoundsOnceSettled(game, "sound\\mclick.wav", 0).empty());
  EXPECT_TRUE(ShowsBlack(stage->handle, {230, 10, 630, 470})) << "the options menu without its picture";
  e2e::SaveScreenshot("menus-options-without-its-picture");
  e2e::LeftClickInClient(stage->handle, kHowToPlayButton);
  const auto viewer = launcher.WaitForDialog();
  ASSERT_TRUE(viewer);
  ASSERT_TRUE(e2e::ShowsFace(viewer->handle, FaceCentre(kNextPageButton), {IDB_NEXT_PAGE + kNormal}));
  EXPECT_FALSE(ShowsBlack(viewer->handle, {10, 10, 270, 280})) << "page 1 has its picture";
  e2e::LeftClickInClient(viewer->handle, kHowToPlayNext);
  EXPECT_TRUE(ShowsBlack(viewer->handle, {10, 10, 270, 280})) << "page 2 without its picture";
  e2e::LeftClickInClient(viewer->handle, kHowToPlayClose);
  ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(viewer->handle); }));
  CloseAndExpectACleanExit(launcher, stage->handle);
}

}  // namespace
