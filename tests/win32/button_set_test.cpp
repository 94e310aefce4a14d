// The button mechanism's face handling, with the shipped faces: loaded once
// for a menu set, again at each opening for a dialog set, released as each
// kind of set says.
#include "menus/button_set.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "resources/resource.h"

#include "tests/win32/test_support.h"

namespace {

constexpr ButtonSpec kTable[] = {
    {BTN_START_GAME, {273, 86, 417, 171}, IDB_START_GAME, CMD_START_GAME},
    {BTN_NETWORK_GAME, {5, 145, 204, 230}, IDB_NETWORK_GAME, 0, false},
};
constexpr ButtonSetTraits kMenuTraits{"", "", true, false};
constexpr ButtonSetTraits kDialogTraits{"", "", false, true};

using ButtonFaces = WithShippedExecutable;

TEST_F(ButtonFaces, AMenuSetLoadsItsFacesOnceAndKeepsItsPalettesOnRelease) {
  ButtonSet set = MakeButtonSet(kTable, kMenuTraits);
  SetUpButtonSet(set, module_);
  const Button& start = set.buttons[0];
  ASSERT_TRUE(start.normal.bitmap && start.hover.bitmap && start.pressed.bitmap);
  EXPECT_EQ(start.normal.size.cx, 145);
  EXPECT_EQ(start.normal.size.cy, 86);
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
  EXPECT_FALSE(set.buttons[0].normal.palette);
  EXPECT_FALSE(set.buttons[1].hover.palette);
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
