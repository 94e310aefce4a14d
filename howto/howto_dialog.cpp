#include "howto/howto_dialog.h"

#include <windowsx.h>

#include "media/image_store.h"
#include "ui/picture_dialog.h"
#include "resources/resource.h"

namespace {

constexpr int kLastPage = 2;

constexpr ButtonSpec kButtons[] = {
    {BTN_PREVIOUS_PAGE, {10, 295, 73, 332}, IDB_PREVIOUS_PAGE, BTN_PREVIOUS_PAGE},
    {BTN_NEXT_PAGE, {73, 295, 135, 332}, IDB_NEXT_PAGE, BTN_NEXT_PAGE},
    {BTN_HOW_TO_PLAY_CLOSE, {142, 295, 267, 332}, IDB_HOW_TO_PLAY_CLOSE, BTN_HOW_TO_PLAY_CLOSE},
};

struct ViewerState {
  int currentPage = 0;  // 0 to 2, never reset while the launcher runs
};

ViewerState& State() {
  static ViewerState state;
  return state;
}

int PageSlot() {
  return image_slot::kFirstHowToPlayPage + State().currentPage;
}

// Every press repaints the page and the buttons, also when the page stays.
void OnButton(PictureDialog& self, HWND dialog, int buttonId) {
  int& currentPage = State().currentPage;
  switch (buttonId) {
    case BTN_PREVIOUS_PAGE:
      currentPage = currentPage < 1 ? 0 : currentPage - 1;
      RepaintPictureDialog(self, dialog);
      break;
    case BTN_NEXT_PAGE:
      currentPage = currentPage < kLastPage ? currentPage + 1 : kLastPage;
      RepaintPictureDialog(self, dialog);
      break;
    case BTN_HOW_TO_PLAY_CLOSE:
      EndPictureDialog(self, dialog, 1);
      break;
    default:
      break;
  }
}

// No keyboard: Enter and Escape do nothing.
INT_PTR OnOtherMessage(PictureDialog&, HWND, UINT message, WPARAM wParam, [[maybe_unused]] LPARAM lParam) {
  return message == WM_COMMAND &&
         (GET_WM_COMMAND_ID(wParam, lParam) == IDOK || GET_WM_COMMAND_ID(wParam, lParam) == IDCANCEL);
}

constexpr PictureDialogSpec kViewer{
    .templateId = IDD_HOW_TO_PLAY,
    .backgroundSlot = image_slot::kFirstHowToPlayPage,
    .backgroundDrawing = BackgroundDrawing::kStretched,
    .buttons = kButtons,
    .traits = DialogButtonTraits(".\\Sound\\mmove.wav", ".\\Sound\\mclick.wav"),
    .reloadFacesAtOpening = true,
    .currentSlot = PageSlot,
    .onButton = OnButton,
    .onOtherMessage = OnOtherMessage,
};

PictureDialog& Viewer() {
  static PictureDialog viewer = MakePictureDialog(kViewer);
  return viewer;
}

}  // namespace

int HowToPlayDialog(HWND owner, HINSTANCE instance) {
  return RunPictureDialog(Viewer(), owner, instance);
}
