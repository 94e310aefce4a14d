// The image store on the real platform: BMP files loaded into slots, the
// shared palette, stretched drawing, and bitmap resources with their palettes.
#include "media/image_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/canvas.h"
#include "tests/win32/in_process.h"
#include "tests/win32/message_boxes.h"

namespace {

using Texts = std::vector<std::string>;

// A canvas filled with (1, 2, 3), read back as red, green and blue.
class Canvas : public support::Canvas {
 public:
  Canvas(int width, int height) : support::Canvas(width, height) { Fill(0x010203); }
  std::array<int, 3> At(int x, int y) const {
    const std::uint32_t pixel = Pixel(x, y);
    return {static_cast<int>(pixel >> 16 & 0xFF), static_cast<int>(pixel >> 8 & 0xFF),
            static_cast<int>(pixel & 0xFF)};
  }
};

// A binary PPM (P6) reference picture.
struct Reference {
  int width = 0, height = 0;
  std::string rgb;
};

std::optional<Reference> ReadPpm(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maximum = 0;
  Reference ref;
  if (!(in >> magic >> ref.width >> ref.height >> maximum) || magic != "P6" || maximum != 255) {
    return std::nullopt;
  }
  in.get();
  ref.rgb.resize(static_cast<std::size_t>(ref.width) * ref.height * 3);
  in.read(ref.rgb.data(), static_cast<std::streamsize>(ref.rgb.size()));
  return in ? std::optional<Reference>(ref) : std::nullopt;
}

template <typename T>
std::string Le(T v) {
  return std::string(reinterpret_cast<const char*>(&v), sizeof v);
}
const auto Le32 = Le<std::uint32_t>;
const auto Le16 = Le<std::uint16_t>;

// A small bottom-up BMP file: `width` x 2 at `bits` per pixel, a colour table
// of `colours` entries (entry i is (i, 2i, 3i)), every pixel byte `fill`.
std::string MakeBmp(int width, int bits, std::uint32_t colours, std::uint32_t usedField,
                    unsigned char fill = 1, std::int32_t claimExtra = 0) {
  std::string info = Le32(40) + Le32(width) + Le32(2) + Le16(1) + Le16(static_cast<std::uint16_t>(bits)) +
                     Le32(0) + Le32(0) + Le32(0) + Le32(0) + Le32(usedField) + Le32(0);
  for (std::uint32_t i = 0; i < colours; ++i) {
    info += std::string{static_cast<char>(3 * i), static_cast<char>(2 * i), static_cast<char>(i), 0};
  }
  const int stride = ((width * bits + 31) / 32) * 4;
  info += std::string(static_cast<std::size_t>(stride) * 2, static_cast<char>(fill));
  const std::uint32_t size = static_cast<std::uint32_t>(14 + info.size() + claimExtra);
  return "BM" + Le32(size) + Le32(0) + Le32(static_cast<std::uint32_t>(14 + 40 + colours * 4)) + info;
}

WORD PaletteEntries(HPALETTE palette) {
  WORD count = 0;
  GetObjectA(palette, sizeof count, &count);
  return count;
}

class ImageStoreTest : public InTemporaryFolder {
 protected:
  void TearDown() override {
    FreeAllImages();
    InTemporaryFolder::TearDown();
  }
  // `bytes` as a BMP file read into `slot`: what the reader returns.
  int Load(const std::string& bytes, int slot) {
    e2e::WriteFileBytes(Full("picture.bmp"), bytes);
    return ReadBMPFile(nullptr, Full("picture.bmp").c_str(), slot);
  }
  MessageBoxReader boxes_;
};

TEST_F(ImageStoreTest, EachFailureShowsItsMessageAndTheLoadFails) {
  std::string notBm = MakeBmp(4, 24, 0, 0), noWidth = notBm;
  notBm[0] = 'X';
  noWidth.replace(18, 4, Le32(0));
  const struct {
    std::optional<std::string> bytes;  // none: no such file
    const char* message;
  } cases[] = {{std::nullopt, "Bmp File Open Error"},
               {"BM\x10", "Bmp File Header Read Error"},
               {notBm, "Bmp File Not Format"},
               {MakeBmp(4, 24, 0, 0, 1, 1000), "Bmp File Read Fail"},  // claims more than it holds
               {noWidth, "Bmp File Not Format"}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.bytes ? Load(*c.bytes, 1) : ReadBMPFile(nullptr, "Z:\\no\\such\\picture.bmp", 1), 0)
        << c.message;
    EXPECT_EQ(boxes_.Take(), (Texts{c.message}));
    EXPECT_EQ(ImageBits(1), nullptr) << "the slot stays empty";
  }
  EXPECT_FALSE(CreateImageBitmap(1));
}

TEST_F(ImageStoreTest, TheSharedPaletteFollowsTheLastFileWithAColourTable) {
  ASSERT_EQ(Load(MakeBmp(4, 8, 16, 16), 6), 1);
  EXPECT_EQ((std::vector<int>{ImageColourCount(6), ImagePaletteSize(6)}), (std::vector<int>{16, 64}));
  HPALETTE palette = SharedImagePalette();
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(PaletteEntries(palette), 16);
  PALETTEENTRY fifth = {};
  GetPaletteEntries(palette, 5, 1, &fifth);
  EXPECT_EQ((std::vector<int>{fifth.peRed, fifth.peGreen, fifth.peBlue}), (std::vector<int>{5, 10, 15}));

  ASSERT_EQ(Load(MakeBmp(4, 24, 0, 0), 7), 1);
  EXPECT_EQ(ImageColourCount(7), 0);
  EXPECT_EQ(SharedImagePalette(), palette) << "a 24-bit file leaves the shared palette as it was";

  ASSERT_EQ(Load(MakeBmp(4, 8, 256, 0), 8), 1);
  EXPECT_EQ(PaletteEntries(SharedImagePalette()), 256);
  EXPECT_TRUE(boxes_.Take().empty());
}

TEST_F(ImageStoreTest, PixelRowsFollowTheTableTheFileDeclares) {
  ASSERT_EQ(Load(MakeBmp(4, 8, 16, 16, 7), 3), 1);
  const auto* bits = static_cast<const unsigned char*>(ImageBits(3));
  ASSERT_NE(bits, nullptr);
  EXPECT_EQ(bits[0], 7);
  EXPECT_EQ(std::make_pair(ImageWidth(3), ImageHeight(3)), std::make_pair(4, 2));

  ASSERT_EQ(Load(MakeBmp(2, 24, 0, 0, 9), 3), 1);
  EXPECT_EQ(static_cast<const unsigned char*>(ImageBits(3))[0], 9) << "right after the information header";
}

TEST_F(ImageStoreTest, TheSamePictureInTwoSlotsIsTwoCopies) {
  ASSERT_EQ(Load(MakeBmp(4, 8, 256, 0, 3), 4), 1);
  ASSERT_EQ(ReadBMPFile(nullptr, Full("picture.bmp").c_str(), 5), 1);
  ASSERT_NE(ImageBits(4), nullptr);
  EXPECT_NE(ImageBits(4), ImageBits(5));
  EXPECT_EQ(static_cast<const unsigned char*>(ImageBits(5))[0], 3);
  FreeAllImages();
  FreeAllImages();
  EXPECT_TRUE(ImageBits(4) == nullptr && ImageBits(5) == nullptr);
}

TEST_F(ImageStoreTest, AnEmptySlotDrawsNothingAndHasNoBitmap) {
  Canvas canvas(8, 8);
  DrawImageStretched(canvas.dc(), 0, 0, 8, 8, 2);
  EXPECT_EQ(canvas.At(4, 4), (std::array<int, 3>{1, 2, 3}));
  EXPECT_FALSE(CreateImageBitmap(2));
  EXPECT_EQ(ReadBMPFile(nullptr, "x", -1), 0);
  EXPECT_EQ(ReadBMPFile(nullptr, "x", kImageSlots), 0);
}

TEST_F(ImageStoreTest, DrawingStretchesTheWholePictureAndRecordsItsSize) {
  // 2 x 2: bottom row red, top row blue (bottom-up rows).
  std::string bmp = "BM" + Le32(14 + 40 + 16) + Le32(0) + Le32(54) + Le32(40) + Le32(2) + Le32(2) + Le16(1) +
                    Le16(24) + Le32(0) + Le32(16) + Le32(0) + Le32(0) + Le32(0) + Le32(0);
  bmp +=
      std::string("\x00\x00\xFF\x00\x00\xFF\x00\x00", 8) + std::string("\xFF\x00\x00\xFF\x00\x00\x00\x00", 8);
  ASSERT_EQ(Load(bmp, 1), 1);
  Canvas canvas(20, 10);
  DrawImageStretched(canvas.dc(), 0, 0, 20, 10, 1);
  EXPECT_EQ(canvas.At(19, 0), (std::array<int, 3>{0, 0, 255}));
  EXPECT_EQ(canvas.At(0, 9), (std::array<int, 3>{255, 0, 0}));

  const win::UniqueBitmap bitmap = CreateImageBitmap(1);
  ASSERT_TRUE(bitmap);
  BITMAP facts = {};
  GetObjectA(bitmap.get(), sizeof facts, &facts);
  EXPECT_EQ(std::make_pair(facts.bmWidth, facts.bmHeight), std::make_pair(2L, 2L));
}

// The shipped executable's bitmap resources: the button faces.
using ShippedFaces = WithShippedExecutable;

TEST_F(ShippedFaces, EachFaceBecomesABitmapWithAFullPaletteOfItsOwn) {
  struct Face {
    int first;  // the pressed face; normal and hover follow
    int width, height;
  } const faces[] = {
      {189, 145, 86}, {192, 200, 86}, {195, 151, 62}, {198, 170, 86}, {201, 190, 36}, {204, 190, 36},
      {207, 190, 36}, {210, 190, 36}, {295, 190, 36}, {222, 190, 36}, {225, 190, 36}, {228, 190, 36},
      {231, 190, 36}, {239, 126, 36}, {242, 126, 36}, {245, 126, 36}, {248, 126, 36}, {251, 126, 36},
      {298, 126, 36}, {301, 63, 36},  {304, 63, 36},
  };
  for (const Face& face : faces) {
    for (int n = face.first; n < face.first + 3; ++n) {
      win::UniquePalette palette;
      const win::UniqueBitmap bitmap = LoadBitmapResource(module_, n, &palette);
      ASSERT_TRUE(bitmap) << n;
      BITMAP facts = {};
      GetObjectA(bitmap.get(), sizeof facts, &facts);
      EXPECT_TRUE(facts.bmWidth == face.width && facts.bmHeight == face.height)
          << n << ": " << facts.bmWidth << " x " << facts.bmHeight;
      ASSERT_TRUE(palette) << n;
      EXPECT_EQ(PaletteEntries(palette.get()), 256) << n;
    }
  }
}

TEST_F(ShippedFaces, AMissingResourceGivesNothingAndLeavesThePaletteAlone) {
  const LOGPALETTE one = {0x300, 1, {{1, 2, 3, 0}}};
  win::UniquePalette palette(CreatePalette(&one));
  const HPALETTE before = palette.get();
  EXPECT_FALSE(LoadBitmapResource(module_, 9999, &palette));
  EXPECT_EQ(palette.get(), before);
}

// The BMP corpus: good files load silently and draw as their reference;
// questionable and bad ones load or are refused with one message, never crash.
class Corpus : public testing::Test {
 protected:
  std::string folder_ = e2e::EnvironmentPath("QUIL_BMPSUITE_DIR");
  MessageBoxReader boxes_;
  void TearDown() override { FreeAllImages(); }
};

// The reference pictures are made at build time where they are at hand; a
// comparison that cannot be made is reported as skipped, never as passed.
TEST_F(Corpus, EveryGoodFileLoadsWithoutAMessageAndDrawsAsItsReference) {
  const std::string refs = e2e::EnvironmentPath("QUIL_BMPSUITE_REF_PPM");
  const std::vector<std::string> good = support::FindNames(folder_ + "\\g\\*.bmp");
  ASSERT_EQ(good.size(), 27u);
  std::string missing;
  for (const std::string& name : good) {
    SCOPED_TRACE(name);
    ASSERT_EQ(ReadBMPFile(nullptr, (folder_ + "\\g\\" + name).c_str(), 1), 1);
    EXPECT_TRUE(boxes_.Take().empty());
    const std::string refPath = refs + "\\" + name + ".ppm";
    if (refs.empty() || GetFileAttributesA(refPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
      missing += " " + name + ".ppm";
      continue;
    }
    const std::optional<Reference> ref = ReadPpm(refPath);
    ASSERT_TRUE(ref) << "not a readable P6 picture: " << refPath;
    ASSERT_EQ(ImageWidth(1), ref->width);
    ASSERT_EQ(std::abs(ImageHeight(1)), ref->height);
    Canvas canvas(ref->width, ref->height);
    DrawImageStretched(canvas.dc(), 0, 0, ref->width, ref->height, 1);
    int worst = 0, wrongPixels = 0;
    for (int y = 0; y < ref->height; ++y) {
      for (int x = 0; x < ref->width; ++x) {
        const std::array<int, 3> got = canvas.At(x, y);
        int pixelWorst = 0;
        for (int c = 0; c < 3; ++c) {
          const int want =
              static_cast<unsigned char>(ref->rgb[(static_cast<std::size_t>(y) * ref->width + x) * 3 + c]);
          pixelWorst = std::max(pixelWorst, std::abs(got[c] - want));
        }
        worst = std::max(worst, pixelWorst);
        wrongPixels += pixelWorst > 8 ? 1 : 0;
      }
    }
    EXPECT_EQ(wrongPixels, 0) << "largest channel difference " << worst;
  }
  if (!missing.empty()) {
    GTEST_SKIP() << "no reference picture in \"" << refs << "\" (QUIL_BMPSUITE_REF_PPM) for:" << missing
                 << "; those files were not compared";
  }
}

TEST_F(Corpus, QuestionableAndBadFilesLoadOrAreRefusedWithOneMessage) {
  const Texts known = {"Bmp File Open Error", "Bmp File Header Read Error", "Bmp File Not Format",
                       "over Memory", "Bmp File Read Fail"};
  for (const char* kind : {"q", "b"}) {
    std::string accepted;
    int count = 0;
    for (const std::string& name : support::FindNames(folder_ + "\\" + kind + "\\*.bmp")) {
      SCOPED_TRACE(std::string(kind) + "/" + name);
      const int loaded = ReadBMPFile(nullptr, (folder_ + "\\" + kind + "\\" + name).c_str(), 2);
      const Texts shown = boxes_.Take();
      if (loaded == 1) {
        EXPECT_TRUE(shown.empty());
        accepted += " " + name;
        ++count;
        Canvas canvas(64, 64);
        DrawImageStretched(canvas.dc(), 0, 0, 64, 64, 2);  // must not crash
        CreateImageBitmap(2);
      } else {
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_NE(std::find(known.begin(), known.end(), shown[0]), known.end()) << shown[0];
        EXPECT_EQ(ImageBits(2), nullptr);
      }
    }
    std::printf("%s/ files accepted (%d):%s\n", kind, count, accepted.c_str());
  }
}

}  // namespace
