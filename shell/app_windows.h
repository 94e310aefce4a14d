// The launcher's two windows: the black full-screen frame and the 640 x 480
// stage owned by it, with their classes and window procedures.
#pragma once

#include <windows.h>

class WindowsAroundTheGame;

constexpr char kFrameClassName[] = "Quil3D";
constexpr char kFrameTitle[] = "Quil3D";
constexpr char kStageClassName[] = "Quil3D Child";

// Sent to the frame of the launcher that runs by a second start: the window
// that speaks for the launcher comes forward.
constexpr UINT kComeForwardMessage = WM_APP + 2;

constexpr DWORD kFrameStyle = WS_POPUP | WS_BORDER | WS_SYSMENU;             // 0x80880000
constexpr DWORD kStageStyle = WS_POPUP | WS_CHILD | WS_BORDER | WS_SYSMENU;  // 0xC0880000

// Registers a class with RegisterClassExA on the Windows 95 family from
// version 4, with RegisterClassA everywhere else. Nonzero on success.
ATOM RegisterWindowClass(const WNDCLASSA& description);

WNDCLASSA FrameClassDescription(HINSTANCE instance);
WNDCLASSA StageClassDescription(HINSTANCE instance);

LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK StageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Creates the hidden full-screen frame; null when it cannot be created.
HWND CreateFrameWindow(HINSTANCE instance);

// Registers the stage class, centres the stage and creates it owned by the
// frame. Null when the class cannot be registered.
HWND CreateStageWindow(HWND frame, WNDCLASSA& description, HINSTANCE instance);

// What the shell does with its windows before and after the game
// (launch/start_game.h): the frame minimized, then restored with the stage
// re-centred.
WindowsAroundTheGame& ShellWindowsAroundTheGame();

// Runs the message loop until the quit message; returns its exit code.
int RunMessageLoop();
