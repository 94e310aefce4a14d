// Where the launcher's two windows go on the screen.
#pragma once

#include <cstdint>

namespace shell {

constexpr std::int32_t kStageWidth = 640;
constexpr std::int32_t kStageHeight = 480;

struct ScreenLayout {
  std::int32_t screenLeft = 0;
  std::int32_t screenTop = 0;
  std::int32_t screenWidth = 0;
  std::int32_t screenHeight = 0;
  std::int32_t stageWidth = 0;
  std::int32_t stageHeight = 0;
  std::int32_t centreX = 0;
  std::int32_t centreY = 0;
  std::int32_t stageLeft = 0;
  std::int32_t stageTop = 0;
};

// Places the 640 x 480 stage at the screen centre minus (320, 240). On a screen
// smaller than the stage its origin goes negative; nothing prevents that.
void CentreStage(ScreenLayout& layout);

// Whether a platform version value (as GetVersion gives it) calls for the
// extended class registration: the Windows 95 family (top bit set) from major
// version 4 on. Everything else registers the plain way.
constexpr bool UsesExtendedClassRegistration(std::uint32_t version) {
  return (version & 0x80000000u) != 0 && (version & 0xFFu) >= 4;
}

}  // namespace shell
