#include "common/win/launcher_front.h"
#include "common/win/message_dialog.h"
#include "launch/start_game.h"
#include "resources/resource.h"
#include "shell/shell_state.h"
#include "shell/app_windows.h"

namespace {

bool SetShowState(HWND window, UINT showState) {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(window, &placement)) {
    return false;
  }
  placement.showCmd = showState;
  return SetWindowPlacement(window, &placement) != FALSE;
}

// Dialog 308: ends at the first erase of its background, or on its Cancel
// button.
constexpr win::DialogEnding kCancel[] = {{IDCANCEL, 0}};
constexpr win::MessageDialog kMomentary{
    .templateId = IDD_MOMENTARY, .endings = kCancel, .endsAtFirstErase = true};

class ShellWindows final : public WindowsAroundTheGame {
 public:
  void Minimize() override { SetShowState(Shell().frame, SW_MINIMIZE); }

  // The game's window in front: a window manager may have focused another
  // program when the launcher went down.
  void GameReady() override { win::BringForward(win::WindowInFront()); }

  // The frame restored, the stage re-centred on the screen as it is now, the
  // momentary dialog over it, and the stage moved to its new place, drawn
  // again (a restored window keeps its last pixels under Wine: the face
  // pressed for START GAME) and in front with the keyboard.
  // Nothing is restored once the stage is gone: a close that another program
  // sent while the game ran has destroyed it, and the launcher is ending.
  void Restore() override {
    ShellState& shell = Shell();
    if (!IsWindow(shell.stage) || !SetShowState(shell.frame, SW_SHOWNORMAL)) {
      return;
    }
    ReadScreenMetrics();
    shell::CentreStage(shell.layout);
    win::RunMessageDialog(kMomentary, shell.stage, shell.instance);
    const shell::ScreenLayout& layout = shell.layout;
    SetWindowPos(shell.stage, nullptr, layout.stageLeft, layout.stageTop, layout.stageWidth,
                 layout.stageHeight, SWP_NOSIZE | SWP_FRAMECHANGED);
    InvalidateRect(shell.stage, nullptr, FALSE);  // the paint covers it all: no erase after it
    win::BringForward(win::WindowInFront());
  }
};

}  // namespace

WindowsAroundTheGame& ShellWindowsAroundTheGame() {
  static ShellWindows windows;
  return windows;
}
