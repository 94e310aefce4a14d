#include "shell/layout.h"
#include "shell/app_windows.h"

namespace {

// Each window class gets the stock black brush and the arrow cursor.
WNDCLASSA CommonClassDescription(HINSTANCE instance, const char* name, WNDPROC procedure) {
  WNDCLASSA description = {};
  description.style = CS_HREDRAW | CS_VREDRAW;
  description.lpfnWndProc = procedure;
  description.cbClsExtra = 0;
  description.cbWndExtra = 0;
  description.hInstance = instance;
  description.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  description.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  description.lpszMenuName = nullptr;
  description.lpszClassName = name;
  return description;
}

}  // namespace

ATOM RegisterWindowClass(const WNDCLASSA& description) {
  if (!shell::UsesExtendedClassRegistration(GetVersion())) {
    return RegisterClassA(&description);
  }
  WNDCLASSEXA extended = {};
  extended.cbSize = sizeof extended;  // 48
  extended.style = description.style;
  extended.lpfnWndProc = description.lpfnWndProc;
  extended.cbClsExtra = description.cbClsExtra;
  extended.cbWndExtra = description.cbWndExtra;
  extended.hInstance = description.hInstance;
  extended.hIcon = description.hIcon;
  extended.hCursor = description.hCursor;
  extended.hbrBackground = description.hbrBackground;
  extended.lpszMenuName = description.lpszMenuName;
  extended.lpszClassName = description.lpszClassName;
  extended.hIconSm = nullptr;
  return RegisterClassExA(&extended);
}

WNDCLASSA FrameClassDescription(HINSTANCE instance) {
  WNDCLASSA description = CommonClassDescription(instance, kFrameClassName, FrameWindowProc);
  // Looked up among the platform's own icons, where no icon has this name: the
  // frame class ends up without an icon, as it always has.
  description.hIcon = LoadIconA(nullptr, "IDI_QUIL");
  return description;
}

WNDCLASSA StageClassDescription(HINSTANCE instance) {
  return CommonClassDescription(instance, kStageClassName, StageWindowProc);
}
