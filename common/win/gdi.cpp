#include "common/win/gdi.h"

namespace win {

RealizedPalette::RealizedPalette(HDC dc, HPALETTE palette, bool background) : dc_(dc), previous_(nullptr) {
  if (dc == nullptr || palette == nullptr) {
    return;
  }
  previous_ = SelectPalette(dc, palette, background ? TRUE : FALSE);
  RealizePalette(dc);
}

RealizedPalette::~RealizedPalette() {
  if (previous_ != nullptr) {
    SelectPalette(dc_, previous_, TRUE);
  }
}

UniqueMemoryDc CompatibleMemoryDc(HDC dc) {
  return UniqueMemoryDc(dc != nullptr ? CreateCompatibleDC(dc) : nullptr);
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP facts = {};
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof facts, &facts) == 0) {
    return SIZE{0, 0};
  }
  return SIZE{facts.bmWidth, facts.bmHeight};
}

void CopyBitmap(HDC target, int x, int y, HDC memory, HBITMAP bitmap, SIZE size) {
  if (target == nullptr || memory == nullptr || bitmap == nullptr) {
    return;
  }
  SelectGuard selected(memory, bitmap);
  BitBlt(target, x, y, size.cx, size.cy, memory, 0, 0, SRCCOPY);
}

}  // namespace win
