// The four picture dialogs from the shipped templates, opened through the
// picture-dialog mechanism over a stand-in stage: each stands, with each of
// its controls, where two pixels a dialog unit put it, whatever units the
// platform's System font gives (Wine's are 8 x 15, Windows' at 96 DPI 8 x 16).
#include "ui/picture_dialog.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "resources/resource.h"
#include "tests/win32/dialog_scripts.h"
#include "tests/win32/in_process.h"

namespace {

// Left, top, width, height.
using Place = std::vector<LONG>;

struct Layout {
  int templateId;
  int heldControl;  // tells the dialog apart (0: no controls)
  Place client;     // in the stage's client area
  std::vector<std::pair<int, Place>> controls;
};

// The templates' units times two.
// clang-format off
const Layout kLayouts[] = {
    {IDD_VIDEO_SETTINGS, IDC_DRIVER_LIST, {288, 62, 280, 344},
     {{IDC_DRIVER_LIST, {14, 42, 254, 114}}, {IDC_MODE_LIST, {14, 114, 254, 96}},
      {IDC_CALIBRATION_BAR, {24, 180, 230, 22}}}},
    {IDD_AUDIO_SETTINGS, IDC_MUSIC_BAR, {288, 62, 280, 352},
     {{IDC_MUSIC_BAR, {24, 70, 232, 22}}, {IDC_SOUND_BAR, {24, 152, 232, 22}}}},
    {IDD_INPUT_SETTINGS, 1035, {0, 0, 638, 478},
     {{1035, {178, 74, 76, 26}}, {1036, {134, 124, 76, 26}}, {1037, {220, 124, 76, 26}},
      {1038, {178, 176, 76, 26}}, {1039, {178, 226, 76, 26}}, {1040, {178, 278, 76, 26}},
      {1041, {448, 74, 76, 26}}, {1042, {404, 124, 76, 26}}, {1043, {490, 124, 76, 26}},
      {1044, {450, 176, 76, 26}}, {1045, {448, 226, 76, 26}}, {1046, {448, 278, 76, 26}}}},
    {IDD_HOW_TO_PLAY, 0, {288, 62, 280, 340}, {}},
};
// clang-format on

// `rect` of `from` in the client coordinates of `to`.
Place PlaceIn(HWND from, HWND to, RECT rect) {
  MapWindowPoints(from, to, reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// A control's window. A drop-down list's template height is the control's
// with its list dropped: its window and the list below it (Wine's
// CB_GETDROPPEDCONTROLRECT spans the list alone).
Place ControlPlace(HWND dialog, HWND control) {
  RECT window = {}, dropped = {};
  GetWindowRect(control, &window);
  Place place = PlaceIn(nullptr, dialog, window);
  char className[16] = {};
  GetClassNameA(control, className, sizeof className);
  if (lstrcmpiA(className, "ComboBox") == 0) {
    SendMessageA(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    place[3] += dropped.bottom - dropped.top;
  }
  return place;
}

using PictureDialogs = WithShippedExecutable;

TEST_F(PictureDialogs, EachAndItsControlsStandAtTwoPixelsADialogUnitOverTheStage) {
  // A stand-in for the stage: a bordered 640 x 480 pop-up.
  const support::UniqueWindow owned(CreateWindowExA(0, "Static", "", WS_POPUP | WS_BORDER | WS_VISIBLE, 100,
                                                    70, 640, 480, nullptr, nullptr, nullptr, nullptr));
  const HWND stage = owned.get();
  ASSERT_NE(stage, nullptr);
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(layout.templateId);
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
      RECT client = {};
      GetClientRect(shown, &client);
      EXPECT_EQ(PlaceIn(shown, stage, client), layout.client);
      for (const auto& [id, place] : layout.controls) {
        EXPECT_EQ(ControlPlace(shown, GetDlgItem(shown, id)), place) << "control " << id;
      }
      EndDialog(shown, 1);
    });
    EXPECT_EQ(RunPictureDialog(dialog, stage, module_), 1);
    EXPECT_TRUE(seen);
  }
}

}  // namespace
