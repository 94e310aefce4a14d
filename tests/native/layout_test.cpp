#include "shell/layout.h"

#include <gtest/gtest.h>

namespace {

struct Placement {
  int screenWidth, screenHeight, stageLeft, stageTop;
};

TEST(CentreStage, PlacesTheStageAtTheScreenCentre) {
  const Placement cases[] = {
      {1024, 768, 192, 144}, {800, 600, 80, 60},   {640, 480, 0, 0},   {1280, 1024, 320, 272},
      {1023, 767, 191, 143}, {600, 400, -20, -40}, {1, 1, -320, -240}, {0, 0, -320, -240},
  };
  for (const Placement& c : cases) {
    shell::ScreenLayout layout;
    layout.screenWidth = c.screenWidth;
    layout.screenHeight = c.screenHeight;
    shell::CentreStage(layout);
    EXPECT_EQ(layout.stageLeft, c.stageLeft) << c.screenWidth << " x " << c.screenHeight;
    EXPECT_EQ(layout.stageTop, c.stageTop) << c.screenWidth << " x " << c.screenHeight;
    EXPECT_EQ(layout.stageWidth, 640);
    EXPECT_EQ(layout.stageHeight, 480);
  }
}

TEST(CentreStage, TruncatesTowardZeroForNegativeCentres) {
  shell::ScreenLayout layout;
  layout.screenLeft = -3;
  layout.screenWidth = 0;
  layout.screenTop = -5;
  layout.screenHeight = 2;
  shell::CentreStage(layout);
  EXPECT_EQ(layout.centreX, -1);  // -3 / 2, not -2
  EXPECT_EQ(layout.centreY, -1);
}

TEST(ClassRegistration, ExtendedOnlyOnTheWindows95FamilyFromVersionFour) {
  struct Case {
    std::uint32_t version;
    bool extended;
  } const cases[] = {
      {0xC0000A04u, true},   // Windows 95: top bit set, major 4
      {0xC0005A04u, true},   // Windows 98
      {0x80000005u, true},   // top bit set, major 5
      {0x80000003u, false},  // Win32s on Windows 3.1
      {0x05650004u, false},  // Windows NT 4
      {0x1DB10106u, false},  // Windows 7, as Wine reports it
      {0x23F00206u, false},  // Windows 8 and later
  };
  for (const Case& c : cases) {
    EXPECT_EQ(shell::UsesExtendedClassRegistration(c.version), c.extended) << std::hex << c.version;
  }
}

}  // namespace
