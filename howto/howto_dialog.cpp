#include "howto/howto_dialog.h"

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

constexpr PictureDialogLook kLook{.templateId = IDD_HOW_TO_PLAY,
                                  .backgroundSlot = image_slot::kFirstHowToPlayPage,
                                  .backgroundDrawing = BackgroundDrawing::kStretched,
                                  .buttons = kButtons};

class Viewer final : public PictureDialog {
 public:
  explicit Viewer(int page) : PictureDialog(kLook, ButtonsKeptForTheRun<kLook>()), page_(page) {}
  int page() const { return page_; }

 private:
  int Slot() const override { return image_slot::kFirstHowToPlayPage + page_; }

  // Every press repaints the page and the buttons, also when the page stays.
  void OnButton(HWND dialog, int buttonId) override {
    switch (buttonId) {
      case BTN_PREVIOUS_PAGE:
        page_ = page_ < 1 ? 0 : page_ - 1;
        Repaint(dialog);
        break;
      case BTN_NEXT_PAGE:
        page_ = page_ < kLastPage ? page_ + 1 : kLastPage;
        Repaint(dialog);
        break;
      case BTN_HOW_TO_PLAY_CLOSE:
        End(dialog, 1);
        break;
      default:
        break;
    }
  }

  int page_;
};

}  // namespace

int HowToPlayDialog(HWND owner, HINSTANCE instance, int page) {
  Viewer viewer(page);
  viewer.Run(owner, instance);
  return viewer.page();
}
