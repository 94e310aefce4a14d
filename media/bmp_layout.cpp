#include "media/bmp_layout.h"

namespace bmp {

namespace {

std::uint16_t U16(std::span<const unsigned char> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t U32(std::span<const unsigned char> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

bool KnownHeaderSize(std::uint32_t size) {
  return size == kCoreHeaderSize || size == kInfoHeaderSize || size == 52 || size == 56 || size == 108 ||
         size == 124;
}

bool DepthFitsCompression(std::uint16_t bits, std::uint32_t compression) {
  switch (compression) {
    case kRgb:
      return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case kRle8:
      return bits == 8;
    case kRle4:
      return bits == 4;
    case kBitFields:
      return bits == 16 || bits == 32;
    default:
      return false;  // JPEG, PNG and the rest are not drawn by the platform's DIB calls
  }
}

// The largest colour table a palette description can hold (a 16-bit count).
constexpr std::uint64_t kMaxColours = 0xFFFF;
// Pictures larger than this many pixel bytes are refused outright.
constexpr std::uint64_t kMaxBitsBytes = 256ull << 20;

}  // namespace

FileHeader ParseFileHeader(std::span<const unsigned char, kFileHeaderSize> bytes) {
  FileHeader header;
  header.type = U16(bytes, 0);
  header.fileSize = U32(bytes, 2);
  header.bitsOffset = U32(bytes, 10);
  return header;
}

std::optional<DibLayout> ReadDibLayout(std::span<const unsigned char> block, ColourRule rule) {
  if (block.size() < 4) {
    return std::nullopt;
  }
  DibLayout layout;
  layout.headerSize = U32(block, 0);
  if (!KnownHeaderSize(layout.headerSize) || block.size() < layout.headerSize) {
    return std::nullopt;
  }

  std::uint32_t usedColours = 0;
  if (layout.headerSize == kCoreHeaderSize) {
    layout.width = U16(block, 4);
    layout.height = U16(block, 6);
    layout.bitCount = U16(block, 10);
    layout.compression = kRgb;
    layout.entrySize = 3;
  } else {
    layout.width = static_cast<std::int32_t>(U32(block, 4));
    layout.height = static_cast<std::int32_t>(U32(block, 8));
    layout.bitCount = U16(block, 14);
    layout.compression = U32(block, 16);
    usedColours = U32(block, 32);
  }
  if (layout.width <= 0 || layout.height == 0 || layout.height == INT32_MIN ||
      !DepthFitsCompression(layout.bitCount, layout.compression)) {
    return std::nullopt;
  }
  const bool compressed = layout.compression == kRle8 || layout.compression == kRle4;
  if (compressed && layout.height < 0) {
    return std::nullopt;  // run-length pictures are always stored bottom-up
  }

  std::uint64_t colours = 0;
  if (rule == ColourRule::kFile && layout.headerSize != kCoreHeaderSize && usedColours != 0) {
    colours = usedColours;
  } else if (layout.bitCount <= 8) {
    colours = 1u << layout.bitCount;
  }
  if (colours > kMaxColours) {
    return std::nullopt;
  }
  layout.colourCount = static_cast<std::uint32_t>(colours);

  // A 40-byte header with bit fields is followed by its three colour masks;
  // the larger headers hold them inside.
  const std::uint64_t masks =
      (layout.headerSize == kInfoHeaderSize && layout.compression == kBitFields) ? 12 : 0;
  const std::uint64_t tableOffset = layout.headerSize + masks;
  const std::uint64_t bitsOffset = tableOffset + colours * layout.entrySize;

  std::uint64_t bitsSize = 0;
  if (compressed) {
    bitsSize = U32(block, 20);  // the stream's length is its own
    if (bitsSize == 0) {
      return std::nullopt;
    }
  } else {
    const std::uint64_t stride = ((static_cast<std::uint64_t>(layout.width) * layout.bitCount + 31) / 32) * 4;
    bitsSize = stride * layout.AbsHeight();
  }
  if (bitsSize > kMaxBitsBytes || bitsOffset + bitsSize > block.size()) {
    return std::nullopt;
  }
  layout.colourTableOffset = static_cast<std::uint32_t>(tableOffset);
  layout.bitsOffset = static_cast<std::uint32_t>(bitsOffset);
  layout.bitsSize = static_cast<std::uint32_t>(bitsSize);
  return layout;
}

Rgb ColourTableEntry(std::span<const unsigned char> block, const DibLayout& layout, std::uint32_t index) {
  const std::size_t at = layout.colourTableOffset + static_cast<std::size_t>(index) * layout.entrySize;
  return Rgb{block[at + 2], block[at + 1], block[at]};
}

}  // namespace bmp
