#include "bench/soak.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <optional>

#include "bench/linux_proc.h"
#include "game/test_hooks.h"
#include "tests/e2e/driver/driver.h"

namespace bench {
namespace {

using std::chrono::milliseconds;
constexpr milliseconds kDialogPatience{10000};

double NowSeconds() {
  return static_cast<double>(GetTickCount()) / 1000.0;
}

// Works the launcher's screens; every step waits for what it caused.
class Player {
 public:
  Player(const e2e::Launcher& launcher, HWND stage) : launcher_(launcher), stage_(stage) {}

  bool OnStage(int x, int y) {
    const POINT at = e2e::ClientToScreenPoint(stage_, x, y);
    e2e::LeftClickAt(at.x, at.y);
    Sleep(150);
    return true;
  }
  bool In(HWND window, int x, int y) {
    const POINT at = e2e::ClientToScreenPoint(window, x, y);
    e2e::LeftClickAt(at.x, at.y);
    return true;
  }
  std::optional<e2e::WindowFacts> DialogWith(int id) {
    return launcher_.WaitForWindow(
        [id](const e2e::WindowFacts& w) {
          return w.className == "#32770" && GetDlgItem(w.handle, id) != nullptr;
        },
        kDialogPatience);
  }
  bool Closed(HWND window) {
    return e2e::WaitUntil([&] { return !IsWindow(window); }, kDialogPatience);
  }
  // Picks entry `index` of a drop-down list with the pointer.
  bool Choose(HWND dialog, int listId, int index) {
    RECT combo = {};
    GetWindowRect(GetDlgItem(dialog, listId), &combo);
    e2e::LeftClickAt((combo.left + combo.right) / 2, (combo.top + combo.bottom) / 2);
    std::optional<e2e::WindowFacts> dropped;
    if (!e2e::WaitUntil(
            [&] {
              dropped = launcher_.FindTopWindow(
                  [](const e2e::WindowFacts& w) { return w.className == "ComboLBox"; });
              return dropped.has_value();
            },
            kDialogPatience)) {
      return false;
    }
    SendMessageA(dropped->handle, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    const int top = static_cast<int>(SendMessageA(dropped->handle, LB_GETTOPINDEX, 0, 0));
    const int height = static_cast<int>(SendMessageA(dropped->handle, LB_GETITEMHEIGHT, 0, 0));
    Sleep(50);
    return In(dropped->handle, 10, (index - top) * height + height / 2);
  }
  // Answers a dialog that holds `id` by pressing `button`.
  bool Answer(int id, int button) {
    const auto dialog = DialogWith(id);
    if (!dialog) {
      return false;
    }
    e2e::LeftClickControl(dialog->handle, button);
    return Closed(dialog->handle);
  }

  bool DriverQuestion() {
    OnStage(345, 128);          // START GAME
    return Answer(1066, 1067);  // "after setting": nothing starts
  }
  bool InputDialog() {
    OnStage(111, 84);
    const auto dialog = DialogWith(1035);
    return dialog && In(dialog->handle, 560, 440) && Closed(dialog->handle);  // CANCEL
  }
  bool AudioDialog() {
    OnStage(111, 144);
    // Where the mixer cannot be set, each opening says so first.
    while (const auto box = e2e::WaitForMessageBox(launcher_, milliseconds(1500))) {
      e2e::AnswerMessageBox(*box);
    }
    const auto dialog = DialogWith(1032);
    return dialog && In(dialog->handle, 141, 248) && Closed(dialog->handle);  // DONE
  }
  bool HowToPlay() {
    OnStage(111, 264);
    const auto viewer = launcher_.WaitForDialog(kDialogPatience);
    return viewer && In(viewer->handle, 204, 308) && Closed(viewer->handle);  // Close
  }
  bool VideoDialog() {
    OnStage(111, 204);
    const auto dialog = DialogWith(1030);
    return dialog && Choose(dialog->handle, 1030, 1) && Answer(1074, 1074) &&  // installed
           Choose(dialog->handle, 1030, 4) && Answer(1064, 1064) &&            // the guide, Cancel
           Choose(dialog->handle, 1030, 0) && In(dialog->handle, 141, 248) && Closed(dialog->handle);
  }
  bool GameAndReport() {
    OnStage(345, 128);  // START GAME: the game ends at once and reports a failing card
    if (!Answer(1072, 1068)) {
      return false;
    }
    return e2e::WaitUntil([&] { return IsWindowVisible(stage_) && !IsIconic(GetParent(stage_)); },
                          kDialogPatience);
  }

 private:
  const e2e::Launcher& launcher_;
  HWND stage_;
};

std::optional<double> RssMiB(int pid) {
  const std::optional<std::uint64_t> kib = StatusKiB(pid, "VmRSS");
  if (!kib) {
    return std::nullopt;
  }
  return static_cast<double>(*kib) / 1024.0;
}

}  // namespace

SoakRun MeasureSoak(int cycles, int few) {
  SoakRun run;
  run.few = few;
  e2e::GameCopy game;
  game.Write("info\\InitFlag.flg", "0\r\n");
  // Every start of the game ends at once and leaves a failing card's log.
  SetEnvironmentVariableA(game::kExitCodeHook, "0");
  SetEnvironmentVariableA(game::kLogHook, "1");
  e2e::MoveMouseTo(2, 2);
  e2e::Launcher launcher(game);
  SetEnvironmentVariableA(game::kExitCodeHook, nullptr);
  SetEnvironmentVariableA(game::kLogHook, nullptr);
  const auto stage = launcher.WaitForStage();
  const std::optional<int> pid = LinuxPidOfWindowsProgram(game.PathOf("Quil3D.exe"));
  if (!stage || !pid) {
    run.failure = "the launcher did not start";
    return run;
  }
  e2e::BringToFront(stage->handle);
  Sleep(300);
  Player player(launcher, stage->handle);

  using Cycle = bool (*)(Player&);
  const struct {
    const char* name;
    Cycle cycle;
  } phases[] = {
      {"driver question, input, audio, how-to-play, both menus",
       [](Player& p) {
         return p.DriverQuestion() && p.OnStage(559, 327) && p.InputDialog() && p.AudioDialog() &&
                p.HowToPlay() && p.OnStage(111, 324);
       }},
      {"video with both driver guides, both menus, the game and its report",
       [](Player& p) {
         return p.OnStage(559, 327) && p.VideoDialog() && p.OnStage(111, 324) && p.GameAndReport();
       }},
  };
  for (const auto& phase : phases) {
    SoakPhase done;
    done.name = phase.name;
    const double from = NowSeconds();
    for (int cycle = 1; cycle <= cycles; ++cycle) {
      if (!phase.cycle(player)) {
        run.failure =
            std::string("cycle ") + std::to_string(cycle) + " of \"" + phase.name + "\" did not go through";
        e2e::SaveScreenshot("soak-failed");
        run.phases.push_back(done);
        return run;
      }
      done.cycles = cycle;
      if (cycle == few || cycle == cycles) {
        Sleep(500);
        const double rss = RssMiB(*pid).value_or(0);
        if (cycle == few) {
          done.rssAfterFewMiB = rss;
        }
        if (cycle == cycles) {
          done.rssAfterAllMiB = rss;
        }
        std::printf("soak: %s: VmRSS %.2f MiB after %d cycles\n", phase.name, rss, cycle);
        std::fflush(stdout);
      }
    }
    done.secondsPerCycle = (NowSeconds() - from) / cycles;
    run.phases.push_back(done);
  }
  e2e::CloseWithAltF4(stage->handle);
  if (launcher.WaitForExit() != std::optional<DWORD>(0)) {
    run.failure = "the launcher did not end cleanly after the soak";
  }
  return run;
}

}  // namespace bench
