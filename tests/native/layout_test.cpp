#include "shell/layout.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

struct Placement {
  int screenWidth, screenHeight, stageLeft, stageTop;
};

// The centre truncates toward zero: -3 / 2 is -1, not -2.
TEST(CentreStage, PlacesTheStageAtTheScreenCentre) {
  const Placement cases[] = {
      {1024, 768, 192, 144}, {800, 600, 80, 60},   {640, 480, 0, 0},   {1280, 1024, 320, 272},
      {1023, 767, 191, 143}, {600, 400, -20, -40}, {1, 1, -320, -240}, {0, 0, -320, -240},
  };
  for (const Placement& c : cases) {
    shell::ScreenLayout layout{.screenWidth = c.screenWidth, .screenHeight = c.screenHeight};
    shell::CentreStage(layout);
    EXPECT_EQ((std::vector<int>{layout.stageLeft, layout.stageTop, layout.stageWidth, layout.stageHeight}),
              (std::vector<int>{c.stageLeft, c.stageTop, 640, 480}))
        << c.screenWidth << " x " << c.screenHeight;
  }
  shell::ScreenLayout layout{.screenLeft = -3, .screenTop = -5, .screenWidth = 0, .screenHeight = 2};
  shell::CentreStage(layout);
  EXPECT_EQ((std::vector<int>{layout.centreX, layout.centreY}), (std::vector<int>{-1, -1}));
}

TEST(ClassRegistration, ExtendedOnlyOnTheWindows95FamilyFromVersionFour) {
  const std::pair<std::uint32_t, bool> cases[] = {
      {0xC0000A04u, true},   // Windows 95: top bit set, major 4
      {0xC0005A04u, true},   // Windows 98
      {0x80000005u, true},   // top bit set, major 5
      {0x80000003u, false},  // Win32s on Windows 3.1
      {0x05650004u, false},  // Windows NT 4
      {0x1DB10106u, false},  // Windows 7, as Wine reports it
      {0x23F00206u, false},  // Windows 8 and later
  };
  for (const auto& [version, extended] : cases) {
    EXPECT_EQ(shell::UsesExtendedClassRegistration(version), extended) << std::hex << version;
  }
}

}  // namespace
