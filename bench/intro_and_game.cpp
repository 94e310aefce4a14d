#include "bench/intro_and_game.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/driver/linux_proc.h"
#include "game/game_ids.h"
#include "game/test_hooks.h"
#include "tests/e2e/driver/driver.h"
#include "tests/support/canvas.h"

namespace bench {
namespace {

constexpr char kStageClass[] = "Quil3D Child";
constexpr DWORD kPatienceMs = 30000;

double NowMs() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct VideoTiming {
  double frameMs;
  int frames;
};

// One frame's duration and the number of frames, from an AVI file's main
// header (dwMicroSecPerFrame, dwTotalFrames).
std::optional<VideoTiming> TimingOf(const std::string& aviPath) {
  const std::optional<std::string> bytes = e2e::ReadFileBytes(aviPath);
  if (!bytes || bytes->size() < 52 || bytes->compare(0, 4, "RIFF") != 0 ||
      bytes->compare(24, 4, "avih") != 0) {
    return std::nullopt;
  }
  const auto word = [&](std::size_t at) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes->data()) + at;
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
  };
  return VideoTiming{word(32) / 1000.0, static_cast<int>(word(48))};
}

// Whether a pixel shows more than the darkest shades.
bool Lit(std::uint32_t pixel) {
  return (pixel & 0xE0E0E0) != 0;
}

// The whole screen copied into a 32-bit bitmap of our own, summed up as a
// hash of every pixel and whether any pixel is lit. Until the stage shows,
// only the video lights the screen (the frame is black, and the 95 family's
// setting leaves out the "Starting AVI" box).
class ScreenWatch {
 public:
  ScreenWatch() : canvas_(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)) {}

  struct Look {
    std::uint64_t hash = 0;
    bool lit = false;
  };
  Look Take() {
    Look look;
    if (!canvas_.CopyFrom(screen_.get())) {
      return look;
    }
    const std::uint32_t* pixels = canvas_.bits();
    std::uint64_t hash = 1469598103934665603ull;
    const std::size_t count =
        static_cast<std::size_t>(canvas_.width()) * static_cast<std::size_t>(canvas_.height());
    for (std::size_t i = 0; i < count; ++i) {
      const std::uint32_t pixel = pixels[i] & 0xFFFFFF;
      look.lit = look.lit || Lit(pixel);
      hash = (hash ^ pixel) * 1099511628211ull;
    }
    look.hash = hash;
    return look;
  }

  // Of the last look: the pixels of a screen rectangle, row by row.
  std::vector<std::uint32_t> Pixels(const RECT& rect) const {
    std::vector<std::uint32_t> copied;
    const std::uint32_t* pixels = canvas_.bits();
    if (pixels == nullptr) {
      return copied;
    }
    const LONG width = canvas_.width(), height = canvas_.height();
    for (LONG y = std::max(rect.top, 0L); y < std::min(rect.bottom, height); ++y) {
      for (LONG x = std::max(rect.left, 0L); x < std::min(rect.right, width); ++x) {
        copied.push_back(pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                static_cast<std::size_t>(x)] &
                         0xFFFFFF);
      }
    }
    return copied;
  }

 private:
  const win::WindowDc screen_{nullptr};
  support::Canvas canvas_;
};

// How many lit pixels of `before` are still the same in `now`.
std::size_t StillShown(const std::vector<std::uint32_t>& before, const std::vector<std::uint32_t>& now) {
  std::size_t same = 0;
  for (std::size_t i = 0; i < before.size() && i < now.size(); ++i) {
    same += Lit(before[i]) && before[i] == now[i] ? 1 : 0;
  }
  return same;
}

}  // namespace

// The program's visible top-level window of its class, if it has one yet.
HWND VisibleWindowOf(DWORD processId, const char* windowClass) {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, windowClass, nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window)) {
      return window;
    }
  }
  return nullptr;
}

IntroRun MeasureIntroEnd() {
  IntroRun run;
  e2e::GameCopy game(e2e::IntroVideo::kKept);
  const std::optional<VideoTiming> timing = TimingOf(game.PathOf("logo.avi"));
  if (game.Folder().empty() || !timing) {
    run.failure = "no game copy with a readable logo.avi";
    return run;
  }
  run.frameMs = timing->frameMs;
  run.frames = timing->frames;
  e2e::MoveMouseTo(2, 2);
  ScreenWatch watch;
  e2e::Launcher launcher(game);

  struct Change {
    double at;
    bool lit;
  };
  std::vector<Change> changes;
  std::uint64_t lastHash = 0;
  double stageAt = -1;
  int looks = 0;
  const double from = NowMs();
  while (NowMs() - from < kPatienceMs) {
    const ScreenWatch::Look look = watch.Take();
    const double at = NowMs();
    ++looks;
    if (look.hash != lastHash) {
      changes.push_back({at, look.lit});
      lastHash = look.hash;
    }
    if (VisibleWindowOf(launcher.ProcessId(), kStageClass) != nullptr) {
      stageAt = NowMs();
      break;
    }
    if (!launcher.Running()) {
      break;
    }
  }
  run.captureMs = looks > 0 ? (NowMs() - from) / looks : 0;
  if (stageAt < 0) {
    run.failure = "the stage never showed";
    return run;
  }
  // The video's pictures: the changes while the ring is lit. Its last change
  // is its last frame; its first, about when it started.
  const Change* first = nullptr;
  const Change* last = nullptr;
  for (const Change& change : changes) {
    if (change.lit) {
      first = first != nullptr ? first : &change;
      last = &change;
      ++run.changesSeen;
    }
  }
  if (last == nullptr) {
    run.failure = "the video never showed";
    return run;
  }
  run.stageAfterLastPictureMs = stageAt - last->at;
  run.stageAfterNominalEndMs = stageAt - (first->at + run.frames * run.frameMs);
  Sleep(500);  // the stage has drawn its menu
  if (const std::optional<int> pid = e2e::LinuxPidOfWindowsProgram(game.PathOf("Quil3D.exe"))) {
    if (const std::optional<std::uint64_t> hwm = e2e::StatusKiB(*pid, "VmHWM")) {
      run.peakRssMiB = static_cast<double>(*hwm) / 1024.0;
    }
  }
  if (const auto stage = launcher.WaitForStage()) {
    e2e::CloseWithAltF4(stage->handle);
  }
  launcher.WaitForExit();
  return run;
}

StartingBoxRun MeasureStartingBoxToFirstFrame() {
  StartingBoxRun run;
  e2e::GameCopy game(e2e::IntroVideo::kKept);
  if (game.Folder().empty()) {
    run.failure = "no game copy";
    return run;
  }
  e2e::MoveMouseTo(2, 2);
  e2e::LaunchOptions options;
  options.answerStartingBox = false;
  e2e::Launcher launcher(game, options);
  const std::optional<e2e::WindowFacts> box = e2e::WaitForMessageBox(launcher);
  if (!box || !e2e::IsStartingBox(*box)) {
    run.failure = "no \"Starting AVI\" box (is Wine set to the NT family?)";
    return run;
  }
  e2e::BringToFront(box->handle);
  // The box as the screen shows it, once drawn: most of it is lit.
  ScreenWatch watch;
  std::vector<std::uint32_t> shown;
  const auto boxDrawn = [&] {
    watch.Take();
    shown = watch.Pixels(box->rect);
    const auto lit = static_cast<std::size_t>(std::count_if(shown.begin(), shown.end(), Lit));
    return !shown.empty() && lit * 2 > shown.size();
  };
  if (!e2e::WaitUntil(boxDrawn, e2e::milliseconds(5000))) {
    run.failure = "the box never showed on the screen";
    return run;
  }
  const std::size_t litBefore = StillShown(shown, shown);

  // OK acts when the button goes up, which is where the click ends.
  e2e::LeftClickControl(box->handle, IDOK);
  const double answered = NowMs();
  std::uint64_t firstFrameHash = 0;
  int looks = 0;
  while (NowMs() - answered < kPatienceMs) {
    const ScreenWatch::Look look = watch.Take();
    const double at = NowMs();
    ++looks;
    if (run.firstFrameMs == 0) {
      // Less than 1 % of the box's lit pixels left.
      if (StillShown(shown, watch.Pixels(box->rect)) * 100 < litBefore) {
        run.firstFrameMs = at - answered;
        firstFrameHash = look.hash;
      }
    } else if (look.hash != firstFrameHash) {
      run.nextPictureMs = at - answered;
      break;
    }
    if (VisibleWindowOf(launcher.ProcessId(), kStageClass) != nullptr || !launcher.Running()) {
      break;
    }
  }
  run.captureMs = looks > 0 ? (NowMs() - answered) / looks : 0;
  if (run.firstFrameMs == 0 || run.nextPictureMs == 0) {
    run.failure =
        run.firstFrameMs == 0 ? "the box's picture stayed on the screen" : "the video never moved on";
  }
  if (const auto stage = launcher.WaitForStage()) {
    e2e::CloseWithAltF4(stage->handle);
  }
  launcher.WaitForExit();
  return run;
}

GameWaitRun MeasureGameWait(int seconds, int clockTicks) {
  GameWaitRun run;
  e2e::GameCopy game;
  game.Write("info\\InitFlag.flg", "1\r\n");  // no driver question before the start
  e2e::MoveMouseTo(2, 2);
  // The stand-in game stays until it is closed here; the launcher hands the
  // variable on to it.
  const std::string lifetime = std::to_string(seconds + 30);
  SetEnvironmentVariableA(game::kSecondsHook, lifetime.c_str());
  e2e::Launcher launcher(game);
  SetEnvironmentVariableA(game::kSecondsHook, nullptr);
  const auto stage = launcher.WaitForStage();
  if (!stage) {
    run.failure = "the stage never showed";
    return run;
  }
  e2e::BringToFront(stage->handle);
  Sleep(300);
  const POINT startGame = e2e::ClientToScreenPoint(stage->handle, 345, 128);
  e2e::LeftClickAt(startGame.x, startGame.y);
  HWND window = nullptr;
  e2e::WaitUntil([&] { return (window = FindWindowA(game::kWindowClass, nullptr)) != nullptr; });
  const std::optional<int> pid = e2e::LinuxPidOfWindowsProgram(game.PathOf("Quil3D.exe"));
  if (window == nullptr || !pid) {
    run.failure = window == nullptr ? "the game's window never showed" : "no Linux process for the launcher";
    return run;
  }
  Sleep(1000);  // the game settles
  const double from = NowMs();
  const std::optional<std::uint64_t> before = e2e::CpuTicks(*pid);
  Sleep(static_cast<DWORD>(seconds) * 1000);
  const std::optional<std::uint64_t> after = e2e::CpuTicks(*pid);
  run.seconds = (NowMs() - from) / 1000.0;
  if (!before || !after) {
    run.failure = "cannot read the launcher's /proc/<pid>/stat";
    return run;
  }
  run.launcherCpuPercent = static_cast<double>(*after - *before) / clockTicks / run.seconds * 100.0;

  PostMessageA(window, WM_CLOSE, 0, 0);
  if (!e2e::WaitUntil([&] { return IsWindowVisible(stage->handle) != FALSE && !IsIconic(stage->handle); })) {
    run.failure = "the launcher did not come back after the game";
    return run;
  }
  Sleep(300);
  e2e::CloseWithAltF4(stage->handle);
  launcher.WaitForExit();
  return run;
}

}  // namespace bench
