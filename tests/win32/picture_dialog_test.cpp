// The four picture dialogs from the shipped templates, opened through the
// picture-dialog mechanism over a stand-in stage: each stands, with each of
// its controls, where two pixels a dialog unit put it, whatever units the
// platform's System font gives (Wine's are 8 x 15, Windows' at 96 DPI 8 x 16).
#include "menus/picture_dialog.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "resources/resource.h"
#include "tests/win32/dialog_scripts.h"
#include "tests/win32/test_support.h"

namespace {

struct Place {
  int left, top, width, height;
  friend bool operator==(const Place&, const Place&) = default;
};

std::ostream& operator<<(std::ostream& out, const Place& p) {
  return out << "(" << p.left << ", " << p.top << ") " << p.width << " x " << p.height;
}

struct ControlPlace {
  int id;
  Place place;
};

struct Layout {
  const char* name;
  int templateId;
  int heldControl;  // what tells the dialog apart (0: no controls)
  Place client;     // in the stage's client area
  std::vector<ControlPlace> controls;
};

// The templates' units times two.
const Layout kLayouts[] = {
    {"video",
     IDD_VIDEO_SETTINGS,
     IDC_DRIVER_LIST,
     {288, 62, 280, 344},
     {{IDC_DRIVER_LIST, {14, 42, 254, 114}},
      {IDC_MODE_LIST, {14, 114, 254, 96}},
      {IDC_CALIBRATION_BAR, {24, 180, 230, 22}}}},
    {"audio",
     IDD_AUDIO_SETTINGS,
     IDC_MUSIC_BAR,
     {288, 62, 280, 352},
     {{IDC_MUSIC_BAR, {24, 70, 232, 22}}, {IDC_SOUND_BAR, {24, 152, 232, 22}}}},
    {"input",
     IDD_INPUT_SETTINGS,
     1035,
     {0, 0, 638, 478},
     {{1035, {178, 74, 76, 26}},
      {1036, {134, 124, 76, 26}},
      {1037, {220, 124, 76, 26}},
      {1038, {178, 176, 76, 26}},
      {1039, {178, 226, 76, 26}},
      {1040, {178, 278, 76, 26}},
      {1041, {448, 74, 76, 26}},
      {1042, {404, 124, 76, 26}},
      {1043, {490, 124, 76, 26}},
      {1044, {450, 176, 76, 26}},
      {1045, {448, 226, 76, 26}},
      {1046, {448, 278, 76, 26}}}},
    {"how to play", IDD_HOW_TO_PLAY, 0, {288, 62, 280, 340}, {}},
};

// A client rectangle of `window` in the client coordinates of `parent`.
Place ClientPlace(HWND window, HWND parent) {
  RECT client = {};
  GetClientRect(window, &client);
  MapWindowPoints(window, parent, reinterpret_cast<POINT*>(&client), 2);
  return {client.left, client.top, client.right - client.left, client.bottom - client.top};
}

// A control's window in its dialog's client coordinates. A drop-down list's
// template height is that of the control with its list dropped: its own
// window and the list below it (Wine's CB_GETDROPPEDCONTROLRECT spans the
// list alone).
Place ControlWindowPlace(HWND dialog, HWND control) {
  RECT window = {};
  GetWindowRect(control, &window);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&window), 2);
  Place place{window.left, window.top, window.right - window.left, window.bottom - window.top};
  char className[16] = {};
  GetClassNameA(control, className, sizeof className);
  if (lstrcmpiA(className, "ComboBox") == 0) {
    RECT dropped = {};
    SendMessageA(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    place.height += dropped.bottom - dropped.top;
  }
  return place;
}

// A stand-in for the stage: a bordered 640 x 480 pop-up, as the stage is.
class OverAStage : public WithShippedExecutable {
 protected:
  void SetUp() override {
    WithShippedExecutable::SetUp();
    stage_ = CreateWindowExA(0, "Static", "", WS_POPUP | WS_BORDER | WS_VISIBLE, 100, 70, 640, 480, nullptr,
                             nullptr, nullptr, nullptr);
    ASSERT_NE(stage_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(stage_);
    WithShippedExecutable::TearDown();
  }
  HWND stage_ = nullptr;
};

TEST_F(OverAStage, EachPictureDialogAndItsControlsStandAtTwoPixelsADialogUnit) {
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(layout.name);
    const PictureDialogSpec spec{.templateId = layout.templateId,
                                 .backgroundSlot = 0,
                                 .backgroundDrawing = BackgroundDrawing::kStretched,
                                 .buttons = {},
                                 .traits = DialogButtonTraits("", ""),
                                 .reloadFacesAtOpening = false};
    PictureDialog dialog = MakePictureDialog(spec);
    DialogScripts scripts;
    bool seen = false;
    scripts.Expect(layout.heldControl, [&](HWND shown) {
      seen = true;
      EXPECT_EQ(ClientPlace(shown, stage_), layout.client);
      for (const ControlPlace& control : layout.controls) {
        const HWND window = GetDlgItem(shown, control.id);
        ASSERT_NE(window, nullptr) << control.id;
        EXPECT_EQ(ControlWindowPlace(shown, window), control.place) << "control " << control.id;
      }
      EndDialog(shown, 1);
    });
    EXPECT_EQ(RunPictureDialog(dialog, stage_, module_), 1);
    EXPECT_TRUE(seen);
  }
}

}  // namespace
