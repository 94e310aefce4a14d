#include "launch/start_game.h"

#include <optional>

#include "common/win/handles.h"
#include "launch/after_game_report.h"
#include "launch/driver_check_dialog.h"
#include "launch/game_mode_file.h"
#include "services/error_box.h"
#include "services/first_run_flag.h"

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

// The clicks and keys that reached the launcher while the game ran (the
// second click of a double-click on START GAME, say) are not meant for the
// launcher that comes back: one press is one game.
// A launcher closed while the game ran has a quit message waiting, which a
// look at the queue may hand over whatever range it asked for. It is taken
// too, and its exit code returned, to be put back once the game's report has
// been answered: the report's own message loop would end at it at once, and
// the log would go unseen.
std::optional<int> DropInputQueuedDuringTheGame() {
  constexpr UINT kQueued[][2] = {{WM_KEYFIRST, WM_KEYLAST},
                                 {WM_MOUSEFIRST, WM_MOUSELAST},
                                 {WM_NCMOUSEMOVE, WM_NCMBUTTONDBLCLK},
                                 {WM_QUIT, WM_QUIT}};
  std::optional<int> quit;
  MSG message;
  for (const auto& range : kQueued) {
    while (PeekMessageA(&message, nullptr, range[0], range[1], PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit = static_cast<int>(message.wParam);
      }
    }
  }
  return quit;
}

}  // namespace

bool GameLaunch() {
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
  WaitForInputIdle(process.get(), kInputIdleLimit);
  thread.reset();
  WaitForGameToEnd(process.get());
  return true;
}

void StartGameSequence(HWND stage, HINSTANCE instance, WindowsAroundTheGame& windows) {
  launch::GameMode() = 0;
  StampTheStartRequest();
  if (!WriteGameModeFile(stage, kGameModeFile)) {
    return;  // the file error could not even be reported: no game without its file
  }
  // The question is asked until the game has been started once.
  if (FirstRunFlag() == 0 && !DriverCheckDialog(stage, instance)) {
    return;
  }
  SetFirstRunFlag(1);
  windows.Minimize();
  const bool ran = GameLaunch();
  const std::optional<int> quit = ran ? DropInputQueuedDuringTheGame() : std::nullopt;
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
  if (quit) {
    PostQuitMessage(*quit);  // then the launcher ends, as it was asked to
  }
}
