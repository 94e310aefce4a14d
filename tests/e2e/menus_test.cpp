// The two menu screens as a player works them: faces that light up under the
// pointer with one soft tick, a press that clicks, the options menu and back,
// and QUIT.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "resources/resource.h"
#include "tests/e2e/driver/driver.h"

namespace {

using e2e::Face;
using e2e::GameCopy;
using e2e::Launcher;
using e2e::WindowFacts;

// Face resources: n pressed, n + 1 normal, n + 2 hover.
struct MenuButton {
  int left, top, right, bottom;
  int faces;
  int CentreX() const { return (left + right) / 2; }
  int CentreY() const { return (top + bottom) / 2; }
};
constexpr MenuButton kStartGame{273, 86, 417, 171, 189};
constexpr MenuButton kNetworkGame{5, 145, 204, 230, 192};
constexpr MenuButton kOption{484, 297, 634, 358, 195};
constexpr MenuButton kQuit{465, 145, 634, 230, 198};
constexpr MenuButton kOptionsButtons[] = {
    {17, 67, 206, 102, 201},  {17, 127, 206, 162, 204}, {17, 187, 206, 222, 207},
    {17, 247, 206, 282, 210}, {17, 307, 206, 342, 295},
};
constexpr const MenuButton& kCloseOptions = kOptionsButtons[4];

enum class Shown { kPressed = 0, kNormal = 1, kHover = 2 };

// Parks the pointer on the frame, away from every button, before a launcher
// starts, so no button lights up by itself.
bool ParkPointer() {
  e2e::MoveMouseTo(2, 2);
  return true;
}

// A stand-in browser in the game folder, so QUIT's home page goes to it.
bool InstallBrowser(const GameCopy& game) {
  const char* browser = std::getenv("QUIL_RECORD_BROWSER");
  return browser != nullptr &&
         CopyFileA(e2e::WindowsPath(browser).c_str(), game.PathOf("netscape.exe").c_str(), FALSE) != FALSE;
}

class Menus : public testing::Test {
 protected:
  void SetUp() override {
    stage_ = launcher_.WaitForStage();
    ASSERT_TRUE(stage_);
    ASSERT_TRUE(e2e::BringToFront(stage_->handle));
    ASSERT_TRUE(WaitForFace(kStartGame, Shown::kNormal)) << "the main menu is drawn";
  }
  void TearDown() override {
    if (launcher_.Running() && stage_) {
      e2e::CloseWithAltF4(stage_->handle);
      EXPECT_EQ(launcher_.WaitForExit(), 0u);
    }
  }

  // The face shown is the closest of the button's three: exactly the face in
  // true colour; on the 256-colour display Wine maps device bitmaps to its
  // own colour cube, so there the faces are told apart by nearness.
  bool IsShowing(const MenuButton& button, Shown shown) {
    double distance[3];
    for (int f = 0; f < 3; ++f) {
      const Face face(button.faces + f);
      distance[f] = e2e::FaceDistance(stage_->handle, button.left, button.top, face);
    }
    const int wanted = static_cast<int>(shown);
    lastDistances_ = "pressed " + std::to_string(distance[0]) + ", normal " + std::to_string(distance[1]) +
                     ", hover " + std::to_string(distance[2]);
    // Clearly nearer to the wanted face than to either other one.
    const double nearestOther = std::min(distance[(wanted + 1) % 3], distance[(wanted + 2) % 3]);
    return distance[wanted] < 40 && distance[wanted] < 0.75 * nearestOther;
  }
  testing::AssertionResult WaitForFace(const MenuButton& button, Shown shown) {
    if (e2e::WaitUntil([&] { return IsShowing(button, shown); }, std::chrono::milliseconds(3000))) {
      return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "face distances: " << lastDistances_;
  }
  void MoveTo(int x, int y) {
    const POINT at = e2e::ClientToScreenPoint(stage_->handle, x, y);
    e2e::MoveMouseTo(at.x, at.y);
  }
  void ClickAt(int x, int y) {
    const POINT at = e2e::ClientToScreenPoint(stage_->handle, x, y);
    e2e::LeftClickAt(at.x, at.y);
  }
  // The sounds played so far, once `count` of them have come whole (or it is
  // clear they will not) and nothing more has followed.
  std::vector<std::string> SoundsOnceSettled(std::size_t count, const char* wave) {
    const auto samples = e2e::SoundCapture::WaveSamples(game_.PathOf(wave));
    return e2e::SoundCapture::PlayedOnceSettled(
        [&](const std::vector<std::string>& sounds) {
          return e2e::SoundCapture::WholePlaysOf(sounds, samples) >= count;
        },
        std::chrono::milliseconds(10000));
  }
  testing::AssertionResult AreHoverTicks(std::size_t count) {
    const auto sounds = SoundsOnceSettled(count, "sound\\mmove.wav");
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

  std::string lastDistances_;
  bool parked_ = ParkPointer();
  GameCopy game_;
  bool browser_ = InstallBrowser(game_);
  Launcher launcher_{game_};
  std::optional<WindowFacts> stage_;
};

TEST_F(Menus, TheMainMenuShowsItsFourButtons) {
  EXPECT_TRUE(IsShowing(kNetworkGame, Shown::kNormal));
  EXPECT_TRUE(IsShowing(kOption, Shown::kNormal));
  EXPECT_TRUE(IsShowing(kQuit, Shown::kNormal));
  e2e::SaveScreenshot("menus-main");
}

TEST_F(Menus, HoverLightsAButtonOnceAndMovesFromButtonToButton) {
  MoveTo(20, 20);
  e2e::SoundCapture::ClearWhenQuiet();
  MoveTo(kStartGame.CentreX(), kStartGame.CentreY());
  EXPECT_TRUE(WaitForFace(kStartGame, Shown::kHover));
  e2e::SaveScreenshot("menus-main-start-game-lit");
  MoveTo(kStartGame.CentreX() + 10, kStartGame.CentreY() + 5);  // within the same button
  EXPECT_TRUE(AreHoverTicks(1)) << "one tick for entering, none for moving within";

  MoveTo(kOption.CentreX(), kOption.CentreY());  // straight onto another button
  EXPECT_TRUE(WaitForFace(kOption, Shown::kHover));
  EXPECT_TRUE(WaitForFace(kStartGame, Shown::kNormal));
  EXPECT_TRUE(AreHoverTicks(2));
}

TEST_F(Menus, NetworkGameIsDrawnButNeverLightsOrSounds) {
  MoveTo(20, 20);
  e2e::SoundCapture::ClearWhenQuiet();
  MoveTo(kNetworkGame.CentreX(), kNetworkGame.CentreY());
  ClickAt(kNetworkGame.CentreX(), kNetworkGame.CentreY());
  EXPECT_TRUE(SoundsOnceSettled(0, "sound\\mclick.wav").empty());
  EXPECT_TRUE(IsShowing(kNetworkGame, Shown::kNormal));
  EXPECT_TRUE(launcher_.Running());
}

// START GAME clicks once and asks the driver question of a first start, which
// covers the button (its pressed face is checked in-process); answered with
// "after setting", the menu is back with its normal faces.
TEST_F(Menus, APressClicksOnceAndRunsTheButtonsCommand) {
  MoveTo(kStartGame.CentreX(), kStartGame.CentreY());
  ASSERT_TRUE(WaitForFace(kStartGame, Shown::kHover));
  e2e::SoundCapture::ClearWhenQuiet();
  ClickAt(kStartGame.CentreX(), kStartGame.CentreY());
  const auto question = launcher_.WaitForWindow([](const WindowFacts& w) {
    return w.className == "#32770" && GetDlgItem(w.handle, IDC_START_AFTER_SETTING_DRIVER) != nullptr;
  });
  ASSERT_TRUE(question);
  const std::vector<std::string> sounds = SoundsOnceSettled(1, "sound\\mclick.wav");
  ASSERT_EQ(sounds.size(), 1u);
  EXPECT_TRUE(e2e::SoundCapture::IsWholePlayOf(
      sounds[0], e2e::SoundCapture::WaveSamples(game_.PathOf("sound\\mclick.wav"))));
  e2e::LeftClickControl(question->handle, IDC_START_AFTER_SETTING_DRIVER);
  ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(question->handle); }));
  MoveTo(20, 20);
  EXPECT_TRUE(WaitForFace(kStartGame, Shown::kNormal));
}

TEST_F(Menus, ClicksOutsideEveryButtonAndOnRightOrBottomEdgesDoNothing) {
  MoveTo(20, 20);
  e2e::SoundCapture::ClearWhenQuiet();
  const int outside[][2] = {{20, 20},
                            {kStartGame.right, kStartGame.CentreY()},
                            {kStartGame.CentreX(), kStartGame.bottom},
                            {kOption.right, kOption.CentreY()},
                            {kQuit.CentreX(), kQuit.bottom}};
  for (const auto& point : outside) {
    ClickAt(point[0], point[1]);
  }
  EXPECT_TRUE(SoundsOnceSettled(0, "sound\\mclick.wav").empty()) << "no click sound";
  EXPECT_TRUE(IsShowing(kStartGame, Shown::kNormal));
  EXPECT_TRUE(IsShowing(kOption, Shown::kNormal));
  EXPECT_TRUE(IsShowing(kQuit, Shown::kNormal));
  EXPECT_TRUE(launcher_.Running());
}

TEST_F(Menus, OptionOpensTheOptionsMenuAndCloseComesBack) {
  ClickAt(kOption.CentreX(), kOption.CentreY());
  for (const MenuButton& button : kOptionsButtons) {
    EXPECT_TRUE(WaitForFace(button, Shown::kNormal)) << button.faces;
  }
  MoveTo(kOptionsButtons[1].CentreX(), kOptionsButtons[1].CentreY());
  EXPECT_TRUE(WaitForFace(kOptionsButtons[1], Shown::kHover));
  e2e::SaveScreenshot("menus-options-audio-lit");

  ClickAt(kCloseOptions.CentreX(), kCloseOptions.CentreY());
  EXPECT_TRUE(WaitForFace(kStartGame, Shown::kNormal));
  EXPECT_TRUE(WaitForFace(kQuit, Shown::kNormal));

  // Again: the options menu comes back with the same faces.
  ClickAt(kOption.CentreX(), kOption.CentreY());
  EXPECT_TRUE(WaitForFace(kCloseOptions, Shown::kNormal));
  e2e::SaveScreenshot("menus-options");
}

TEST_F(Menus, QuitClicksPausesAndClosesTheLauncher) {
  MoveTo(kQuit.CentreX(), kQuit.CentreY());
  ASSERT_TRUE(WaitForFace(kQuit, Shown::kHover));
  e2e::SoundCapture::ClearWhenQuiet();
  ClickAt(kQuit.CentreX(), kQuit.CentreY());
  EXPECT_EQ(launcher_.WaitForExit(), 0u);
  const std::vector<std::string> sounds = e2e::SoundCapture::Played();
  ASSERT_GE(sounds.size(), 1u);
  const auto click = e2e::SoundCapture::WaveSamples(game_.PathOf("sound\\mclick.wav"));
  ASSERT_TRUE(click);
  EXPECT_EQ(sounds[0].compare(0, std::min(sounds[0].size(), click->size() / 2), *click, 0,
                              std::min(sounds[0].size(), click->size() / 2)),
            0)
      << "the click sound started";
  EXPECT_EQ(game_.Read("info\\InitFlag.flg"), "0\r\n");
}

TEST(MenuPictures, AMissingPictureIsReportedAndTheLauncherGoesOn) {
  GameCopy game;
  game.Remove("resource\\background\\MainBK.bmp");
  Launcher launcher(game);
  const auto first = e2e::WaitForMessageBox(launcher);
  ASSERT_TRUE(first);
  EXPECT_EQ(e2e::AnswerMessageBox(*first), "Bmp File Open Error");
  const auto second = e2e::WaitForMessageBox(launcher);
  ASSERT_TRUE(second);
  EXPECT_EQ(e2e::AnswerMessageBox(*second), "ReadBMPFile 1");
  const auto stage = launcher.WaitForStage();
  ASSERT_TRUE(stage);
  // The stage stays black where the picture would be, and its buttons are there.
  const Face startGame(kStartGame.faces + static_cast<int>(Shown::kNormal));
  EXPECT_TRUE(e2e::WaitUntil(
      [&] { return e2e::FaceDistance(stage->handle, kStartGame.left, kStartGame.top, startGame) < 40; },
      std::chrono::milliseconds(3000)));
  e2e::SaveScreenshot("menus-main-without-its-picture");
  e2e::CloseWithAltF4(stage->handle);
  EXPECT_EQ(launcher.WaitForExit(), 0u);
}

// Which menu picture the stage shows: the nearer of the two by a clear margin.
const char* PictureShown(HWND stage, const GameCopy& game) {
  const e2e::Picture main(game.PathOf("resource\\background\\MainBK.bmp"), 640, 480);
  const e2e::Picture options(game.PathOf("resource\\background\\OptionBK.bmp"), 640, 480);
  const double toMain = e2e::PictureDistance(stage, 638, 478, main);
  const double toOptions = e2e::PictureDistance(stage, 638, 478, options);
  return toMain < 0.75 * toOptions ? "main" : toOptions < 0.75 * toMain ? "options" : "neither";
}

// On the 256-colour display Wine puts every window's pixels on the screen in
// the 20 static colours, where the two pictures are no longer told apart; the
// pictures' own colours are checked in-process there.
bool TrueColourScreen() {
  HDC screen = GetDC(nullptr);
  const int bits = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  return bits > 8;
}

TEST_F(Menus, EachMenuShowsItsPictureAndVideoCalibrationSetsTheFirstRunFlag) {
  const bool comparable = TrueColourScreen();
  EXPECT_TRUE(!comparable ||
              e2e::WaitUntil([&] { return std::string(PictureShown(stage_->handle, game_)) == "main"; }));
  ClickAt(kOption.CentreX(), kOption.CentreY());
  EXPECT_TRUE(!comparable ||
              e2e::WaitUntil([&] { return std::string(PictureShown(stage_->handle, game_)) == "options"; }));
  ASSERT_EQ(game_.Read("info\\InitFlag.flg"), "0\r\n");
  ClickAt(kOptionsButtons[2].CentreX(), kOptionsButtons[2].CentreY());  // VIDEO CALIBRATION
  const auto video = launcher_.WaitForWindow([](const WindowFacts& w) {
    return w.className == "#32770" && GetDlgItem(w.handle, IDC_DRIVER_LIST) != nullptr;
  });
  ASSERT_TRUE(video);
  Sleep(300);
  const POINT done = e2e::ClientToScreenPoint(video->handle, 141, 248);
  e2e::LeftClickAt(done.x, done.y);
  ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(video->handle); }));
  EXPECT_TRUE(WaitForFace(kCloseOptions, Shown::kNormal)) << "the options menu is drawn again";
  e2e::CloseWithAltF4(stage_->handle);
  EXPECT_EQ(launcher_.WaitForExit(), 0u);
  EXPECT_EQ(game_.Read("info\\InitFlag.flg"), "1\r\n");
}

TEST(MenuPictures, EveryPictureThatFailsToLoadIsReportedByItsNumber) {
  GameCopy game;
  const char* const pictures[] = {"MainBK", "OptionBK", "inputBK", "smallwin", "how1", "how2", "how3"};
  for (const char* name : pictures) {
    std::string path = "resource\\background\\";
    path.append(name).append(".bmp");
    game.Remove(path);
  }
  Launcher launcher(game);
  for (int n = 1; n <= 8; ++n) {
    const auto open = e2e::WaitForMessageBox(launcher);
    ASSERT_TRUE(open) << n;
    EXPECT_EQ(e2e::AnswerMessageBox(*open), "Bmp File Open Error");
    const auto report = e2e::WaitForMessageBox(launcher);
    ASSERT_TRUE(report) << n;
    const char expected[] = {
        'R', 'e', 'a', 'd', 'B', 'M', 'P', 'F', 'i', 'l', 'e', ' ', static_cast<char>('0' + n), 0};
    EXPECT_EQ(e2e::AnswerMessageBox(*report), expected);
  }
  const auto stage = launcher.WaitForStage();
  ASSERT_TRUE(stage);
  e2e::CloseWithAltF4(stage->handle);
  EXPECT_EQ(launcher.WaitForExit(), 0u);
}

TEST(MenuSounds, MissingOrUnplayableWaveFilesLeaveTheButtonsWorkingSilently) {
  ParkPointer();
  GameCopy game;
  game.Remove("sound\\mmove.wav");
  game.Write("sound\\mclick.wav", std::string("RIFF\x10\0\0\0WAVEjunkjunk", 20));
  Launcher launcher(game);
  const auto stage = launcher.WaitForStage();
  ASSERT_TRUE(stage);
  ASSERT_TRUE(e2e::BringToFront(stage->handle));
  Sleep(500);
  e2e::SoundCapture::ClearWhenQuiet();
  const POINT option = e2e::ClientToScreenPoint(stage->handle, kOption.CentreX(), kOption.CentreY());
  e2e::MoveMouseTo(option.x, option.y);
  const Face lit(kOption.faces + static_cast<int>(Shown::kHover));
  EXPECT_TRUE(
      e2e::WaitUntil([&] { return e2e::FaceDistance(stage->handle, kOption.left, kOption.top, lit) < 40; },
                     std::chrono::milliseconds(3000)))
      << "OPTION lights without its sound";
  e2e::LeftClickAt(option.x, option.y);
  const Face close(kCloseOptions.faces + static_cast<int>(Shown::kNormal));
  EXPECT_TRUE(e2e::WaitUntil(
      [&] { return e2e::FaceDistance(stage->handle, kCloseOptions.left, kCloseOptions.top, close) < 40; },
      std::chrono::milliseconds(3000)))
      << "the press still opens the options menu";
  Sleep(400);
  EXPECT_TRUE(e2e::SoundCapture::Played().empty());
  e2e::CloseWithAltF4(stage->handle);
  EXPECT_EQ(launcher.WaitForExit(), 0u);
}

}  // namespace
