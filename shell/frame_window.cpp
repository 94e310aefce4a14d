#include <windows.h>
#include <windowsx.h>

#include <cstdio>

#include "common/win/gdi.h"
#include "common/win/launcher_front.h"
#include "common/win/window_ledger.h"
#include "media/image_store.h"
#include "shell/shell_state.h"
#include "shell/app_windows.h"

namespace {

constexpr char kFramePicture[] = ".\\resource\\background\\background.bmp";
constexpr char kMemoryLine[] = "Avail Phys Memory : %ld\n";

// The frame's picture is painted once, while the frame is still hidden,
// through an off-screen bitmap the size of the picture last drawn: none has
// been drawn yet, so it is the platform's smallest. The frame is never
// repainted from it: the picture never shows, and a full-screen bitmap would
// only cost start-up time and memory.
void PaintThePictureOnce(HWND frame) {
  win::WindowDc dc(frame);
  if (!dc) {
    return;
  }
  RECT client = {};
  GetClientRect(frame, &client);
  win::UniqueBitmap bitmap(CreateCompatibleBitmap(dc.get(), 0, 0));
  win::UniqueMemoryDc memory = win::CompatibleMemoryDc(dc.get());
  if (!bitmap || !memory) {
    return;
  }
  win::SelectGuard selected(memory.get(), bitmap.get());
  DrawImageStretched(memory.get(), client.left, client.top, client.right, client.bottom,
                     image_slot::kFramePicture);
  BitBlt(dc.get(), client.left, client.top, client.right, client.bottom, memory.get(), client.left,
         client.top, SRCCOPY);
}

// Nor is the picture kept after that paint: nothing else draws it.
void OnCreate(HWND frame) {
  ReadBMPFile(frame, kFramePicture, image_slot::kFramePicture);
  PaintThePictureOnce(frame);
  FreeImage(image_slot::kFramePicture);
}

void OnDestroy() {
  FreeAllImages();
  PostQuitMessage(0);
}

// F5: one diagnostic line on standard output (unseen without a console).
void OnKeyDown(WPARAM key) {
  if (key != VK_F5) {
    return;
  }
  MEMORYSTATUS status = {};
  status.dwLength = sizeof status;  // 32
  GlobalMemoryStatus(&status);
  std::printf(kMemoryLine, static_cast<long>(status.dwAvailPhys));
  std::fflush(stdout);
}

// A second start: the window that speaks for the launcher comes forward. That
// is the game while it runs (the launcher stays minimized); otherwise the
// launcher's window in front, the frame restored first if the player had
// minimized it, and the stage drawn again.
void OnComeForward(HWND frame) {
  if (win::WindowInFront() == frame && IsIconic(frame)) {
    ShowWindow(frame, SW_RESTORE);
    InvalidateRect(Shell().stage, nullptr, FALSE);
  }
  win::BringForward(win::WindowInFront());
}

}  // namespace

LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  win::CountWindowLife(window, message);
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      break;
    case WM_DESTROY:
      OnDestroy();
      break;
    case WM_KEYDOWN:
      OnKeyDown(wParam);
      break;
    case WM_SETCURSOR:  // a click on the frame while a box or dialog holds it
      HANDLE_WM_SETCURSOR(window, wParam, lParam, win::BringTheModalWindowForward);
      break;
    case WM_ACTIVATEAPP:  // another program took the front
      if (wParam == FALSE) {
        win::KeepTheFrontHandedOver(window);
      }
      break;
    case WM_ACTIVATE:  // the frame itself took it, from a window manager
      if (LOWORD(wParam) != WA_INACTIVE) {
        win::KeepTheFrontHandedOver(window);
      }
      break;
    case kComeForwardMessage:
      OnComeForward(window);
      return 0;
    case win::kTakeTheFrontBack:
      win::TakeTheFrontBack();
      break;
    case WM_ENABLE:  // a box over the frame (before the stage shows) is closing
      if (wParam != FALSE) {
        win::GiveActivationBack(window);
      }
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateFrameWindow(HINSTANCE instance) {
  const shell::ScreenLayout& layout = Shell().layout;
  Shell().instance = instance;
  return CreateWindowExA(0, kFrameClassName, kFrameTitle, kFrameStyle, layout.screenLeft, layout.screenTop,
                         layout.screenWidth, layout.screenHeight, nullptr, nullptr, instance, nullptr);
}
