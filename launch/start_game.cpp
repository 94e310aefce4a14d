#include "launch/start_game.h"

#include <optional>
#include <vector>

#include "common/win/handles.h"
#include "common/win/launcher_front.h"
#include "launch/after_game_report.h"
#include "launch/driver_check_dialog.h"
#include "launch/game_mode_file.h"
#include "services/error_box.h"

namespace {

constexpr char kGameModeFile[] = ".\\Info\\GameMode.dat";
constexpr char kGameProgram[] = ".\\proc.exe";
constexpr char kCannotStart[] = "Cannot start .\\proc.exe";
constexpr DWORD kWaitStep = 1000;  // ms between looks at the game's exit code
// How long the game is given to settle before the launcher waits for its end;
// the wait for its end answers the launcher's messages, this one may not.
// (Wine's WaitForInputIdle answers sent messages itself, so the bound makes no
// difference there; on Windows a game that never settles would otherwise hold
// every message sent to the launcher.)
constexpr DWORD kInputIdleLimit = 2000;

// Waits up to `milliseconds` for `process` to end, answering meanwhile the
// messages other programs send to the launcher's windows (a settings change
// broadcast, a DDE conversation), so that they are not held up until the game
// ends. Posted messages, the player's input among them, stay queued.
DWORD WaitAnsweringSentMessages(HANDLE process, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    const DWORD left = elapsed < milliseconds ? milliseconds - elapsed : 0;
    const DWORD waited = MsgWaitForMultipleObjects(1, &process, FALSE, left, QS_SENDMESSAGE);
    if (waited != WAIT_OBJECT_0 + 1) {
      return waited;
    }
    // Looking at the queue hands every sent message to its window procedure;
    // nothing posted is taken off it. (No PM_QS_SENDMESSAGE: the Windows 95
    // family does not know it.)
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  }
}

// Waits for the game in steps, noticing its end at once. The process handle
// being signalled ends the wait whatever exit code the game chose (259, the
// platform's "still active", included).
void WaitForGameToEnd(HANDLE process) {
  for (;;) {
    const DWORD waited = WaitAnsweringSentMessages(process, kWaitStep);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_FAILED) {
      return;
    }
    DWORD exitCode = STILL_ACTIVE;
    if (!GetExitCodeProcess(process, &exitCode) || exitCode != STILL_ACTIVE) {
      return;
    }
  }
}

// What reached the launcher while the game ran and is kept for after its
// report: a close asked of a window of ours (posted to it, as the taskbar's
// Close and Alt+F4 on the minimized launcher do), and the quit of a launcher
// that a sent close has already ended. Either would end the report's own
// message loop at once, and the log would go unseen.
struct HeldDuringTheGame {
  std::vector<MSG> closes;
  std::optional<int> quit;

  // Once the report has been answered: the launcher ends, as it was asked to.
  void PutBack() const {
    for (const MSG& close : closes) {
      PostMessageA(close.hwnd, close.message, close.wParam, close.lParam);
    }
    if (quit) {
      PostQuitMessage(*quit);
    }
  }
};

// The clicks and keys that reached the launcher while the game ran (the
// second click of a double-click on START GAME, say) are not meant for the
// launcher that comes back: one press is one game. A close or a quit is held
// (a look at the queue may hand over a quit whatever range it asked for); the
// window commands that only restore or minimize are the game's time's too.
HeldDuringTheGame DropInputQueuedDuringTheGame() {
  constexpr UINT kQueued[][2] = {
      {WM_KEYFIRST, WM_KEYLAST}, {WM_MOUSEFIRST, WM_MOUSELAST},  {WM_NCMOUSEMOVE, WM_NCMBUTTONDBLCLK},
      {WM_CLOSE, WM_CLOSE},      {WM_SYSCOMMAND, WM_SYSCOMMAND}, {WM_QUIT, WM_QUIT}};
  HeldDuringTheGame held;
  MSG message;
  for (const auto& range : kQueued) {
    while (PeekMessageA(&message, nullptr, range[0], range[1], PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        held.quit = static_cast<int>(message.wParam);
      } else if (message.message == WM_CLOSE ||
                 (message.message == WM_SYSCOMMAND && (message.wParam & 0xFFF0) == SC_CLOSE)) {
        held.closes.push_back(message);
      }
    }
  }
  return held;
}

}  // namespace

bool GameLaunch(WindowsAroundTheGame& windows) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;  // 68
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION created = {};
  char commandLine[MAX_PATH] = {};  // the game gets an empty command line
  if (!CreateProcessA(kGameProgram, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &created)) {
    return false;
  }
  const win::UniqueKernelHandle process(created.hProcess);
  win::UniqueKernelHandle thread(created.hThread);
  if (!process) {
    return false;
  }
  const win::ProgramInFront game(created.dwProcessId);  // it speaks for the launcher while it runs
  WaitForInputIdle(process.get(), kInputIdleLimit);
  windows.GameReady();
  thread.reset();
  WaitForGameToEnd(process.get());
  return true;
}

void StartGameSequence(HWND stage, HINSTANCE instance, WindowsAroundTheGame& windows,
                       std::int32_t& firstRunFlag) {
  if (!WriteGameModeFile(stage, kGameModeFile, StampTheStartRequest())) {
    return;  // the file error could not even be reported: no game without its file
  }
  // The question is asked until the game has been started once.
  if (firstRunFlag == 0 && !DriverCheckDialog(stage, instance)) {
    return;
  }
  firstRunFlag = 1;
  windows.Minimize();
  const bool ran = GameLaunch(windows);
  const HeldDuringTheGame held = ran ? DropInputQueuedDuringTheGame() : HeldDuringTheGame{};
  // Back first: what follows speaks over the stage and is owned by it (a
  // report over a minimized launcher would have nothing to stay above).
  windows.Restore();
  const HWND owner = IsWindow(stage) ? stage : nullptr;
  if (!ran) {
    // Not a silent, minimized launcher that looks as if the game were running.
    ErrorBox(owner, kCannotStart);
  } else {
    AfterGameReport(owner);
  }
  held.PutBack();
}
