// Drawing helpers over the handle owners: a palette selected and realized for
// the length of a scope, memory contexts, and the copy of a whole bitmap. The
// palette policy of the launcher's drawing is spelled out with these and
// nowhere calls SelectPalette by hand.
#pragma once

#include <windows.h>

#include "common/win/handles.h"

namespace win {

// Selects `palette` into `dc` (as a background palette when `background`),
// realizes it, and selects the previous palette back (as a background
// palette) when it goes. A null palette or context does nothing.
class RealizedPalette {
 public:
  RealizedPalette(HDC dc, HPALETTE palette, bool background);
  ~RealizedPalette();
  RealizedPalette(const RealizedPalette&) = delete;
  RealizedPalette& operator=(const RealizedPalette&) = delete;

 private:
  HDC dc_;
  HPALETTE previous_;
};

// A memory context compatible with `dc`; empty when it cannot be made.
UniqueMemoryDc CompatibleMemoryDc(HDC dc);

// Width and height of a bitmap; 0 and 0 for none.
SIZE BitmapSize(HBITMAP bitmap);

// Copies a whole bitmap of `size` to (x, y) of `target`, selecting it into
// `memory` for the copy only.
void CopyBitmap(HDC target, int x, int y, HDC memory, HBITMAP bitmap, SIZE size);

}  // namespace win
