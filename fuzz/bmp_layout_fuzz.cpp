// BMP files as the image store reads them: whatever the bytes, the layout it
// accepts lies wholly inside the block, and every colour entry can be read.
#include <vector>

#include "fuzz/fuzz_check.h"
#include "media/bmp_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < bmp::kFileHeaderSize) {
    return 0;
  }
  const bmp::FileHeader header =
      bmp::ParseFileHeader(std::span<const unsigned char, bmp::kFileHeaderSize>(data, bmp::kFileHeaderSize));
  // The block the loader allocates holds exactly what follows the header
  // (copied, so the sanitizer sees its true end).
  const std::vector<unsigned char> block(data + bmp::kFileHeaderSize, data + size);
  (void)header;
  for (const bmp::ColourRule rule : {bmp::ColourRule::kFile, bmp::ColourRule::kResource}) {
    const std::optional<bmp::DibLayout> layout = bmp::ReadDibLayout(block, rule);
    if (!layout) {
      continue;
    }
    FUZZ_CHECK(layout->width > 0 && layout->height != 0);
    FUZZ_CHECK(layout->colourTableOffset >= layout->headerSize);
    FUZZ_CHECK(static_cast<std::uint64_t>(layout->bitsOffset) + layout->bitsSize <= block.size());
    FUZZ_CHECK(layout->colourTableOffset + std::uint64_t{layout->colourCount} * layout->entrySize <=
               layout->bitsOffset);
    for (std::uint32_t i = 0; i < layout->colourCount; ++i) {
      const bmp::Rgb colour = bmp::ColourTableEntry(block, *layout, i);
      (void)colour;
    }
  }
  return 0;
}
