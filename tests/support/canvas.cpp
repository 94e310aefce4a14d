#include "tests/support/canvas.h"

#include <algorithm>
#include <cstddef>

namespace support {

namespace {

HBITMAP MakeSection(int width, int height, std::uint32_t** bits) {
  if (width <= 0 || height <= 0) {
    return nullptr;
  }
  // Top-down: row y is y.
  BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  void* section = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &section, nullptr, 0);
  *bits = bitmap != nullptr ? static_cast<std::uint32_t*>(section) : nullptr;
  return bitmap;
}

}  // namespace

Canvas::Canvas(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      dc_(CreateCompatibleDC(nullptr)),
      bitmap_(MakeSection(width_, height_, &bits_)),
      selected_(dc_.get(), bitmap_.get()) {
  if (!dc_ || !bitmap_) {
    bits_ = nullptr;
  }
}

void Canvas::Fill(std::uint32_t word) {
  if (bits_ != nullptr) {
    GdiFlush();
    std::fill_n(bits_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), word);
  }
}

bool Canvas::CopyFrom(HDC source, int x, int y) {
  return bits_ != nullptr && BitBlt(dc(), 0, 0, width_, height_, source, x, y, SRCCOPY);
}

const std::uint32_t* Canvas::bits() const {
  GdiFlush();
  return bits_;
}

std::uint32_t Canvas::Pixel(int x, int y) const {
  if (bits_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_) {
    return 0xFFFFFFFF;
  }
  return bits()[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

std::string Canvas::BmpFile() const {
  const std::uint32_t* pixels = bits();
  if (pixels == nullptr) {
    return "";
  }
  const std::size_t rowBytes = (static_cast<std::size_t>(width_) * 3 + 3) & ~static_cast<std::size_t>(3);
  // "BM" (0x4D42) and the information header, bottom-up as BMP files mostly are.
  const BITMAPINFOHEADER info = {sizeof(BITMAPINFOHEADER), width_, height_, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof info;
  const BITMAPFILEHEADER file = {0x4D42, static_cast<DWORD>(headers + rowBytes * height_), 0, 0, headers};
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  std::string row(rowBytes, '\0');
  for (int y = height_ - 1; y >= 0; --y) {
    const std::uint32_t* from = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    for (int x = 0; x < width_; ++x) {
      row[3 * x] = static_cast<char>(from[x] & 0xFF);
      row[3 * x + 1] = static_cast<char>((from[x] >> 8) & 0xFF);
      row[3 * x + 2] = static_cast<char>((from[x] >> 16) & 0xFF);
    }
    bytes += row;
  }
  return bytes;
}

}  // namespace support
