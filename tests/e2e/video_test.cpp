// The video calibration as a player works it: a driver chosen in the list
// with the dialog that goes with it, its libraries put into or taken out of
// the game folder at DONE, the mode and the calibration level, and the game
// started with the chosen driver.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/e2e/driver/driver.h"
#include "tests/e2e/driver/places.h"
#include "tests/e2e/stage_fixture.h"

namespace {

using e2e::WindowFacts;
using e2e::place::kSmallDefault;
using e2e::place::kSmallDone;
using std::chrono::milliseconds;
constexpr char kAdvice[] =
    "But if there is an error relating 'glide??.dll', install 'Glide driver' first. You can find the driver "
    "in your Voodoo installation CD-ROM, or download it at 3dfx homepage";

class VideoSettings : public OnTheStage {
 protected:
  void Start(const std::string& videoFile, const char* firstRunFlag = "1\r\n") {
    game_.Write("info\\video.cfg", videoFile);
    game_.Write("info\\InitFlag.flg", firstRunFlag);
    StartLauncher();
  }
  // Once its DONE face shows: the dialog is on the screen, where input aimed at it lands.
  void OpenDialog() {
    ASSERT_TRUE(e2e::ToOptionsMenu(stage_->handle));
    dialog_ = OpenSettings(Settings::kVideo);
    ASSERT_TRUE(dialog_);
  }
  void Done() {
    Click(kSmallDone);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(dialog_); }));
    ASSERT_TRUE(e2e::ToMainMenu(stage_->handle));
  }
  void Click(POINT client) { e2e::LeftClickInClient(dialog_, client); }
  void Choose(int listId, int index) {
    ASSERT_TRUE(e2e::ChooseListEntry(*launcher_, dialog_, listId, index))
        << "entry " << index << " not chosen";
  }
  // Clicks `client` on the dialog with the window `above` it moved aside first,
  // as a player moves a box off the button beneath.
  void ClickBeside(HWND above, POINT client) {
    RECT rect = {};
    GetWindowRect(above, &rect);
    SetWindowPos(above, nullptr, e2e::ScreenWidth() - (rect.right - rect.left),
                 e2e::ScreenHeight() - (rect.bottom - rect.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const POINT at = e2e::ClientToScreenPoint(dialog_, client.x, client.y);
    ASSERT_TRUE(e2e::WaitUntil([&] {
      GetWindowRect(above, &rect);
      return !PtInRect(&rect, at);
    }));
    Click(client);
  }
  int Selected(int listId) { return ComboSelection(dialog_, listId); }
  int Level() { return ScrollPosition(dialog_, IDC_CALIBRATION_BAR); }
  std::vector<int> Shown() { return {Selected(IDC_DRIVER_LIST), Selected(IDC_MODE_LIST), Level()}; }
  bool Installed(const char* card) {
    return game_.Read("Opengl32.dll") == game_.Read(std::string("Driver\\") + card + "\\Opengl32.dll") &&
           game_.Read("Glu32.dll") == game_.Read(std::string("Driver\\") + card + "\\Glu32.dll");
  }
  // Chooses a driver the launcher installs and confirms the dialog that says
  // so, once `check` has looked at it.
  void ChooseInstalledDriver(int index, const std::function<void(const WindowFacts&)>& check = nullptr) {
    Choose(IDC_DRIVER_LIST, index);
    const auto installed = WaitForDialogWith(IDC_INSTALLED_OK);
    ASSERT_TRUE(installed);
    if (check) {
      check(*installed);
    }
    e2e::LeftClickControl(installed->handle, IDC_INSTALLED_OK);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(installed->handle); }));
  }
  bool NoCopies() {
    return !e2e::FileExists(game_.PathOf("Opengl32.dll")) && !e2e::FileExists(game_.PathOf("Glu32.dll"));
  }

  HWND dialog_ = nullptr;
};

TEST_F(VideoSettings, DriversAreInstalledRemovedOrLeftAsChosenAndTheGameRunsWithTheInstalledOne) {
  ASSERT_TRUE(InstallRecordingBrowser(game_, "netscape.exe"));
  for (const char* library : {"Glu32.dll", "Opengl32.dll"}) {
    ASSERT_TRUE(CopyFileA(game_.PathOf(std::string("Driver\\Velox\\") + library).c_str(),
                          game_.PathOf(library).c_str(), FALSE));
  }
  Start("0\r\n3\r\n4\r\n70\r\n");
  OpenDialog();
  EXPECT_EQ(Shown(), (std::vector<int>{0, 0, 50})) << "the defaults, whatever else the file holds";
  EXPECT_EQ(ComboCount(dialog_, IDC_DRIVER_LIST), 7);
  EXPECT_TRUE(e2e::ShowsFace(dialog_, kSmallDefault, {IDB_VIDEO_DEFAULT + e2e::place::kNormal}));
  e2e::SaveScreenshot("video-dialog");
  // DONE with nothing touched: the stored driver 3 was never shown, so the
  // copies in place stay.
  Done();
  EXPECT_TRUE(Installed("Velox"));
  EXPECT_EQ(game_.Read("info\\video.cfg"), "0\r\n3\r\n0\r\n70\r\n");
  OpenDialog();
  EXPECT_EQ(Selected(IDC_DRIVER_LIST), 0);
  // DONE's hover flag outlived the closing: back under the pointer it neither
  // lights nor ticks until the pointer has left it.
  e2e::SoundCapture::ClearWhenQuiet();
  const POINT done = e2e::ClientToScreenPoint(dialog_, kSmallDone.x, kSmallDone.y);
  e2e::MoveMouseTo(done.x, done.y);
  EXPECT_TRUE(e2e::ShowsFaceRatherThan(dialog_, kSmallDone, e2e::place::kVideoDoneFace,
                                       IDB_VIDEO_DONE + e2e::place::kLit));
  EXPECT_TRUE(SoundsOnceSettled(game_, "sound\\mmove.wav", 0).empty());

  // Driver 2: the launcher installs it, and says so.
  ChooseInstalledDriver(2, [&](const WindowFacts& installed) {
    EXPECT_EQ(installed.owner, dialog_) << "owned by the video dialog";
    EXPECT_EQ(e2e::ControlText(installed.handle, IDC_INSTALLED_ADVICE), kAdvice);
    e2e::SaveScreenshot("video-driver-installed");
  });
  EXPECT_EQ(Shown(), (std::vector<int>{2, 0, 70})) << "the chosen driver with the stored level, the player's";
  EXPECT_EQ(ComboCount(dialog_, IDC_MODE_LIST), 1) << "one mode for a driver the launcher installs";
  Done();
  EXPECT_TRUE(Installed("Prism3D"));
  EXPECT_EQ(game_.Read("info\\video.cfg"), "1\r\n2\r\n0\r\n70\r\n");

  // A copy made read-only: driver 3 cannot replace it. The player reads which
  // file, driver 2's pair stays and video.cfg goes on naming driver 2.
  game_.SetReadOnly("Opengl32.dll", true);
  OpenDialog();
  ChooseInstalledDriver(3);
  Click(kSmallDone);
  const auto box = e2e::WaitForMessageBox(*launcher_);
  ASSERT_TRUE(box);
  e2e::SaveScreenshot("video-driver-not-installed");
  // DONE again, the box moved off it: nothing runs under the box.
  ClickBeside(box->handle, kSmallDone);
  std::vector<std::string> texts;
  ASSERT_TRUE(e2e::AnswerMessageBoxesUntil(
      *launcher_, [&](const WindowFacts& w) { return w.handle == stage_->handle && !IsWindow(dialog_); },
      &texts));
  EXPECT_EQ(texts, std::vector<std::string>{"Driver file could not be installed:\n" +
                                            game_.PathOf("Opengl32.dll") + "\nNo driver file was changed."});
  ASSERT_TRUE(e2e::ToMainMenu(stage_->handle));
  game_.SetReadOnly("Opengl32.dll", false);
  EXPECT_TRUE(Installed("Prism3D"));
  EXPECT_EQ(game_.Read("info\\video.cfg"), "1\r\n2\r\n0\r\n70\r\n");

  // Driver 4, installed by hand: the guide with its folder; DONE leaves the
  // copies of driver 2.
  OpenDialog();
  EXPECT_EQ(Selected(IDC_DRIVER_LIST), 2);
  Choose(IDC_DRIVER_LIST, 4);
  auto guide = WaitForDialogWith(IDC_GUIDE_LOCATION);
  ASSERT_TRUE(guide);
  EXPECT_EQ(e2e::ControlText(guide->handle, IDC_GUIDE_LOCATION), game_.PathOf("Driver\\Kestrel"));
  EXPECT_EQ(e2e::ControlText(guide->handle, IDC_GUIDE_PLEASE),
            "Please, install  OpenGL driver in your system.");
  e2e::SaveScreenshot("video-driver-guide");
  // The video dialog waits under the guide: DONE does nothing until it goes.
  ClickBeside(guide->handle, kSmallDone);
  e2e::LeftClickControl(guide->handle, IDC_GUIDE_CANCEL);  // Cancel
  ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(guide->handle); }));
  EXPECT_TRUE(IsWindow(dialog_)) << "DONE ran under the guide";

  // The last entry: no location; Download closes the guide, then the page opens.
  Choose(IDC_DRIVER_LIST, 6);
  guide = WaitForDialogWith(IDC_GUIDE_LOCATION);
  ASSERT_TRUE(guide);
  EXPECT_EQ(e2e::ControlText(guide->handle, IDC_GUIDE_LOCATION), "");
  e2e::LeftClickControl(guide->handle, IDC_GUIDE_DOWNLOAD);  // Download
  ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(guide->handle); }));
  EXPECT_NE(e2e::BrowserRecord(game_).value_or("").find("/quil3d/drivers/index.html"), std::string::npos);
  EXPECT_TRUE(IsWindow(dialog_)) << "the video dialog stays open";
  Done();
  EXPECT_TRUE(Installed("Prism3D")) << "a driver installed by hand leaves the copies";
  EXPECT_EQ(game_.Read("info\\video.cfg"), "1\r\n6\r\n0\r\n70\r\n");

  // The system's driver: both copies go, without a word.
  OpenDialog();
  Choose(IDC_DRIVER_LIST, 0);
  EXPECT_FALSE(WaitForDialogWith(IDC_INSTALLED_OK, milliseconds(1000)));
  Done();
  EXPECT_TRUE(NoCopies());

  // Driver 1 installed; then DEFAULT and DONE take its copies away again and
  // write 0, 0, 0 and the level unchanged.
  OpenDialog();
  ChooseInstalledDriver(1);
  Done();
  EXPECT_TRUE(Installed("Velox"));
  OpenDialog();
  Click(kSmallDefault);
  Done();
  EXPECT_TRUE(NoCopies());
  EXPECT_EQ(game_.Read("info\\video.cfg"), "0\r\n0\r\n0\r\n70\r\n");

  // Each opening reads the file over what DONE last wrote, kept for the run:
  // paged right from 95 the level is 100; a file cut short after the driver
  // shows the mode and level DONE wrote. Then the whole chain: the failing card
  // chosen and installed, the game started with it fails and the report
  // explains; a working card at depth 24 does not.
  game_.Write("info\\video.cfg", "1\r\n5\r\n3\r\n95\r\n");
  OpenDialog();
  EXPECT_EQ(Shown(), (std::vector<int>{5, 3, 95}));
  RECT bar = {};
  GetWindowRect(GetDlgItem(dialog_, IDC_CALIBRATION_BAR), &bar);
  e2e::LeftClickAt(bar.right - (bar.bottom - bar.top) - 2, (bar.top + bar.bottom) / 2);
  EXPECT_TRUE(e2e::WaitUntil([&] { return Level() == 100; }, milliseconds(3000))) << Level();
  Done();
  EXPECT_EQ(game_.Read("info\\video.cfg"), "1\r\n5\r\n3\r\n100\r\n");
  game_.Write("info\\video.cfg", "1\r\n4\r\n");
  for (const auto& [driver, shown] :
       {std::pair(3, std::vector{4, 3, 100}), std::pair(1, std::vector{3, 0, 100})}) {
    OpenDialog();
    EXPECT_EQ(Shown(), shown) << "the file read over what DONE last wrote";
    ChooseInstalledDriver(driver);
    Done();
    ClickOnStage(e2e::place::kStartGame);
    const bool reportExpected = driver == 3 || !TrueColourDisplay();  // no pixel format at all on 256 colours
    // The game runs a few seconds with a working card, its report waits for
    // OK: either is seen.
    EXPECT_TRUE(e2e::WaitUntil([&] {
      return IsIconic(GetParent(stage_->handle)) || launcher_->FindTopWindow(IsCardReport);
    })) << "the game did not start";
    EXPECT_EQ(BackFromTheGame(), reportExpected) << "driver " << driver;
  }
}

// Nothing of the launcher covers its boxes and guides, at either depth:
// each stays in front while the player clicks beneath it or switches
// programs, and its answer, given right after a switch away and back, leaves
// the window beneath in front with the keyboard. A player's double-click on
// AUDIO CALIBRATION gives its second click to the stage under the first box,
// which stays above it. A page opened from a guide comes up in front.
TEST_F(VideoSettings, EveryBoxAndGuideStaysAboveTheWindowItSpeaksOver) {
  const ScopedVariable exitAtOnce("QUIL_GAME_EXIT_CODE", "0"), log("QUIL_GAME_LOG", "1"),
      browserPage("QUIL_BROWSER_SECONDS", "30");
  ASSERT_TRUE(InstallRecordingBrowser(game_, "netscape.exe"));
  Start("1\r\n0\r\n0\r\n50\r\n");
  const OtherProgram other(game_);
  ASSERT_TRUE(other.window);
  const auto awayAndBack = [&](HWND to) {
    ASSERT_TRUE(e2e::BringToFront(other.window) && e2e::BringToFront(to));
  };
  ASSERT_TRUE(e2e::ToOptionsMenu(stage_->handle));
  const POINT audio =
      e2e::ClientToScreenPoint(stage_->handle, e2e::place::kAudioButton.x, e2e::place::kAudioButton.y);
  e2e::DoubleClickThroughTheDisplay(audio.x, audio.y);
  const auto box = e2e::WaitForMessageBox(*launcher_);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->owner, stage_->handle) << "the audio dialog is not shown yet";
  ExpectStaysAbove(box->handle, nullptr, other.window);
  e2e::SaveScreenshot("audio-box-over-the-stage");
  awayAndBack(box->handle);
  e2e::PressKey(VK_RETURN);
  const auto second = e2e::WaitForMessageBox(*launcher_);
  ASSERT_TRUE(second && second->handle != box->handle);
  EXPECT_EQ(e2e::AnswerMessageBox(*second), " Mixer Open Error3");
  const auto shown = WaitForDialogWith(IDC_MUSIC_BAR);
  ASSERT_TRUE(shown);
  const HWND audioDialog = shown->handle;
  awayAndBack(audioDialog);
  e2e::LeftClickInClient(audioDialog, kSmallDone);
  ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(audioDialog); }));
  EXPECT_TRUE(KeyboardBackTo(stage_->handle));

  dialog_ = OpenSettings(Settings::kVideo);
  ASSERT_TRUE(dialog_);
  Choose(IDC_DRIVER_LIST, 4);
  auto guide = WaitForDialogWith(IDC_GUIDE_LOCATION);
  ASSERT_TRUE(guide);
  EXPECT_EQ(guide->owner, dialog_);
  ExpectStaysAbove(guide->handle, dialog_, other.window);
  awayAndBack(guide->handle);
  e2e::LeftClickControl(guide->handle, IDC_GUIDE_CANCEL);
  EXPECT_TRUE(KeyboardBackTo(dialog_));
  Choose(IDC_DRIVER_LIST, 6);
  guide = WaitForDialogWith(IDC_GUIDE_LOCATION);
  ASSERT_TRUE(guide);
  e2e::LeftClickControl(guide->handle, IDC_GUIDE_DOWNLOAD);
  HWND page = nullptr;
  EXPECT_TRUE(e2e::Settled<bool>(
      [&] { return (page = FindWindowA("Quil3D Stand-in Browser", nullptr)) == GetForegroundWindow(); }, 10,
      milliseconds(10000), milliseconds(30), [](bool up) { return up; }))
      << "the page is not in front";
  PostMessageA(page, WM_CLOSE, 0, 0);
  ASSERT_TRUE(e2e::BringToFront(dialog_));
  Done();

  ClickOnStage(e2e::place::kStartGame);
  const auto report = WaitForDialogWith(IDC_REPORT_TEXT, milliseconds(30000));
  ASSERT_TRUE(report);
  EXPECT_EQ(report->owner, stage_->handle);
  ExpectStaysAbove(report->handle, nullptr, other.window);
  awayAndBack(report->handle);
  e2e::LeftClickControl(report->handle, IDC_REPORT_OK);
  EXPECT_TRUE(KeyboardBackTo(stage_->handle));
}

}  // namespace
