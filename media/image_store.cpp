#include "media/image_store.h"

// The picture loader arrives with the menu screens; until then every slot
// stays empty and drawing one draws nothing.

int ReadBMPFile(const char*, int) {
  return 0;
}
void DrawImageStretched(HDC, int, int, int, int, int) {}
void FreeAllImages() {}
std::int32_t LastDrawnWidth() {
  return 0;
}
std::int32_t LastDrawnHeight() {
  return 0;
}
