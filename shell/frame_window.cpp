#include <cstdio>

#include "common/win/gdi.h"
#include "common/win/handles.h"
#include "common/win/message_dialog.h"
#include "common/win/window_ledger.h"
#include "media/image_store.h"
#include "shell/shell_state.h"
#include "shell/app_windows.h"

namespace {

constexpr char kFramePicture[] = ".\\resource\\background\\background.bmp";
constexpr char kMemoryLine[] = "Avail Phys Memory : %ld\n";

// The frame's picture is painted once, while the frame is still hidden,
// through an off-screen bitmap the size of the picture last drawn (none has
// been drawn yet, so it is tiny). The frame is never repainted from it: the
// picture never shows, and a full-screen bitmap would only cost start-up time
// and memory.
void OnCreate(HWND frame) {
  ReadBMPFile(frame, kFramePicture, image_slot::kFramePicture);
  win::WindowDc dc(frame);
  if (!dc) {
    return;
  }
  RECT client = {};
  GetClientRect(frame, &client);
  win::UniqueBitmap bitmap(CreateCompatibleBitmap(dc.get(), LastDrawnWidth(), LastDrawnHeight()));
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
      win::BringTheModalWindowForward(LOWORD(lParam), HIWORD(lParam));
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
