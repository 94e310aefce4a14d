#include "media/bmp_layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

// A packed DIB built field by field: the information header, then whatever
// the test appends.
class Dib {
 public:
  Dib(std::uint32_t headerSize, std::int32_t width, std::int32_t height, std::uint16_t bits,
      std::uint32_t compression = bmp::kRgb, std::uint32_t usedColours = 0, std::uint32_t imageSize = 0) {
    Put32({headerSize});
    if (headerSize == bmp::kCoreHeaderSize) {
      Put16({static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), 1, bits});
      return;
    }
    Put32({static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)});
    Put16({1, bits});
    Put32({compression, imageSize, 2835, 2835, usedColours, 0});
    bytes_.resize(headerSize, 0);
  }
  Dib& Pad(std::size_t n) {
    bytes_.insert(bytes_.end(), n, 0x55);
    return *this;
  }
  std::span<const unsigned char> Bytes() const { return bytes_; }
  std::span<const unsigned char> Cut(std::size_t lessBytes) const {
    return std::span<const unsigned char>(bytes_).first(bytes_.size() - lessBytes);
  }

 private:
  void Put16(std::initializer_list<std::uint16_t> values) {
    for (const std::uint16_t v : values) {
      bytes_.push_back(static_cast<unsigned char>(v));
      bytes_.push_back(static_cast<unsigned char>(v >> 8));
    }
  }
  void Put32(std::initializer_list<std::uint32_t> values) {
    for (const std::uint32_t v : values) {
      Put16({static_cast<std::uint16_t>(v), static_cast<std::uint16_t>(v >> 16)});
    }
  }
  std::vector<unsigned char> bytes_;
};

TEST(BmpLayout, ColourTableAndPixelRowsByDepthAndHeader) {
  struct Case {
    const char* what;
    std::uint32_t headerSize;
    std::uint16_t bits;
    std::uint32_t compression;
    std::uint32_t used;
    std::uint32_t colours;
    std::uint32_t tableOffset;
    std::uint32_t bitsOffset;
    bmp::ColourRule rule = bmp::ColourRule::kFile;
  } const cases[] = {
      {"1-bit", 40, 1, bmp::kRgb, 0, 2, 40, 48},
      {"4-bit", 40, 4, bmp::kRgb, 0, 16, 40, 104},
      {"8-bit", 40, 8, bmp::kRgb, 0, 256, 40, 1064},
      {"8-bit using 16 colours", 40, 8, bmp::kRgb, 16, 16, 40, 104},
      {"24-bit: no colour table", 40, 24, bmp::kRgb, 0, 0, 40, 40},
      {"24-bit with a table for palette displays", 40, 24, bmp::kRgb, 256, 256, 40, 1064},
      {"16-bit bit fields: masks after the header", 40, 16, bmp::kBitFields, 0, 0, 52, 52},
      {"32-bit bit fields, V4 header holds the masks", 108, 32, bmp::kBitFields, 0, 0, 108, 108},
      {"8-bit V5 header", 124, 8, bmp::kRgb, 0, 256, 124, 1148},
      {"8-bit OS/2 core header: 3-byte entries", 12, 8, bmp::kRgb, 0, 256, 12, 780},
      {"a resource takes the full table for its depth", 40, 8, bmp::kRgb, 16, 256, 40, 1064,
       bmp::ColourRule::kResource},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Dib dib(c.headerSize, 4, 2, c.bits, c.compression, c.used);
    dib.Pad(c.bitsOffset - c.headerSize + 64);
    const auto layout = bmp::ReadDibLayout(dib.Bytes(), c.rule);
    ASSERT_TRUE(layout);
    EXPECT_EQ(
        (std::vector<std::uint32_t>{layout->colourCount, layout->colourTableOffset, layout->bitsOffset}),
        (std::vector<std::uint32_t>{c.colours, c.tableOffset, c.bitsOffset}));
  }
}

TEST(BmpLayout, PixelRowsArePaddedToFourBytes) {
  struct Case {
    std::int32_t width, height;
    std::uint16_t bits;
    std::uint32_t size;
  } const cases[] = {
      {1, 1, 1, 4},     {33, 2, 1, 16}, {3, 3, 24, 36}, {5, 1, 8, 8},
      {125, 2, 8, 256}, {7, -3, 4, 12}, {1, 1, 32, 4},
  };
  for (const Case& c : cases) {
    const std::uint32_t table = c.bits <= 8 ? 4u << c.bits : 0;
    Dib dib(40, c.width, c.height, c.bits);
    dib.Pad(table + c.size);
    const auto layout = bmp::ReadDibLayout(dib.Bytes(), bmp::ColourRule::kFile);
    ASSERT_TRUE(layout) << c.width << " x " << c.height << " x " << c.bits;
    EXPECT_EQ(layout->bitsSize, c.size) << c.width << " x " << c.height << " x " << c.bits;
    EXPECT_FALSE(bmp::ReadDibLayout(dib.Cut(1), bmp::ColourRule::kFile)) << "one byte short of the last row";
  }
}

TEST(BmpLayout, RefusesWhatLiesOutsideTheBlockOrCannotBeDrawn) {
  struct Case {
    const char* what;
    Dib dib;
    std::size_t pad;
  } const cases[] = {
      {"header cut short", Dib(40, 4, 4, 24), 0},
      {"unknown header size", Dib(64, 4, 4, 24), 64},
      {"zero width", Dib(40, 0, 4, 24), 64},
      {"negative width", Dib(40, -4, 4, 24), 64},
      {"zero height", Dib(40, 4, 0, 24), 64},
      {"2-bit depth", Dib(40, 4, 4, 2), 64},
      {"RLE8 on a 4-bit picture", Dib(40, 4, 4, 4, bmp::kRle8, 0, 8), 128},
      {"RLE without a stream length", Dib(40, 4, 4, 8, bmp::kRle8, 0, 0), 2048},
      {"top-down RLE", Dib(40, 4, -4, 8, bmp::kRle8, 0, 8), 2048},
      {"bit fields on 24 bits", Dib(40, 4, 4, 24, bmp::kBitFields), 128},
      {"JPEG inside", Dib(40, 4, 4, 24, 4), 128},
      {"colour count beyond a palette", Dib(40, 4, 4, 8, bmp::kRgb, 70000), 300000},
      {"colour table past the end", Dib(40, 4, 4, 8, bmp::kRgb, 300), 1000},
      {"enormous picture", Dib(40, 0x7FFFFFFF, 0x7FFFFFFF, 32), 64},
      {"lowest height", Dib(40, 4, INT32_MIN, 8), 4096},
  };
  for (const Case& c : cases) {
    Dib dib = c.dib;
    dib.Pad(c.pad);
    EXPECT_FALSE(bmp::ReadDibLayout(dib.Bytes(), bmp::ColourRule::kFile)) << c.what;
  }
  EXPECT_FALSE(bmp::ReadDibLayout({}, bmp::ColourRule::kFile));
}

TEST(BmpLayout, AnRleStreamMustFitItsBlock) {
  Dib dib(40, 4, 4, 8, bmp::kRle8, 0, 100);
  dib.Pad(1024 + 100);
  EXPECT_TRUE(bmp::ReadDibLayout(dib.Bytes(), bmp::ColourRule::kFile));
  EXPECT_FALSE(bmp::ReadDibLayout(dib.Cut(1), bmp::ColourRule::kFile));
}

TEST(BmpLayout, ColourEntriesReadRedGreenBlue) {
  Dib dib(40, 1, 1, 1);
  std::vector<unsigned char> bytes(dib.Bytes().begin(), dib.Bytes().end());
  const unsigned char table[] = {0x10, 0x20, 0x30, 0, 0xA0, 0xB0, 0xC0, 0};  // blue, green, red, reserved
  bytes.insert(bytes.end(), std::begin(table), std::end(table));
  bytes.insert(bytes.end(), 4, 0);
  const auto layout = bmp::ReadDibLayout(bytes, bmp::ColourRule::kFile);
  ASSERT_TRUE(layout);
  const bmp::Rgb second = bmp::ColourTableEntry(bytes, *layout, 1);
  EXPECT_EQ((std::vector<int>{second.red, second.green, second.blue}), (std::vector<int>{0xC0, 0xB0, 0xA0}));
}

TEST(BmpFileHeader, ReadsTypeSizeAndOffset) {
  const unsigned char bytes[14] = {'B', 'M', 0x36, 0x10, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0};
  const bmp::FileHeader header = bmp::ParseFileHeader(bytes);
  EXPECT_EQ((std::vector<std::uint32_t>{header.type, header.fileSize, header.bitsOffset}),
            (std::vector<std::uint32_t>{bmp::kTypeBM, 0x1036u, 0x36u}));
}

// The corpus of good, questionable and bad files: every good one is accepted;
// nothing, good or bad, is read outside its block (the sanitizers watch).
std::vector<unsigned char> ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

std::optional<bmp::DibLayout> LayoutOfFile(const std::vector<unsigned char>& file) {
  if (file.size() < bmp::kFileHeaderSize) {
    return std::nullopt;
  }
  const bmp::FileHeader header = bmp::ParseFileHeader(
      std::span<const unsigned char, bmp::kFileHeaderSize>(file.data(), bmp::kFileHeaderSize));
  if (header.type != bmp::kTypeBM || header.fileSize <= bmp::kFileHeaderSize ||
      header.fileSize > file.size()) {
    return std::nullopt;
  }
  // Exactly the block the loader allocates: the claimed size less the header.
  std::vector<unsigned char> block(file.begin() + bmp::kFileHeaderSize, file.begin() + header.fileSize);
  const auto layout = bmp::ReadDibLayout(block, bmp::ColourRule::kFile);
  if (layout) {  // the header, the colour table and the pixel rows in that order, all inside
    EXPECT_LE(layout->headerSize, layout->colourTableOffset);
    EXPECT_LE(layout->colourTableOffset + std::uint64_t{layout->colourCount} * layout->entrySize,
              layout->bitsOffset);
    EXPECT_LE(std::uint64_t{layout->bitsOffset} + layout->bitsSize, block.size());
  }
  return layout;
}

const std::filesystem::path kCorpus = QUIL_BMPSUITE_DIR;

// The names of the files of one kind of the corpus ("g", "q" or "b"), or of
// those whose layout is accepted.
std::set<std::string> CorpusFiles(const char* kind, bool onlyAccepted = true) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(kCorpus / kind)) {
    SCOPED_TRACE(entry.path());
    if (!onlyAccepted || LayoutOfFile(ReadAll(entry.path()))) {
      names.insert(entry.path().filename().string());
    }
  }
  return names;
}

// Every good file is accepted; a bad one only where its damage cannot lead a
// reader outside its block: an image-size field the layout does not trust,
// odd densities or planes, pixel values beyond the colour table, overlapping
// masks, and run-length streams that overrun their rows (the platform's
// decoder stops at the picture's edge; the Win32 tests draw every one of
// them). Questionable files are accepted or refused as the layout decides.
TEST(BmpCorpus, GoodFilesAreAcceptedAndNoneIsReadOutsideItsBlock) {
  const std::set<std::string> good = CorpusFiles("g", false);
  EXPECT_EQ(good.size(), 27u);
  EXPECT_EQ(CorpusFiles("g"), good);
  const std::set<std::string> expected = {
      "badbitssize.bmp", "baddens1.bmp",  "baddens2.bmp",     "badplanes.bmp",
      "badrle.bmp",      "badrle4.bmp",   "badrle4bis.bmp",   "badrle4ter.bmp",
      "badrlebis.bmp",   "badrleter.bmp", "pal8badindex.bmp", "rgb16-880.bmp",
  };
  EXPECT_EQ(CorpusFiles("b"), expected);
  EXPECT_FALSE(CorpusFiles("q").empty());
}

}  // namespace
