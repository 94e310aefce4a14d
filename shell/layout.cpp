#include "shell/layout.h"

namespace shell {

void CentreStage(ScreenLayout& layout) {
  layout.stageWidth = kStageWidth;
  layout.stageHeight = kStageHeight;
  // Integer division truncates toward zero, also for negative sums.
  layout.centreX = (layout.screenLeft + layout.screenWidth) / 2;
  layout.centreY = (layout.screenTop + layout.screenHeight) / 2;
  layout.stageLeft = layout.centreX - kStageWidth / 2;
  layout.stageTop = layout.centreY - kStageHeight / 2;
}

}  // namespace shell
