// The demo's tour: starts the launcher in a copy of the assembled game folder,
// walks every screen a player meets, takes a screenshot of each on the way,
// and closes it again. Run by scripts/demo.sh on a virtual display; prints
// where the pictures are. The copy keeps build/game/ as it was built.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/e2e/driver/driver.h"
#include "tests/e2e/driver/places.h"

namespace {

using std::chrono::milliseconds;
using namespace e2e::place;

std::vector<std::string> taken;
int shots = 0;

void Shoot(const std::string& name) {
  Sleep(300);  // let the last drawing reach the screen
  char number[8];
  std::snprintf(number, sizeof number, "%02d", ++shots);
  taken.push_back(e2e::SaveScreenshot(std::string("demo-") + number + "-" + name));
}

// A dialog of the launcher that holds the control `id`.
std::optional<e2e::WindowFacts> DialogWith(const e2e::Launcher& launcher, int id) {
  return launcher.WaitForDialogWith(id, milliseconds(10000));
}

void ClickIn(HWND window, int x, int y) {
  const POINT at = e2e::ClientToScreenPoint(window, x, y);
  e2e::LeftClickAt(at.x, at.y);
  Sleep(300);
}

void MoveIn(HWND window, int x, int y) {
  const POINT at = e2e::ClientToScreenPoint(window, x, y);
  e2e::MoveMouseTo(at.x, at.y);
}

void ClickIn(HWND window, POINT client) {
  ClickIn(window, client.x, client.y);
}

void MoveIn(HWND window, POINT client) {
  MoveIn(window, client.x, client.y);
}

// Opens entry `index` of a drop-down list of a dialog with the pointer.
void Choose(const e2e::Launcher& launcher, HWND dialog, int listId, int index) {
  RECT combo = {};
  GetWindowRect(GetDlgItem(dialog, listId), &combo);
  e2e::LeftClickAt((combo.left + combo.right) / 2, (combo.top + combo.bottom) / 2);
  std::optional<e2e::WindowFacts> dropped;
  e2e::WaitUntil(
      [&] {
        dropped =
            launcher.FindTopWindow([](const e2e::WindowFacts& w) { return w.className == "ComboLBox"; });
        return dropped.has_value();
      },
      milliseconds(5000));
  if (!dropped) {
    return;
  }
  SendMessageA(dropped->handle, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
  const int top = static_cast<int>(SendMessageA(dropped->handle, LB_GETTOPINDEX, 0, 0));
  const int height = static_cast<int>(SendMessageA(dropped->handle, LB_GETITEMHEIGHT, 0, 0));
  Sleep(100);
  ClickIn(dropped->handle, 10, (index - top) * height + height / 2);
}

// The intro: the box the NT family shows first, then the video itself.
void Intro(const e2e::Launcher& launcher) {
  if (const auto box = e2e::WaitForMessageBox(launcher, milliseconds(15000))) {
    Shoot("starting-avi");
    e2e::AnswerMessageBox(*box);
  }
  Sleep(900);
  taken.push_back(e2e::SaveScreenshot("demo-00-intro-early"));
  Sleep(1100);
  Shoot("intro");
}

// START GAME on a first run: the driver question, the stand-in game, and on a
// display where its OpenGL fails, the report on the 3D card.
void StartTheGame(const e2e::Launcher& launcher, HWND stage) {
  MoveIn(stage, kStartGame);
  Shoot("main-menu-start-game-lit");
  ClickIn(stage, kStartGame);
  const auto question = DialogWith(launcher, IDC_START_WITH_CURRENT_DRIVER);
  if (!question) {
    return;
  }
  Shoot("driver-question");
  e2e::LeftClickControl(question->handle, IDC_START_WITH_CURRENT_DRIVER);  // by the current driver
  HWND game = nullptr;
  if (e2e::WaitUntil([&] { return (game = FindWindowA("Quil3D Game", nullptr)) != nullptr; })) {
    Sleep(700);
    Shoot("the-game-stand-in");
    e2e::WaitUntil([&] { return !IsWindow(game); });
  }
  if (const auto report = launcher.WaitForWindow(
          [](const e2e::WindowFacts& w) {
            return w.className == "#32770" && GetDlgItem(w.handle, IDC_REPORT_TEXT) != nullptr;
          },
          milliseconds(3000))) {
    Shoot("3d-card-report");
    e2e::LeftClickControl(report->handle, IDC_REPORT_OK);
  }
  e2e::WaitUntil([&] { return IsWindowVisible(stage) && !IsIconic(GetParent(stage)); });
  e2e::BringToFront(stage);
  Sleep(500);
}

void InputDialog(const e2e::Launcher& launcher, HWND stage) {
  ClickIn(stage, kInputButton);
  if (const auto dialog = DialogWith(launcher, IDC_FIRST_KEY_BOX)) {
    MoveIn(dialog->handle, kInputDone);  // lit
    Shoot("input-settings");
    ClickIn(dialog->handle, kInputCancel);
  }
}

void AudioDialog(const e2e::Launcher& launcher, HWND stage) {
  ClickIn(stage, kAudioButton);
  // Where the sound card's mixer cannot be set (no recording line, as on the
  // virtual displays), the dialog says so first, once per try.
  for (int answered = 0;; ++answered) {
    const auto box = e2e::WaitForMessageBox(launcher, milliseconds(answered == 0 ? 3000 : 1500));
    if (!box) {
      break;
    }
    if (answered == 0) {
      Shoot("audio-mixer-message");
    }
    e2e::AnswerMessageBox(*box);
  }
  if (const auto dialog = DialogWith(launcher, IDC_MUSIC_BAR)) {
    MoveIn(dialog->handle, 20, 20);
    Shoot("audio-settings");
    ClickIn(dialog->handle, kSmallDone);
  }
}

void VideoDialog(const e2e::Launcher& launcher, HWND stage) {
  ClickIn(stage, kVideoButton);
  const auto dialog = DialogWith(launcher, IDC_DRIVER_LIST);
  if (!dialog) {
    return;
  }
  MoveIn(dialog->handle, 20, 20);
  Shoot("video-settings");
  Choose(launcher, dialog->handle, IDC_DRIVER_LIST, 1);  // a driver the launcher installs
  if (const auto installed = DialogWith(launcher, IDC_INSTALLED_OK)) {
    Shoot("driver-installed");
    e2e::LeftClickControl(installed->handle, IDC_INSTALLED_OK);
  }
  Choose(launcher, dialog->handle, IDC_DRIVER_LIST, 4);  // one the player installs
  if (const auto guide = DialogWith(launcher, IDC_GUIDE_CANCEL)) {
    Shoot("driver-install-guide");
    e2e::LeftClickControl(guide->handle, IDC_GUIDE_CANCEL);  // Cancel
  }
  Choose(launcher, dialog->handle, IDC_DRIVER_LIST, 0);
  ClickIn(dialog->handle, kSmallDone);
}

void HowToPlay(const e2e::Launcher& launcher, HWND stage) {
  ClickIn(stage, kHowToPlayButton);
  const auto viewer = launcher.WaitForDialog(milliseconds(10000));
  if (!viewer) {
    return;
  }
  MoveIn(viewer->handle, 20, 20);
  Shoot("how-to-play-page-1");
  for (int page = 2; page <= 3; ++page) {
    ClickIn(viewer->handle, kHowToPlayNext);
    Sleep(300);  // not a double click
    Shoot("how-to-play-page-" + std::to_string(page));
  }
  ClickIn(viewer->handle, kHowToPlayClose);
}

}  // namespace

int main() {
  e2e::GameCopy game(e2e::IntroVideo::kKept);
  e2e::MoveMouseTo(2, 2);
  e2e::LaunchOptions options;
  options.answerStartingBox = false;  // shown, then answered
  e2e::Launcher launcher(game, options);
  Intro(launcher);
  const std::optional<e2e::WindowFacts> stage = launcher.WaitForStage(milliseconds(30000));
  if (!stage) {
    Shoot("failed-to-start");
    std::printf("the launcher did not show its stage\n");
    return 1;
  }
  const HWND window = stage->handle;
  e2e::BringToFront(window);
  MoveIn(window, 20, 20);
  Shoot("main-menu");
  StartTheGame(launcher, window);

  ClickIn(window, kOption);
  MoveIn(window, 20, 20);
  Shoot("options-menu");
  InputDialog(launcher, window);
  AudioDialog(launcher, window);
  VideoDialog(launcher, window);
  HowToPlay(launcher, window);

  ClickIn(window, kCloseOptions);
  MoveIn(window, 20, 20);
  Shoot("back-to-the-main-menu");

  e2e::CloseWithAltF4(window);
  const std::optional<DWORD> code = launcher.WaitForExit();
  for (const std::string& path : taken) {
    std::printf("screenshot: %s\n", path.c_str());
  }
  if (!code) {
    std::printf("the launcher did not close\n");
    return 1;
  }
  std::printf("the launcher closed with exit code %lu\n", *code);
  return static_cast<int>(*code);
}
