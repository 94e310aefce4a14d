#include "media/intro_video.h"
#include "shell/shell_state.h"
#include "shell/app_windows.h"

namespace {

constexpr char kIntroVideo[] = "logo.avi";

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showState) {
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
