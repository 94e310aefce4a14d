#include "ui/button_rules.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

using buttons::HoverChange;
using buttons::Rect;

constexpr Rect kStartGame{273, 86, 417, 171};

TEST(ButtonRect, LeftAndTopEdgesAreInsideRightAndBottomOutside) {
  const std::tuple<int, int, bool> cases[] = {
      {273, 86, true},   {416, 170, true}, {417, 100, false}, {300, 171, false},
      {272, 100, false}, {300, 85, false}, {345, 128, true},  {417, 171, false},
  };
  for (const auto& [x, y, inside] : cases) {
    EXPECT_EQ(kStartGame.Contains(x, y), inside) << x << ", " << y;
  }
  EXPECT_FALSE(Rect{}.Contains(0, 0)) << "an emptied rectangle holds nothing";
}

TEST(ButtonHover, EntersOnceLeavesOnceAndIgnoresMovesWithin) {
  EXPECT_EQ(buttons::HoverStep(kStartGame, false, 300, 100), HoverChange::kEnter);
  EXPECT_EQ(buttons::HoverStep(kStartGame, true, 310, 110), HoverChange::kNone);
  EXPECT_EQ(buttons::HoverStep(kStartGame, true, 10, 10), HoverChange::kLeave);
  EXPECT_EQ(buttons::HoverStep(kStartGame, false, 10, 10), HoverChange::kNone);
  EXPECT_EQ(buttons::HoverStep(kStartGame, true, 417, 100), HoverChange::kLeave)
      << "the right edge is outside";
}

TEST(ButtonPress, TheFirstConsideredRectangleInTableOrderWins) {
  // How-to-play's Previous and Next touch at x = 73.
  const std::vector<Rect> rects = {{10, 295, 73, 332}, {73, 295, 135, 332}, {142, 295, 267, 332}};
  EXPECT_EQ(buttons::FirstHit(rects, 72, 300), 0u);
  EXPECT_EQ(buttons::FirstHit(rects, 73, 300), 1u);
  EXPECT_EQ(buttons::FirstHit(rects, 140, 300), std::nullopt);
  const std::vector<Rect> overlapping = {{0, 0, 10, 10}, {0, 0, 20, 20}};
  EXPECT_EQ(buttons::FirstHit(overlapping, 5, 5), 0u);
  const bool firstIgnored[] = {false, true};
  EXPECT_EQ(buttons::FirstHit(overlapping, 5, 5, firstIgnored), 1u);
  EXPECT_EQ(buttons::FirstHit({}, 5, 5), std::nullopt);
}

}  // namespace
