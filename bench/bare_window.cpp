// The yardstick for the launcher's start-up, time and memory: the least a
// Win32 program can do to put a 640 x 480 window on the screen. One class,
// one window with the stage's styles, centred, shown, updated and filled with
// black, then a plain GetMessage loop. It links the same static runtime as
// the launcher, so the two differ only in what the launcher itself does.
//
// With "--frame" on its command line it takes the launcher's shape: a black
// full-screen window with the frame's styles is shown first, and the 640 x 480
// window, with the stage's full styles, is owned by it. The launcher's memory
// is measured against this shape, its start-up against the plain window.
#include <windows.h>

#include <cstring>

namespace {

constexpr char kClassName[] = "Quil3D Bare";
constexpr char kFrameClassName[] = "Quil3D Bare Frame";
constexpr int kWidth = 640;
constexpr int kHeight = 480;
// The stage's styles less WS_CHILD: this window has no frame to belong to.
constexpr DWORD kStyle = WS_POPUP | WS_BORDER | WS_SYSMENU;
// The frame's styles, and the stage's own with its frame.
constexpr DWORD kFrameStyle = WS_POPUP | WS_BORDER | WS_SYSMENU;
constexpr DWORD kOwnedStyle = WS_POPUP | WS_CHILD | WS_BORDER | WS_SYSMENU;

void Paint(HWND window) {
  PAINTSTRUCT paint = {};
  HDC dc = BeginPaint(window, &paint);
  if (dc != nullptr) {
    // A stock brush: nothing to delete.
    FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  EndPaint(window, &paint);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showState) {
  WNDCLASSA description = {};
  description.style = CS_HREDRAW | CS_VREDRAW;
  description.lpfnWndProc = WindowProc;
  description.hInstance = instance;
  description.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  description.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  description.lpszClassName = kClassName;
  if (RegisterClassA(&description) == 0) {
    return 1;
  }

  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  HWND frame = nullptr;
  if (std::strstr(commandLine, "--frame") != nullptr) {
    description.lpszClassName = kFrameClassName;
    if (RegisterClassA(&description) == 0) {
      return 1;
    }
    frame = CreateWindowExA(0, kFrameClassName, nullptr, kFrameStyle, 0, 0, screenWidth, screenHeight,
                            nullptr, nullptr, instance, nullptr);
    if (frame == nullptr) {
      return 1;
    }
    ShowWindow(frame, showState);
    UpdateWindow(frame);
  }
  HWND window = CreateWindowExA(0, kClassName, nullptr, frame != nullptr ? kOwnedStyle : kStyle,
                                (screenWidth - kWidth) / 2, (screenHeight - kHeight) / 2, kWidth, kHeight,
                                frame, nullptr, instance, nullptr);
  if (window == nullptr) {
    return 1;
  }
  ShowWindow(window, showState);
  UpdateWindow(window);
  MSG message = {};
  BOOL got = 0;
  while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) {
      return 1;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
