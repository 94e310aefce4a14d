// The button mechanism's face handling, with the shipped faces: loaded once
// for a menu set, again at each opening for a dialog set, released as each
// kind of set says.
#include "ui/button_set.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <utility>

#include "resources/resource.h"
#include "tests/win32/in_process.h"

namespace {

constexpr ButtonSpec kTable[] = {
    {BTN_START_GAME, {273, 86, 417, 171}, IDB_START_GAME, CMD_START_GAME},
    {BTN_NETWORK_GAME, {5, 145, 204, 230}, IDB_NETWORK_GAME, 0, false},
};
constexpr ButtonSetTraits kMenuTraits{.paletteForEachFaceWhenDrawingAll = true};
constexpr ButtonSetTraits kDialogTraits{.releasePalettesWithFaces = true};

using ButtonFaces = WithShippedExecutable;

TEST_F(ButtonFaces, AMenuSetLoadsItsFacesOnceAndKeepsItsPalettesOnRelease) {
  ButtonSet set = MakeButtonSet(kTable, kMenuTraits);
  SetUpButtonSet(set, module_);
  const Button& start = set.buttons[0];
  ASSERT_TRUE(start.normal.bitmap && start.hover.bitmap && start.pressed.bitmap);
  EXPECT_FALSE(!set.buttons[1].normal.bitmap || set.buttons[1].hover.bitmap || set.buttons[1].pressed.bitmap)
      << "a button drawn only gets its normal face alone";
  EXPECT_EQ(std::make_pair(start.normal.size.cx, start.normal.size.cy), std::make_pair(145L, 86L));
  const HBITMAP first = start.normal.bitmap.get();

  SetUpButtonSet(set, module_);  // the options menu opened a second time
  EXPECT_EQ(start.normal.bitmap.get(), first) << "faces are not loaded again";

  ReleaseButtonSet(set);
  EXPECT_FALSE(start.normal.bitmap || start.hover.bitmap || start.pressed.bitmap);
  EXPECT_TRUE(start.normal.palette) << "a menu set's palettes last for the run";
  EXPECT_FALSE(start.rect.Contains(300, 100));
}

TEST_F(ButtonFaces, ADialogSetReloadsAtEachOpeningAndReleasesItsPalettes) {
  ButtonSet set = MakeButtonSet(kTable, kDialogTraits);
  SetUpButtonSet(set, module_);
  set.facesPending = true;  // the dialog opens again
  SetUpButtonSet(set, module_);
  EXPECT_TRUE(set.buttons[1].normal.bitmap);
  ReleaseButtonSet(set);
  EXPECT_FALSE(set.buttons[0].normal.palette || set.buttons[1].hover.palette);
}

TEST_F(ButtonFaces, AButtonWithoutItsNormalFaceGetsNoOtherFace) {
  static constexpr ButtonSpec kMissing[] = {{600, {0, 0, 10, 10}, 4000, 600}};
  ButtonSet set = MakeButtonSet(kMissing, kDialogTraits);
  SetUpButtonSet(set, module_);
  EXPECT_FALSE(set.buttons[0].normal.bitmap || set.buttons[0].hover.bitmap || set.buttons[0].pressed.bitmap);
  EXPECT_FALSE(set.facesPending);
  EXPECT_EQ(PressButton(set, nullptr, 5, 5), 600) << "a button without faces still works";
}

}  // namespace

// A real window on the display for the tests that draw and read back.
class OnAWindow : public WithShippedExecutable {
 protected:
  void SetUp() override {
    WithShippedExecutable::SetUp();
    owned_.reset(CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                                 nullptr, nullptr, nullptr));
    window_ = owned_.get();
    ASSERT_NE(window_, nullptr);
    HandleQueuedMessages();
  }
  COLORREF PixelAt(int x, int y) { return GetPixel(win::WindowDc(window_).get(), x, y); }
  support::UniqueWindow owned_;
  HWND window_ = nullptr;
};

TEST_F(OnAWindow, AHoverFlagOutlivesARedrawUntilThePointerLeaves) {
  static constexpr ButtonSpec kPage[] = {{BTN_NEXT_PAGE, {73, 295, 135, 332}, IDB_NEXT_PAGE, BTN_NEXT_PAGE}};
  ButtonSet set = MakeButtonSet(kPage, DialogButtonTraits("", ""));
  SetUpButtonSet(set, module_);
  const Button& next = set.buttons[0];
  TrackButtonHover(set, window_, POINT{100, 300});
  ASSERT_TRUE(next.hovering);
  DrawAllButtons(set, window_);  // the whole window redrawn: normal faces
  const COLORREF normal = PixelAt(80, 310);
  TrackButtonHover(set, window_, POINT{101, 301});
  EXPECT_TRUE(next.hovering);
  EXPECT_EQ(PixelAt(80, 310), normal) << "moving within draws nothing: the normal face stays";
  TrackButtonHover(set, window_, POINT{10, 10});
  EXPECT_FALSE(next.hovering);
  TrackButtonHover(set, window_, POINT{100, 300});
  EXPECT_TRUE(next.hovering) << "lit again on re-entering";
  ReleaseButtonSet(set);
}

// QUIT's click sound, then its pause, then its pressed face: the face must
// not show before the pause has run out.
TEST_F(OnAWindow, APauseComesBeforeThePressedFace) {
  static constexpr ButtonSpec kQuit[] = {
      {BTN_QUIT, {465, 145, 634, 230}, IDB_QUIT, CMD_HOME_PAGE, true, 300},
  };
  ButtonSet set =
      MakeButtonSet(kQuit, {.paletteForEachFaceWhenDrawingAll = true, .hoverPoint = HoverPoint::kCursor});
  SetUpButtonSet(set, module_);
  DrawAllButtons(set, window_);
  // A point where the normal and pressed faces differ.
  int probeX = -1, probeY = -1;
  {  // the faces are let go again before the press draws them
    const win::UniqueMemoryDc normal(CreateCompatibleDC(nullptr)), pressed(CreateCompatibleDC(nullptr));
    const win::SelectGuard normalFace(normal.get(), set.buttons[0].normal.bitmap.get());
    const win::SelectGuard pressedFace(pressed.get(), set.buttons[0].pressed.bitmap.get());
    for (int y = 5; y < 80 && probeX < 0; y += 3) {
      for (int x = 5; x < 160; x += 3) {
        const COLORREF colour = GetPixel(normal.get(), x, y);
        if (GetPixel(pressed.get(), x, y) != colour && PixelAt(465 + x, 145 + y) == colour) {
          probeX = 465 + x;
          probeY = 145 + y;
          break;
        }
      }
    }
  }
  ASSERT_GE(probeX, 0);
  const COLORREF before = PixelAt(probeX, probeY);

  std::atomic<bool> done{false};
  int action = 0;
  const DWORD start = GetTickCount();
  std::thread press([&] {
    action = PressButton(set, window_, 500, 180);
    done = true;
  });
  DWORD changedAfter = 0;
  e2e::WaitUntil(
      [&] {
        if (changedAfter == 0 && PixelAt(probeX, probeY) != before) {
          changedAfter = GetTickCount() - start;
        }
        return done.load();
      },
      std::chrono::milliseconds(5000), std::chrono::milliseconds(5));
  press.join();
  EXPECT_EQ(action, CMD_HOME_PAGE);
  EXPECT_NE(PixelAt(probeX, probeY), before) << "the pressed face is drawn in the end";
  EXPECT_TRUE(changedAfter == 0 || changedAfter >= 290) << "the face changed after " << changedAfter << " ms";
  EXPECT_GE(GetTickCount() - start, 290u);
  ReleaseButtonSet(set);
}
