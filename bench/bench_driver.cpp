// Measures the launcher against the bare window program, both started by this
// driver under the same Wine and X server, in alternating runs:
//
//   start-up   from just before CreateProcess until the program's window is
//              shown and painted: its visible top-level window of the
//              expected class exists, the program has gone idle
//              (WaitForInputIdle), and it answers a message sent to that
//              window, so it is back in its message loop after ShowWindow
//              and UpdateWindow. Beside it, the processor time the program
//              took until then and its time waiting for a processor (the
//              kernel's per-thread schedstat), which tell a slow start from a
//              busy machine;
//   idle CPU   user plus system time of the program's Linux process (and of
//              the wineserver) over the idle seconds that follow, as a share
//              of one core;
//   memory     the peak resident set of the Linux process (VmHWM) before the
//              program is closed, beside Windows' PeakWorkingSetSize. The
//              launcher's is set against the bare program in the launcher's
//              shape (bare_window.exe --frame: a full-screen frame and the
//              640 x 480 window), run in the same rounds.
//
// Each run starts the program in a fresh copy of the game folder and ends it
// with WM_CLOSE to its window; it must then exit with code 0.
//
//   bench_driver.exe [--runs N] [--start-runs M] [--idle-seconds S] [--clock-ticks T]
//                    [--wine-prefix DIR]
//
// QUIL_GAME_DIR names the game folder; bare_window.exe lies beside this
// driver. Exit code 0 when every run was measured, 1 otherwise.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "bench/intro_and_game.h"
#include "tests/e2e/driver/linux_proc.h"
#include "tests/e2e/driver/soak.h"
#include "common/win/handles.h"
#include "tests/e2e/driver/driver.h"

namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
constexpr DWORD kStartPatienceMs = 30000;
constexpr DWORD kExitPatienceMs = 10000;
constexpr double kMiB = 1024.0 * 1024.0;

// The goals the launcher is held to.
constexpr double kStartRatioGoal = 1.1;
constexpr double kIdleCpuGoalPercent = 1.0;
constexpr double kExtraMemoryGoalMiB = 4.0;
constexpr double kIntroEndGoalMs = 100.0;
constexpr double kBoxToFirstFrameGoalMs = 100.0;

struct Options {
  int runs = 7;        // rounds with idle seconds and memory
  int startRuns = 21;  // further rounds that only time the start-up
  int idleSeconds = 10;
  int introRuns = 7;  // runs timing the stage after the intro's end
  int gameRuns = 3;   // runs measuring the launcher while the game runs
  int gameSeconds = 10;
  int soakCycles = 0;    // cycles of every screen in one run (0: no soak)
  int boxRuns = 7;       // runs on the NT family timing the video after "Starting AVI"
  int clockTicks = 100;  // USER_HZ: the unit of the times in /proc/<pid>/stat
  std::string winePrefix;
};

struct Program {
  const char* label;
  const char* exeName;
  const char* windowClass;
  bool besideDriver;      // copied into the game copy from beside this driver
  const char* arguments;  // after the program's name on its command line
};

constexpr Program kBare{"bare", "bare_window.exe", "Quil3D Bare", true, ""};
constexpr Program kShaped{"shaped", "bare_window.exe", "Quil3D Bare", true, " --frame"};
constexpr Program kLauncher{"launcher", "Quil3D.exe", "Quil3D Child", false, ""};

struct Sample {
  std::string failure;  // empty when the run was measured
  double startMs = kNone;
  double startCpuMs = kNone;   // the program's processor time until then
  double startWaitMs = kNone;  // and its time waiting for a processor
  double idleCpuPercent = kNone;
  double serverCpuPercent = kNone;
  double peakRssMiB = kNone;         // VmHWM of the Linux process
  double peakWorkingSetMiB = kNone;  // PeakWorkingSetSize from GetProcessMemoryInfo
};

double NowMs() {
  static const double frequency = [] {
    LARGE_INTEGER f = {};
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER count = {};
  QueryPerformanceCounter(&count);
  return static_cast<double>(count.QuadPart) * 1000.0 / frequency;
}

std::string FolderOfThisDriver() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  const std::size_t slash = folder.find_last_of('\\');
  return slash == std::string::npos ? "." : folder.substr(0, slash);
}

std::string EnvironmentValue(const char* name) {
  char value[MAX_PATH * 2] = {};
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

// What a program shows instead, for the report of a failed run: each visible
// top-level window's class and title, and a message box's text.
std::string VisibleWindowsOf(DWORD processId) {
  std::string shown;
  for (const e2e::WindowFacts& window : e2e::TopLevelWindows(processId)) {
    if (!window.visible) {
      continue;
    }
    shown += shown.empty() ? "" : ", ";
    shown += window.className;
    shown += " \"";
    shown += window.title;
    shown += '"';
    if (window.className == "#32770") {
      shown += " saying \"";
      shown += e2e::MessageBoxText(window.handle);
      shown += '"';
    }
  }
  return shown.empty() ? "no window" : shown;
}

bool Ended(HANDLE process) {
  return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

DWORD MsLeft(double deadline) {
  const double left = deadline - NowMs();
  return left > 0 ? static_cast<DWORD>(left) + 1 : 0;
}

// Ends the program on every way out of a run that did not close it.
class EndOnExit {
 public:
  explicit EndOnExit(HANDLE process) : process_(process) {}
  ~EndOnExit() {
    if (process_ != nullptr && !Ended(process_)) {
      TerminateProcess(process_, 0xDEAD);
      WaitForSingleObject(process_, 5000);
    }
  }
  EndOnExit(const EndOnExit&) = delete;
  EndOnExit& operator=(const EndOnExit&) = delete;

 private:
  HANDLE process_;
};

std::string WithCode(const char* what, unsigned long code) {
  char text[160];
  std::snprintf(text, sizeof text, "%s (%lu)", what, code);
  return text;
}

// The idle seconds after start-up: CPU time of the program's Linux process
// and of the wineserver, then the program's peak memory. False, with the
// sample's failure set, when it cannot be measured.
bool MeasureIdleAndMemory(HANDLE process, int linuxPid, const Options& options, Sample& sample) {
  // 0 when the wineserver is unknown.
  const int serverPid = options.winePrefix.empty() ? 0 : e2e::WineserverPid(options.winePrefix).value_or(0);
  const double idleFrom = NowMs();
  const std::optional<std::uint64_t> programBefore = e2e::CpuTicks(linuxPid);
  const std::optional<std::uint64_t> serverBefore = serverPid > 0 ? e2e::CpuTicks(serverPid) : std::nullopt;
  Sleep(static_cast<DWORD>(options.idleSeconds) * 1000);
  const std::optional<std::uint64_t> programAfter = e2e::CpuTicks(linuxPid);
  const std::optional<std::uint64_t> serverAfter = serverPid > 0 ? e2e::CpuTicks(serverPid) : std::nullopt;
  const double idleSeconds = (NowMs() - idleFrom) / 1000.0;
  if (Ended(process)) {
    sample.failure = "the program ended while idle";
    return false;
  }
  if (!programBefore || !programAfter) {
    sample.failure = "cannot read the program's /proc/<pid>/stat";
    return false;
  }
  const auto percentOfCore = [&](std::uint64_t before, std::uint64_t after) {
    return static_cast<double>(after - before) / options.clockTicks / idleSeconds * 100.0;
  };
  sample.idleCpuPercent = percentOfCore(*programBefore, *programAfter);
  if (serverBefore && serverAfter) {
    sample.serverCpuPercent = percentOfCore(*serverBefore, *serverAfter);
  }

  // The peak so far, just before closing.
  const std::optional<std::uint64_t> hwm = e2e::StatusKiB(linuxPid, "VmHWM");
  if (!hwm) {
    sample.failure = "cannot read VmHWM from the program's /proc/<pid>/status";
    return false;
  }
  sample.peakRssMiB = static_cast<double>(*hwm) * 1024.0 / kMiB;
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(process, &counters, sizeof counters)) {
    sample.peakWorkingSetMiB = static_cast<double>(counters.PeakWorkingSetSize) / kMiB;
  }
  return true;
}

// One run of a program: its start-up and, with `idleAndMemory`, what the idle
// seconds after it cost; then it is closed.
Sample Measure(const Program& program, const Options& options, bool idleAndMemory) {
  Sample sample;
  e2e::GameCopy game;
  if (game.Folder().empty()) {
    sample.failure = "cannot copy the game folder (QUIL_GAME_DIR)";
    return sample;
  }
  const std::string exe = game.PathOf(program.exeName);
  if (program.besideDriver) {
    std::string source = FolderOfThisDriver();
    source += '\\';
    source += program.exeName;
    if (!CopyFileA(source.c_str(), exe.c_str(), FALSE)) {
      sample.failure = WithCode("cannot copy the program into the game copy", GetLastError());
      return sample;
    }
  }
  std::string commandLine(1, '"');
  commandLine += exe;
  commandLine += '"';
  commandLine += program.arguments;

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION created = {};

  // ---- Start-up: until the window is shown and painted.
  const double started = NowMs();
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      game.Folder().c_str(), &startup, &created)) {
    sample.failure = WithCode("CreateProcess failed", GetLastError());
    return sample;
  }
  const win::UniqueKernelHandle process(created.hProcess);
  const win::UniqueKernelHandle thread(created.hThread);
  const EndOnExit endOnExit(process.get());
  const double deadline = started + kStartPatienceMs;

  const DWORD idle = WaitForInputIdle(process.get(), MsLeft(deadline));
  if (idle != 0) {
    sample.failure = WithCode("the program never went idle (WaitForInputIdle)", idle);
    return sample;
  }
  HWND window = nullptr;
  while ((window = bench::VisibleWindowOf(created.dwProcessId, program.windowClass)) == nullptr) {
    if (Ended(process.get())) {
      sample.failure = "the program ended before showing its window";
      return sample;
    }
    if (NowMs() > deadline) {
      sample.failure = "no visible window of the expected class in time; it shows ";
      sample.failure += VisibleWindowsOf(created.dwProcessId);
      return sample;
    }
    Sleep(1);
  }
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, MsLeft(deadline), &answer)) {
    sample.failure = "the window did not answer WM_NULL in time";
    return sample;
  }
  sample.startMs = NowMs() - started;

  // What the start-up cost the program's Linux process; it is idle now, so
  // these times hold still while it is looked up.
  const std::optional<int> linuxPid = e2e::LinuxPidOfWindowsProgram(exe);
  if (!linuxPid) {
    sample.failure = "no Linux process found for the program in /proc";
    return sample;
  }
  if (const std::optional<e2e::ScheduleTimes> times = e2e::ThreadScheduleTimes(*linuxPid)) {
    sample.startCpuMs = static_cast<double>(times->runNs) / 1e6;
    sample.startWaitMs = static_cast<double>(times->waitNs) / 1e6;
  }

  if (idleAndMemory && !MeasureIdleAndMemory(process.get(), *linuxPid, options, sample)) {
    return sample;
  }

  // ---- Close it the ordinary way and check that it ended well.
  PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.get(), kExitPatienceMs) != WAIT_OBJECT_0) {
    sample.failure = "the program did not end within 10 s of WM_CLOSE";
    return sample;
  }
  DWORD exitCode = 0;
  GetExitCodeProcess(process.get(), &exitCode);
  if (exitCode != 0) {
    sample.failure = WithCode("the program ended with a nonzero exit code", exitCode);
  }
  return sample;
}

// ---- Figures ---------------------------------------------------------------

struct Spread {
  double median = kNone;
  double min = kNone;
  double max = kNone;
};

Spread SpreadOf(std::vector<double> values) {
  values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return std::isnan(v); }),
               values.end());
  Spread spread;
  if (values.empty()) {
    return spread;
  }
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  spread.median = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
  spread.min = values.front();
  spread.max = values.back();
  return spread;
}

std::string Format(const char* pattern, double value) {
  if (std::isnan(value)) {
    return "n/a";
  }
  char text[64];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

// "12.3 [11.9 .. 13.0]" in the pattern's format.
std::string Describe(const char* pattern, const Spread& spread) {
  std::string text = Format(pattern, spread.median);
  text += " [";
  text += Format(pattern, spread.min);
  text += " .. ";
  text += Format(pattern, spread.max);
  text += "]";
  return text;
}

// How the median stands against its goal (lower is better).
std::string Verdict(double value, double goal, const char* unitPattern) {
  if (std::isnan(value)) {
    return "not measured";
  }
  if (value <= goal) {
    return "met";
  }
  std::string text = "MISSED by ";
  text += Format(unitPattern, value - goal);
  return text;
}

void PrintRun(const char* round, const Program& program, const Sample& sample) {
  if (!sample.failure.empty()) {
    std::printf("%-8s %-9s FAILED: %s\n", round, program.label, sample.failure.c_str());
  } else {
    std::printf("%-8s %-9s %9s %8s %9s %10s %12s %10s %10s\n", round, program.label,
                Format("%.1f", sample.startMs).c_str(), Format("%.1f", sample.startCpuMs).c_str(),
                Format("%.1f", sample.startWaitMs).c_str(), Format("%.2f", sample.idleCpuPercent).c_str(),
                Format("%.2f", sample.serverCpuPercent).c_str(), Format("%.1f", sample.peakRssMiB).c_str(),
                Format("%.1f", sample.peakWorkingSetMiB).c_str());
  }
  std::fflush(stdout);
}

// Every sample of the programs, in rounds of one run each.
struct Results {
  std::vector<Sample> bare;
  std::vector<Sample> shaped;  // rounds with memory only
  std::vector<Sample> launcher;
  std::vector<double> startRatios;  // launcher over bare, per round
  std::vector<double> extraMemory;  // launcher minus the shaped bare program, per round with memory
  bool allMeasured = true;
};

// One round: the bare program and the launcher (and in rounds with memory
// the shaped bare program between them), the bare one first in odd rounds,
// so neither always follows the other.
void RunRound(int round, bool idleAndMemory, const Options& options, Results& results) {
  const bool bareFirst = round % 2 == 1;
  std::string label(idleAndMemory ? "" : "s");
  label += std::to_string(round);
  const Program& firstProgram = bareFirst ? kBare : kLauncher;
  const Program& lastProgram = bareFirst ? kLauncher : kBare;
  const Sample first = Measure(firstProgram, options, idleAndMemory);
  PrintRun(label.c_str(), firstProgram, first);
  Sample shaped;
  if (idleAndMemory) {
    shaped = Measure(kShaped, options, true);
    PrintRun(label.c_str(), kShaped, shaped);
    results.shaped.push_back(shaped);
  }
  const Sample last = Measure(lastProgram, options, idleAndMemory);
  PrintRun(label.c_str(), lastProgram, last);
  const Sample& bare = bareFirst ? first : last;
  const Sample& launcher = bareFirst ? last : first;
  if (bare.failure.empty() && launcher.failure.empty() && shaped.failure.empty()) {
    results.startRatios.push_back(launcher.startMs / bare.startMs);
    if (idleAndMemory) {
      results.extraMemory.push_back(launcher.peakRssMiB - shaped.peakRssMiB);
    }
  } else {
    results.allMeasured = false;
  }
  results.bare.push_back(bare);
  results.launcher.push_back(launcher);
}

Spread Column(const std::vector<Sample>& samples, double Sample::*field) {
  std::vector<double> values;
  for (const Sample& sample : samples) {
    if (sample.failure.empty()) {
      values.push_back(sample.*field);
    }
  }
  return SpreadOf(values);
}

void PrintFigures(const Options& options, const Results& results) {
  const Spread launcherStart = Column(results.launcher, &Sample::startMs);
  const Spread bareStart = Column(results.bare, &Sample::startMs);
  const Spread launcherIdle = Column(results.launcher, &Sample::idleCpuPercent);
  const Spread launcherServer = Column(results.launcher, &Sample::serverCpuPercent);
  const Spread bareIdle = Column(results.bare, &Sample::idleCpuPercent);
  const Spread bareServer = Column(results.bare, &Sample::serverCpuPercent);
  const Spread launcherPeak = Column(results.launcher, &Sample::peakRssMiB);
  const Spread barePeak = Column(results.bare, &Sample::peakRssMiB);
  const Spread shapedPeak = Column(results.shaped, &Sample::peakRssMiB);
  const Spread launcherWorkingSet = Column(results.launcher, &Sample::peakWorkingSetMiB);
  const Spread shapedWorkingSet = Column(results.shaped, &Sample::peakWorkingSetMiB);
  const double startRatio = launcherStart.median / bareStart.median;
  const double memoryDifference = launcherPeak.median - shapedPeak.median;

  std::printf("\nmedian [min .. max]\n");
  std::printf("(a) idle CPU over %d s, %% of one core (%zu runs each):\n", options.idleSeconds,
              results.extraMemory.size());
  std::printf("    launcher %s  (goal <= %.0f %%: %s)\n", Describe("%.2f", launcherIdle).c_str(),
              kIdleCpuGoalPercent, Verdict(launcherIdle.median, kIdleCpuGoalPercent, "%.2f points").c_str());
  std::printf("    wineserver meanwhile %s;  bare %s, wineserver meanwhile %s\n",
              Describe("%.2f", launcherServer).c_str(), Describe("%.2f", bareIdle).c_str(),
              Describe("%.2f", bareServer).c_str());
  std::printf("(b) start to window shown and painted, ms (%zu runs each):\n", results.startRatios.size());
  std::printf("    launcher %s, bare %s\n", Describe("%.1f", launcherStart).c_str(),
              Describe("%.1f", bareStart).c_str());
  std::printf("    ratio of medians %s  (goal <= %.1f: %s)\n", Format("%.2f", startRatio).c_str(),
              kStartRatioGoal, Verdict(startRatio, kStartRatioGoal, "%.2f").c_str());
  std::printf("    per-round ratios %s; ratio of minimums %s\n",
              Describe("%.2f", SpreadOf(results.startRatios)).c_str(),
              Format("%.2f", launcherStart.min / bareStart.min).c_str());
  const Spread launcherCpu = Column(results.launcher, &Sample::startCpuMs);
  const Spread bareCpu = Column(results.bare, &Sample::startCpuMs);
  std::printf("    the program's own processor time until then: launcher %s, bare %s, ratio of medians %s\n",
              Describe("%.1f", launcherCpu).c_str(), Describe("%.1f", bareCpu).c_str(),
              Format("%.2f", launcherCpu.median / bareCpu.median).c_str());
  std::printf("    and its time waiting for a processor: launcher %s, bare %s\n",
              Describe("%.1f", Column(results.launcher, &Sample::startWaitMs)).c_str(),
              Describe("%.1f", Column(results.bare, &Sample::startWaitMs)).c_str());
  std::printf("(c) peak memory on the main menu (VmHWM of the Linux process), MiB (%zu runs each):\n",
              results.extraMemory.size());
  std::printf(
      "    launcher %s, bare in the launcher's shape (full-screen frame + 640x480) %s;"
      " the bare 640x480 window alone %s\n",
      Describe("%.1f", launcherPeak).c_str(), Describe("%.1f", shapedPeak).c_str(),
      Describe("%.1f", barePeak).c_str());
  std::printf("    launcher - shaped bare: medians %s  (goal <= +%.0f MiB: %s); per round %s\n",
              Format("%+.1f", memoryDifference).c_str(), kExtraMemoryGoalMiB,
              Verdict(memoryDifference, kExtraMemoryGoalMiB, "%.1f MiB").c_str(),
              Describe("%+.1f", SpreadOf(results.extraMemory)).c_str());
  std::printf("    PeakWorkingSetSize for comparison: launcher %s, shaped bare %s\n",
              Describe("%.1f", launcherWorkingSet).c_str(), Describe("%.1f", shapedWorkingSet).c_str());
  if (!results.allMeasured) {
    std::printf("\nsome runs FAILED (see above); their figures are left out\n");
  }
  std::fflush(stdout);
}

// (d) the intro's end to the stage, and (e) the launcher while the game runs.
bool MeasureIntroAndGame(const Options& options) {
  bool allMeasured = true;
  std::vector<double> shown, nominal, caught, looks, memory;
  bench::IntroRun video;
  for (int run = 1; run <= options.introRuns; ++run) {
    const bench::IntroRun intro = bench::MeasureIntroEnd();
    if (!intro.failure.empty()) {
      std::printf("intro %-3d FAILED: %s\n", run, intro.failure.c_str());
      allMeasured = false;
      continue;
    }
    std::printf(
        "intro %-3d stage shown %+.1f ms after the last picture, %+.1f ms after the nominal end;"
        " %d picture changes seen, one look every %.1f ms\n",
        run, intro.stageAfterLastPictureMs, intro.stageAfterNominalEndMs, intro.changesSeen, intro.captureMs);
    shown.push_back(intro.stageAfterLastPictureMs);
    nominal.push_back(intro.stageAfterNominalEndMs);
    caught.push_back(intro.changesSeen);
    looks.push_back(intro.captureMs);
    memory.push_back(intro.peakRssMiB);
    video = intro;
  }
  std::vector<double> cpu;
  for (int run = 1; run <= options.gameRuns; ++run) {
    const bench::GameWaitRun game = bench::MeasureGameWait(options.gameSeconds, options.clockTicks);
    if (!game.failure.empty()) {
      std::printf("game %-4d FAILED: %s\n", run, game.failure.c_str());
      allMeasured = false;
      continue;
    }
    std::printf("game %-4d launcher CPU %.2f %% of one core over %.1f s\n", run, game.launcherCpuPercent,
                game.seconds);
    cpu.push_back(game.launcherCpuPercent);
  }
  if (options.introRuns > 0) {
    const Spread stage = SpreadOf(shown);
    std::printf("(d) the intro (%d frames of %.1f ms) to the stage, ms (%zu runs):\n", video.frames,
                video.frameMs, shown.size());
    std::printf("    the stage shown after the video's last picture %s  (goal <= %.0f ms: %s)\n",
                Describe("%.1f", stage).c_str(), kIntroEndGoalMs,
                Verdict(stage.median, kIntroEndGoalMs, "%.0f ms").c_str());
    std::printf("    after its nominal end (first picture + frames x frame time) %s\n",
                Describe("%.1f", SpreadOf(nominal)).c_str());
    std::printf("    picture changes seen per run %s; one look at the screen every %s ms\n",
                Describe("%.0f", SpreadOf(caught)).c_str(), Describe("%.1f", SpreadOf(looks)).c_str());
    std::printf("    the launcher's peak memory (VmHWM) on the stage after the intro, MiB %s\n",
                Describe("%.1f", SpreadOf(memory)).c_str());
  }
  if (options.gameRuns > 0) {
    const Spread launcher = SpreadOf(cpu);
    std::printf(
        "(e) the launcher while the game runs, %% of one core over %d s (%zu runs): %s  (goal <= %.0f %%: "
        "%s)\n",
        options.gameSeconds, cpu.size(), Describe("%.2f", launcher).c_str(), kIdleCpuGoalPercent,
        Verdict(launcher.median, kIdleCpuGoalPercent, "%.2f %%").c_str());
  }
  std::fflush(stdout);
  return allMeasured;
}

// (f) every screen over and over in one run: the launcher's memory after a
// few cycles and after all of them.
bool Soak(const Options& options) {
  if (options.soakCycles <= 0) {
    return true;
  }
  const int few = std::min(20, options.soakCycles);
  const e2e::SoakRun soak = e2e::Soak(options.soakCycles, few);
  std::printf("(f) soak, %d cycles of every screen in one run, the launcher's VmRSS in MiB:\n",
              options.soakCycles);
  for (const e2e::SoakPhase& phase : soak.phases) {
    const double growth = phase.rssAfterAllMiB - phase.rssAfterFewMiB;
    std::printf(
        "    %s: after %d cycles %.2f, after %d %.2f, growth %+.2f  (goal <= +1 MiB: %s); %.1f s a cycle\n",
        phase.name.c_str(), few, phase.rssAfterFewMiB, phase.cycles, phase.rssAfterAllMiB, growth,
        phase.cycles == options.soakCycles ? Verdict(growth, 1.0, "%.2f MiB").c_str() : "not measured",
        phase.secondsPerCycle);
  }
  if (!soak.failure.empty()) {
    std::printf("    FAILED: %s\n", soak.failure.c_str());
  }
  std::fflush(stdout);
  return soak.failure.empty();
}

// (g) on the NT family: the "Starting AVI" box's OK to the video's first frame.
bool MeasureStartingBox(const Options& options) {
  if (options.boxRuns <= 0) {
    return true;
  }
  // Wine's own default, the NT family, for these runs only.
  const e2e::WineVersionFor ntFamily("Quil3D.exe", "win10");
  bool allMeasured = true;
  std::vector<double> first, next, looks;
  for (int run = 1; run <= options.boxRuns; ++run) {
    const bench::StartingBoxRun box = bench::MeasureStartingBoxToFirstFrame();
    if (!box.failure.empty()) {
      std::printf("box %-5d FAILED: %s\n", run, box.failure.c_str());
      allMeasured = false;
      continue;
    }
    std::printf("box %-5d first frame %.1f ms after OK, the next picture %.1f ms; one look every %.1f ms\n",
                run, box.firstFrameMs, box.nextPictureMs, box.captureMs);
    first.push_back(box.firstFrameMs);
    next.push_back(box.nextPictureMs);
    looks.push_back(box.captureMs);
  }
  const Spread firstFrame = SpreadOf(first);
  std::printf("(g) NT family, \"Starting AVI\" box OK -> first frame of the video, ms (%zu runs):\n",
              first.size());
  std::printf("    box OK -> first frame (the box's picture gone) %s  (goal <= %.0f ms: %s)\n",
              Describe("%.1f", firstFrame).c_str(), kBoxToFirstFrameGoalMs,
              Verdict(firstFrame.median, kBoxToFirstFrameGoalMs, "%.0f ms").c_str());
  std::printf("    box OK -> the video's next picture %s; one look at the screen every %s ms\n",
              Describe("%.1f", SpreadOf(next)).c_str(), Describe("%.1f", SpreadOf(looks)).c_str());
  std::fflush(stdout);
  return allMeasured;
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    if (i + 1 >= argc) {
      std::fprintf(stderr, "bench_driver: %s needs a value\n", name.c_str());
      return false;
    }
    const char* value = argv[++i];
    if (name == "--runs") {
      options.runs = std::atoi(value);
    } else if (name == "--start-runs") {
      options.startRuns = std::atoi(value);
    } else if (name == "--idle-seconds") {
      options.idleSeconds = std::atoi(value);
    } else if (name == "--intro-runs") {
      options.introRuns = std::atoi(value);
    } else if (name == "--game-runs") {
      options.gameRuns = std::atoi(value);
    } else if (name == "--box-runs") {
      options.boxRuns = std::atoi(value);
    } else if (name == "--soak-cycles") {
      options.soakCycles = std::atoi(value);
    } else if (name == "--game-seconds") {
      options.gameSeconds = std::atoi(value);
    } else if (name == "--clock-ticks") {
      options.clockTicks = std::atoi(value);
    } else if (name == "--wine-prefix") {
      options.winePrefix = value;
    } else {
      std::fprintf(stderr, "bench_driver: unknown option %s\n", name.c_str());
      return false;
    }
  }
  if (options.runs < 1 || options.startRuns < 0 || options.idleSeconds < 1 || options.clockTicks < 1 ||
      options.introRuns < 0 || options.gameRuns < 0 || options.gameSeconds < 1 || options.boxRuns < 0) {
    std::fprintf(stderr,
                 "bench_driver: --runs, --idle-seconds, --game-seconds and --clock-ticks must be positive\n");
    return false;
  }
  return true;
}

std::string WineVersion() {
  using VersionFunction = const char*(__cdecl*)();
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  const auto version = ntdll != nullptr ? reinterpret_cast<VersionFunction>(reinterpret_cast<void*>(
                                              GetProcAddress(ntdll, "wine_get_version")))
                                        : nullptr;
  return version != nullptr ? version() : "not Wine";
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  options.winePrefix = EnvironmentValue("WINEPREFIX");
  if (!ParseOptions(argc, argv, options)) {
    return 2;
  }
  // The 95 family's setting: no "Starting AVI" box waits for a player at each
  // start (on the NT family the launcher shows one before its intro). The
  // bare program runs with the same setting, so that both meet the same Wine.
  const e2e::WineVersionFor noStartingBox("Quil3D.exe", "win98");
  const e2e::WineVersionFor sameForTheBareProgram("bare_window.exe", "win98");
  HDC screen = GetDC(nullptr);
  const int bitsPerPixel = screen != nullptr ? GetDeviceCaps(screen, BITSPIXEL) : 0;
  if (screen != nullptr) {
    ReleaseDC(nullptr, screen);
  }
  std::printf("Wine %s, screen %dx%d, %d bits per pixel\n", WineVersion().c_str(),
              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), bitsPerPixel);
  std::printf(
      "after one warm-up run of each program: %d rounds timing the start-up only (s1, s2, ...), then %d"
      " rounds with %d idle seconds and memory; each round runs the bare program and the launcher, "
      "alternating"
      " which first (rounds with memory run the shaped bare program between them)\n",
      options.startRuns, options.runs, options.idleSeconds);
  if (options.winePrefix.empty()) {
    std::printf("(WINEPREFIX unknown: no wineserver figure)\n");
  }
  std::printf("%-8s %-9s %9s %8s %9s %10s %12s %10s %10s\n", "round", "program", "start ms", "CPU ms",
              "waited ms", "idle CPU%", "wineserver%", "VmHWM MiB", "peakWS MiB");

  // The first start of each program pays for loading what later starts find
  // in the page cache: shown, but left out of the figures.
  const Sample bareWarmUp = Measure(kBare, options, false);
  PrintRun("warm-up", kBare, bareWarmUp);
  const Sample launcherWarmUp = Measure(kLauncher, options, false);
  PrintRun("warm-up", kLauncher, launcherWarmUp);

  Results results;
  results.allMeasured = bareWarmUp.failure.empty() && launcherWarmUp.failure.empty();
  for (int round = 1; round <= options.startRuns; ++round) {
    RunRound(round, false, options, results);
  }
  for (int round = 1; round <= options.runs; ++round) {
    RunRound(round, true, options, results);
  }
  PrintFigures(options, results);
  const bool othersMeasured = MeasureIntroAndGame(options);
  const bool soaked = Soak(options);
  const bool boxMeasured = MeasureStartingBox(options);
  return results.allMeasured && othersMeasured && soaked && boxMeasured ? 0 : 1;
}
