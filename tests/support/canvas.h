// A 32-bit top-down DIB section in a memory context of its own: the surface
// the tests draw into, or copy the screen or a window onto, and then read back
// pixel by pixel. Pixel (x, y) is bits()[y * width() + x], a word that GDI
// writes as 0x00RRGGBB.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "common/win/handles.h"

namespace support {

class Canvas {
 public:
  // Black all over; empty (false) when the platform cannot make it.
  Canvas(int width, int height);
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  explicit operator bool() const { return bits_ != nullptr; }
  int width() const { return width_; }
  int height() const { return height_; }
  HDC dc() const { return dc_.get(); }

  // Every pixel set to `word`, which need not be one GDI would write (a
  // sentinel that no drawing leaves).
  void Fill(std::uint32_t word);
  // Copies what `source` shows from its point (x, y) over the whole canvas.
  bool CopyFrom(HDC source, int x = 0, int y = 0);

  // The pixels, row by row from the top, once GDI has done the drawing it
  // queued; null for an empty canvas.
  const std::uint32_t* bits() const;
  // One pixel's word; 0xFFFFFFFF outside the canvas.
  std::uint32_t Pixel(int x, int y) const;

  // The canvas as a 24-bit BMP file, for a person to look at; empty for an
  // empty canvas.
  std::string BmpFile() const;

 private:
  int width_, height_;
  std::uint32_t* bits_ = nullptr;  // owned by bitmap_
  win::UniqueMemoryDc dc_;
  win::UniqueBitmap bitmap_;
  win::SelectGuard selected_;
};

}  // namespace support
