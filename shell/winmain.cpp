#include "common/win/handles.h"
#include "media/intro_video.h"
#include "shell/shell_state.h"
#include "shell/app_windows.h"

namespace {

constexpr char kIntroVideo[] = "logo.avi";
// Held for the run by the launcher that runs (no "Local\\" prefix, which the
// Windows 95 family and NT 4 do not know).
constexpr char kRunningMutex[] = "Quil3D launcher running";

// One launcher at a time: two would hold the same settings files, and the one
// that closed last would write its first-run flag over the other's. When one
// runs already, it is brought to the front (its last active window: the
// stage, a dialog or a box) and true is returned; this one then ends before
// anything is read or written.
bool BroughtTheRunningLauncherForward(win::UniqueKernelHandle& running) {
  running.reset(CreateMutexA(nullptr, FALSE, kRunningMutex));
  if (!running || GetLastError() != ERROR_ALREADY_EXISTS) {
    return false;
  }
  if (const HWND frame = FindWindowA(kFrameClassName, nullptr)) {
    if (IsIconic(frame)) {
      ShowWindow(frame, SW_RESTORE);
    }
    SetForegroundWindow(GetLastActivePopup(frame));
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
