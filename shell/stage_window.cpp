#include <windows.h>
#include <windowsx.h>

#include "common/win/launcher_front.h"
#include "common/win/window_ledger.h"
#include "launch/start_game.h"
#include "ui/captions.h"
#include "menus/menu_controller.h"
#include "media/image_store.h"
#include "services/first_run_flag.h"
#include "shell/shell_state.h"
#include "shell/app_windows.h"

namespace {

constexpr char kCaptionFile[] = ".\\info\\String.dat";
constexpr char kFlagFileForReading[] = ".\\info\\InitFlag.flg";
constexpr char kFlagFileForWriting[] = ".\\Info\\InitFlag.flg";

// The stage handle is still null while its creation runs, and the stage not
// yet shown: the pictures' reports speak over the frame.
void OnCreate() {
  ShellState& shell = Shell();
  shell.menus.emplace(shell.frame, shell.instance);
  ReadCaptionFile(kCaptionFile);
  ReadFirstRunFlag(shell.stage, kFlagFileForReading, CaptionText().fileErrorText, shell.firstRunFlag);
}

void OnPaint(HWND stage) {
  Shell().menus->RepaintMenuScreen(stage);
}

void OnMouseMove(HWND stage) {
  Shell().menus->TrackHover(stage);
}

// A click is offered to the main menu, then to the options menu, in the same
// message: no options button lies under the main menu's Options button.
// START GAME runs the game with the shell's windows around it; back, the
// stage's next paint draws the main menu with every face normal. The video
// settings count as used whatever the player did in them.
void OnLeftButtonDown(HWND stage, int x, int y) {
  ShellState& shell = Shell();
  if (shell.menus->MainMenuActive() && shell.menus->ClickMainMenu(stage, x, y) == CMD_START_GAME) {
    StartGameSequence(stage, shell.instance, ShellWindowsAroundTheGame(), shell.firstRunFlag);
  }
  if (shell.menus->OptionsMenuActive() && shell.menus->ClickOptionsMenu(stage, x, y) == CMD_VIDEO_SETTINGS) {
    shell.firstRunFlag = 1;
  }
}

// The frame takes input only while the stage does: with a dialog or box
// over the stage, a click on the black frame must not make the frame the
// active window (a window manager raises what is active, and the keyboard
// would go to the frame). Enabled again, the stage keeps the front as the
// box or dialog over it closes.
void OnEnable(HWND stage, bool enabled) {
  EnableWindow(GetParent(stage), enabled);
  if (enabled) {
    win::GiveActivationBack(stage);
  }
}

void OnDestroy(HWND stage) {
  WriteFirstRunFlag(stage, kFlagFileForWriting, CaptionText().fileErrorText, Shell().firstRunFlag);
  FreeAllImages();
  Shell().menus->Release();
  SendMessageA(GetParent(stage), WM_DESTROY, 0, 0);
}

}  // namespace

LRESULT CALLBACK StageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  win::CountWindowLife(window, message);
  switch (message) {
    case WM_CREATE:
      OnCreate();
      break;
    case WM_PAINT:
      OnPaint(window);
      break;
    case WM_MOUSEMOVE:
      OnMouseMove(window);
      break;
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      break;
    case WM_DESTROY:
      OnDestroy(window);
      break;
    case WM_ENABLE:
      OnEnable(window, wParam != FALSE);
      break;
    case WM_SETCURSOR:
      HANDLE_WM_SETCURSOR(window, wParam, lParam, win::BringTheModalWindowForward);
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateStageWindow(HWND frame, WNDCLASSA& description, HINSTANCE instance) {
  description = StageClassDescription(instance);
  if (RegisterWindowClass(description) == 0) {
    return nullptr;
  }
  shell::CentreStage(Shell().layout);
  Shell().instance = instance;
  const shell::ScreenLayout& layout = Shell().layout;
  return CreateWindowExA(0, kStageClassName, nullptr, kStageStyle, layout.stageLeft, layout.stageTop,
                         layout.stageWidth, layout.stageHeight, frame, nullptr, instance, nullptr);
}
