#include "resources/resource.h"
#include "tests/e2e/driver/soak.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

#include "game/test_hooks.h"
#include "tests/e2e/driver/driver.h"
#include "tests/e2e/driver/linux_proc.h"
#include "tests/e2e/driver/places.h"

namespace e2e {
namespace {

using std::chrono::milliseconds;
constexpr milliseconds kDialogPatience{10000};

using namespace place;

double NowSeconds() {
  return static_cast<double>(GetTickCount()) / 1000.0;
}

// Works the launcher's screens with real input. Every step waits for what it
// caused (a window, a face on the screen) before the next, and a step that
// does not go through says which it was.
class Player {
 public:
  Player(const Launcher& launcher, HWND stage) : launcher_(launcher), stage_(stage) {}

  const std::string& failedStep() const { return failed_; }

  bool ToOptions() { return ToOptionsMenu(stage_) || Fail("the options menu is not drawn"); }
  bool ToMain() { return ToMainMenu(stage_) || Fail("the main menu is not drawn"); }
  // START GAME while no driver was chosen: the question, answered "after
  // setting", and nothing starts.
  bool DriverQuestion() {
    return Click(stage_, kStartGame) &&
           Answer(IDC_START_WITH_CURRENT_DRIVER, IDC_START_AFTER_SETTING_DRIVER, "the driver question");
  }
  bool InputDialog() {
    Click(stage_, kInputButton);
    const HWND dialog = Front(IDC_FIRST_KEY_BOX, "the input dialog", [](HWND shown) {
      return ShowsFace(shown, kPlayer1Place, {kJoystick1Face, kJoystick2Face});
    });
    return dialog != nullptr && Click(dialog, kInputCancel) && Closed(dialog, "the input dialog's CANCEL");
  }
  bool AudioDialog() {
    Click(stage_, kAudioButton);
    // Where the mixer cannot be set, each opening says so first.
    if (!AnswerMessageBoxesUntil(
            launcher_,
            [](const WindowFacts& w) {
              return w.className == "#32770" && GetDlgItem(w.handle, IDC_MUSIC_BAR) != nullptr;
            },
            nullptr, kDialogPatience)) {
      return Fail("the audio dialog did not open");
    }
    const HWND dialog = Dialog(IDC_MUSIC_BAR, 176, kSmallDone, {kAudioDoneFace}, "the audio dialog");
    return dialog != nullptr && Click(dialog, kSmallDone) && Closed(dialog, "the audio dialog's DONE");
  }
  bool HowToPlay() {
    Click(stage_, kHowToPlayButton);
    const auto viewer = launcher_.WaitForDialog(kDialogPatience);
    if (!viewer) {
      return Fail("the how-to-play viewer did not open");
    }
    BringToFront(viewer->handle);
    return Click(viewer->handle, kHowToPlayClose) && Closed(viewer->handle, "the how-to-play viewer's Close");
  }
  // The video dialog: a driver that is installed and says so, one with a
  // guide (Cancel), the first entry again, DONE.
  bool VideoDialog() {
    Click(stage_, kVideoButton);
    const HWND dialog = Dialog(IDC_DRIVER_LIST, 172, kSmallDone, {kVideoDoneFace}, "the video dialog");
    return dialog != nullptr && Choose(dialog, IDC_DRIVER_LIST, 1) &&
           Answer(IDC_INSTALLED_OK, IDC_INSTALLED_OK, "the installed driver's note") &&
           Choose(dialog, IDC_DRIVER_LIST, 4) &&
           Answer(IDC_GUIDE_CANCEL, IDC_GUIDE_CANCEL, "the driver guide") &&
           Choose(dialog, IDC_DRIVER_LIST, 0) && Click(dialog, kSmallDone) &&
           Closed(dialog, "the video dialog's DONE");
  }
  // START GAME: the game ends at once and leaves a failing card's log; the
  // report is answered and the stage comes back.
  bool GameAndReport() {
    Click(stage_, kStartGame);
    if (!Answer(IDC_REPORT_TEXT, IDC_REPORT_OK, "the 3D card report")) {
      return false;
    }
    // Back from the game the launcher flashes a momentary dialog over the
    // stage, which takes no input until it is gone.
    return WaitUntil(
               [&] {
                 return IsWindowVisible(stage_) && !IsIconic(GetParent(stage_)) && IsWindowEnabled(stage_) &&
                        !launcher_.FindTopWindow(
                            [](const WindowFacts& w) { return w.className == "#32770"; });
               },
               kDialogPatience) ||
           Fail("the stage did not come back after the game");
  }

 private:
  bool Fail(const std::string& step) {
    failed_ = step;
    return false;
  }
  bool Click(HWND window, POINT client) {
    LeftClickInClient(window, client);
    return true;
  }
  bool Closed(HWND window, const std::string& step) {
    return WaitUntil([&] { return !IsWindow(window); }, kDialogPatience) ||
           Fail(step + " did not close its window");
  }
  // The dialog holding control `id`, brought to the front once it shows and
  // `onScreen` (when given) finds it there; null when it does not.
  HWND Front(int id, const std::string& name, const std::function<bool(HWND)>& onScreen = {}) {
    const auto dialog = launcher_.WaitForDialogWith(id, kDialogPatience);
    if (!dialog || (onScreen && !onScreen(dialog->handle))) {
      Fail(name + (dialog ? " is not on the screen" : " did not open"));
      return nullptr;
    }
    BringToFront(dialog->handle);
    return dialog->handle;
  }
  // A settings dialog holding control `id` (its template `heightUnits`
  // high), once one of `faces` shows at `place`.
  HWND Dialog(int id, int heightUnits, POINT place, std::initializer_list<int> faces,
              const std::string& name) {
    return Front(id, name, [&](HWND shown) {
      return DialogInPlace(shown, place, faces, SettingsDialogPlace(stage_, shown, heightUnits));
    });
  }
  // Answers a dialog that holds `id` by pressing `button`.
  bool Answer(int id, int button, const std::string& name) {
    const HWND dialog = Front(id, name);
    if (dialog != nullptr) {
      LeftClickControl(dialog, button);
    }
    return dialog != nullptr && Closed(dialog, name);
  }
  bool Choose(HWND dialog, int listId, int index) {
    return ChooseListEntry(launcher_, dialog, listId, index) ||
           Fail("entry " + std::to_string(index) + " of list " + std::to_string(listId) + " was not chosen");
  }

  const Launcher& launcher_;
  HWND stage_;
  std::string failed_;
};

// VmRSS once it has stopped moving: the same at five looks 100 ms apart (or
// as it is after three seconds); 0 when it cannot be read.
double SettledRssMiB(int pid) {
  const std::optional<std::uint64_t> kib = Settled<std::optional<std::uint64_t>>(
      [pid] { return StatusKiB(pid, "VmRSS"); }, 5, milliseconds(3000), milliseconds(100));
  return static_cast<double>(kib.value_or(0)) / 1024.0;
}

}  // namespace

bool ChooseListEntry(const Launcher& launcher, HWND dialog, int listId, int index) {
  const auto dropped = [&] {
    return launcher.FindTopWindow([](const WindowFacts& w) { return w.className == "ComboLBox"; });
  };
  const HWND combo = GetDlgItem(dialog, listId);
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (!dropped()) {
      RECT box = {};
      GetWindowRect(combo, &box);
      LeftClickAt((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    }
    std::optional<WindowFacts> list;
    if (!WaitUntil([&] { return (list = dropped()).has_value(); }, milliseconds(3000))) {
      continue;
    }
    HandPause(milliseconds(50));
    SendMessageA(list->handle, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    const int top = static_cast<int>(SendMessageA(list->handle, LB_GETTOPINDEX, 0, 0));
    const int height = static_cast<int>(SendMessageA(list->handle, LB_GETITEMHEIGHT, 0, 0));
    LeftClickInClient(list->handle, POINT{10, (index - top) * height + height / 2});
    if (WaitUntil([&] { return !dropped() && SendMessageA(combo, CB_GETCURSEL, 0, 0) == index; },
                  milliseconds(3000))) {
      return true;
    }
  }
  return false;
}

SoakRun Soak(int cycles, int few) {
  SoakRun run;
  run.few = few;
  GameCopy game;
  game.Write("info\\InitFlag.flg", "0\r\n");
  // Every start of the game ends at once and leaves a failing card's log.
  SetEnvironmentVariableA(game::kExitCodeHook, "0");
  SetEnvironmentVariableA(game::kLogHook, "1");
  MoveMouseTo(2, 2);
  Launcher launcher(game);
  SetEnvironmentVariableA(game::kExitCodeHook, nullptr);
  SetEnvironmentVariableA(game::kLogHook, nullptr);
  const auto stage = launcher.WaitForStage();
  const std::optional<int> pid = LinuxPidOfWindowsProgram(game.PathOf("Quil3D.exe"));
  if (!stage || !pid) {
    run.failure = "the launcher did not start";
    return run;
  }
  BringToFront(stage->handle);
  Player player(launcher, stage->handle);
  if (!MainMenuShows(stage->handle)) {
    run.failure = "the main menu is not drawn";
    return run;
  }

  using Cycle = bool (*)(Player&);
  const struct {
    const char* name;
    Cycle cycle;
  } phases[] = {
      {"driver question, input, audio, how-to-play, both menus",
       [](Player& p) {
         return p.DriverQuestion() && p.ToOptions() && p.InputDialog() && p.AudioDialog() && p.HowToPlay() &&
                p.ToMain();
       }},
      {"video with both driver guides, both menus, the game and its report",
       [](Player& p) { return p.ToOptions() && p.VideoDialog() && p.ToMain() && p.GameAndReport(); }},
  };
  for (const auto& phase : phases) {
    SoakPhase done;
    done.name = phase.name;
    const double from = NowSeconds();
    for (int cycle = 1; cycle <= cycles; ++cycle) {
      if (!phase.cycle(player)) {
        run.failure = "cycle " + std::to_string(cycle) + " of \"" + phase.name + "\": " + player.failedStep();
        SaveScreenshot("soak-failed");
        run.phases.push_back(done);
        return run;
      }
      done.cycles = cycle;
      if (cycle == few || cycle == cycles) {
        const double rss = SettledRssMiB(*pid);
        done.rssAfterFewMiB = cycle == few ? rss : done.rssAfterFewMiB;
        done.rssAfterAllMiB = cycle == cycles ? rss : done.rssAfterAllMiB;
        std::printf("soak: %s: VmRSS %.2f MiB after %d cycles\n", phase.name, rss, cycle);
        std::fflush(stdout);
      }
    }
    done.secondsPerCycle = (NowSeconds() - from) / cycles;
    run.phases.push_back(done);
  }
  CloseWithAltF4(stage->handle);
  if (launcher.WaitForExit() != std::optional<DWORD>(0)) {
    run.failure = "the launcher did not end cleanly after the soak";
  }
  return run;
}

}  // namespace e2e
