#include "menus/captions.h"

CaptionTexts& CaptionText() {
  static CaptionTexts texts;
  return texts;
}

int ReadCaptionFile(const char*) {
  // The caption file arrives with the menu screens; until then every text is empty.
  return 0;
}
