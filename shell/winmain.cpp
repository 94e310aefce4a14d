#include "common/win/handles.h"
#include "common/win/launcher_front.h"
#include "media/intro_video.h"
#include "shell/shell_state.h"
#include "shell/app_windows.h"

namespace {

constexpr char kIntroVideo[] = "logo.avi";
// Held for the run by the launcher that runs (no "Local\\" prefix, which the
// Windows 95 family and NT 4 do not know).
constexpr char kRunningMutex[] = "Quil3D launcher running";
// How long a second start waits for the running launcher's answer (its intro
// answers nothing until it has played).
constexpr UINT kComeForwardPatience = 5000;

// One launcher at a time: two would hold the same settings files, and the one
// that closed last would write its first-run flag over the other's. When one
// runs already, it is asked to come forward (the game it waits for, or its
// window in front: the stage, a dialog or a box), lent this start's right to
// take the foreground where the platform has one, and true is returned; this
// one then ends before anything is read or written.
bool BroughtTheRunningLauncherForward(win::UniqueKernelHandle& running) {
  running.reset(CreateMutexA(nullptr, FALSE, kRunningMutex));
  if (!running || GetLastError() != ERROR_ALREADY_EXISTS) {
    return false;
  }
  if (const HWND frame = FindWindowA(kFrameClassName, nullptr)) {
    DWORD processId = 0;
    GetWindowThreadProcessId(frame, &processId);
    // Windows 98 and 2000 on: a program may take the foreground from the one
    // the player works only when lent the right (the 95 family before 98 and
    // NT 4 have no such rule, nor the call).
    using AllowForeground = BOOL(WINAPI*)(DWORD);
    if (const auto allow = reinterpret_cast<AllowForeground>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("user32.dll"), "AllowSetForegroundWindow")))) {
      allow(processId);
    }
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(frame, kComeForwardMessage, 0, 0, SMTO_ABORTIFHUNG, kComeForwardPatience, &answer);
  }
  return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showState) {
  win::UniqueKernelHandle running;
  if (BroughtTheRunningLauncherForward(running)) {
    return 0;
  }
  ShellState& shell = Shell();
  shell.layout = {};

  WNDCLASSA frameClass = FrameClassDescription(instance);
  if (RegisterWindowClass(frameClass) == 0) {
    return 0;
  }
  ReadScreenMetrics();

  shell.frame = CreateFrameWindow(instance);
  if (shell.frame == nullptr) {
    return 0;
  }
  ShowWindow(shell.frame, showState);
  win::BringForward(shell.frame);  // over the program the player started it from

  ShowCursor(FALSE);
  PlayIntroVideo(shell.frame, kIntroVideo, shell.layout.screenWidth, shell.layout.screenHeight);
  InvalidateRect(shell.frame, nullptr, TRUE);
  ShowCursor(TRUE);
  UpdateWindow(shell.frame);

  WNDCLASSA stageClass = {};
  shell.stage = CreateStageWindow(shell.frame, stageClass, instance);
  ShowWindow(shell.stage, showState);
  UpdateWindow(shell.stage);

  return RunMessageLoop();
}
