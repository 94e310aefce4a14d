// Where the parts of a BMP lie: the 14-byte file header, and in the block
// after it (a packed DIB) the information header, the colour table and the
// pixel rows. Everything here is checked against the block's size before any
// pixel is touched, so a damaged or hostile file can never be read past.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace bmp {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint16_t kTypeBM = 0x4D42;  // "BM"

// Compression values of the information header.
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;

// Information header sizes: OS/2 1.x core, then the Windows headers.
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;

struct FileHeader {
  std::uint16_t type = 0;
  std::uint32_t fileSize = 0;
  std::uint32_t bitsOffset = 0;
};

FileHeader ParseFileHeader(std::span<const unsigned char, kFileHeaderSize> bytes);

// How many colour-table entries a picture has.
enum class ColourRule {
  kFile,      // image files: the used-colours field when set, else 2, 16 or 256 by depth
  kResource,  // bitmap resources: 2 to the power of the depth (up to 8 bits), whatever the field says
};

struct DibLayout {
  std::uint32_t headerSize = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;  // negative for a top-down picture
  std::uint16_t bitCount = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t colourCount = 0;  // colour-table entries
  std::uint32_t entrySize = 4;    // bytes per entry: blue, green, red (, reserved); 3 for a core header
  std::uint32_t colourTableOffset = 0;
  std::uint32_t bitsOffset = 0;
  std::uint32_t bitsSize = 0;  // bytes of pixel data the picture needs

  std::uint32_t AbsHeight() const { return height < 0 ? 0u - static_cast<std::uint32_t>(height) : height; }
};

// Reads the layout of the packed DIB at the start of `block` and checks that
// the information header, the colour table (and the three masks that follow a
// 40-byte header with bit fields) and the pixel rows all lie inside it, and
// that the platform can draw it. Returns nothing for a block that fails.
std::optional<DibLayout> ReadDibLayout(std::span<const unsigned char> block, ColourRule rule);

// Red, green and blue of colour-table entry `index` (which must be below the
// layout's colour count) in a block whose layout has been read.
struct Rgb {
  std::uint8_t red, green, blue;
};
Rgb ColourTableEntry(std::span<const unsigned char> block, const DibLayout& layout, std::uint32_t index);

}  // namespace bmp
