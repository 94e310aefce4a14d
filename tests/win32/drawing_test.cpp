// What the launcher's drawing leaves in a surface, read back pixel by pixel:
// the menu pictures at their copy sizes, a dialog's picture stretched over
// its whole client area, and the colour indices that the
// pictures and the faces keep on an 8-bit surface with the game's palette.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/win/handles.h"
#include "media/image_store.h"
#include "ui/button_set.h"
#include "ui/picture_dialog.h"
#include "menus/menu_controller.h"
#include "resources/resource.h"
#include "tests/support/canvas.h"
#include "tests/win32/in_process.h"

namespace {

std::string Picture(const char* name) {
  return e2e::GameFolder() + "\\resource\\background\\" + name;
}

// An 8-bit DIB section with the given colour table, in a memory context of
// its own, filled with a sentinel index.
class Surface {
 public:
  Surface(int width, int height, const RGBQUAD* table)
      : stride_((width + 3) & ~3),
        dc_(CreateCompatibleDC(nullptr)),
        bitmap_(MakeSection(width, height, table, &bits_)),
        selected_(dc_.get(), bitmap_.get()) {
    if (bits_ != nullptr) {
      std::memset(bits_, 0xA5, static_cast<std::size_t>(stride_) * height);
    }
  }
  HDC dc() const { return dc_.get(); }
  const unsigned char* Row(int y) const {
    GdiFlush();
    return static_cast<const unsigned char*>(bits_) + static_cast<std::ptrdiff_t>(stride_) * y;
  }

 private:
  static HBITMAP MakeSection(int width, int height, const RGBQUAD* table, void** bits) {
    struct {
      BITMAPINFOHEADER header;
      RGBQUAD table[256];
    } info = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 8, BI_RGB, 0, 0, 0, 0, 0}, {}};  // top-down
    std::memcpy(info.table, table, sizeof info.table);
    return CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, bits, nullptr, 0);
  }

  int stride_;
  void* bits_ = nullptr;  // owned by bitmap_
  win::UniqueMemoryDc dc_;
  win::UniqueBitmap bitmap_;
  win::SelectGuard selected_;
};

// A whole BMP file: its colour table and its 8-bit pixel rows, top row first.
struct Bmp8 {
  RGBQUAD table[256] = {};
  int width = 0, height = 0;
  std::vector<unsigned char> indices;  // width * height
  DWORD Colour(int x, int y) const {
    const RGBQUAD& c = table[indices[static_cast<std::size_t>(y) * width + x]];
    return static_cast<DWORD>(c.rgbRed) << 16 | c.rgbGreen << 8 | c.rgbBlue;
  }
};

Bmp8 FromPackedDib(const unsigned char* dib) {
  Bmp8 bmp;
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(dib);
  bmp.width = header->biWidth;
  bmp.height = header->biHeight;
  std::memcpy(bmp.table, dib + header->biSize, sizeof bmp.table);
  const unsigned char* rows = dib + header->biSize + sizeof bmp.table;
  const int stride = (bmp.width + 3) & ~3;
  for (int y = 0; y < bmp.height; ++y) {
    const unsigned char* row = rows + static_cast<std::ptrdiff_t>(stride) * (bmp.height - 1 - y);
    bmp.indices.insert(bmp.indices.end(), row, row + bmp.width);
  }
  return bmp;
}

Bmp8 ReadBmp8(const std::string& path) {
  const std::string bytes = e2e::ReadFileBytes(path).value_or("");
  return FromPackedDib(reinterpret_cast<const unsigned char*>(bytes.data()) + 14);
}

TEST(MenuPictures, EachMenuCopiesItsPictureAtItsOwnSize) {
  ASSERT_EQ(ReadBMPFile(nullptr, Picture("MainBK.bmp").c_str(), image_slot::kMainMenu), 1);
  ASSERT_EQ(ReadBMPFile(nullptr, Picture("OptionBK.bmp").c_str(), image_slot::kOptionsMenu), 1);
  const RECT client = {0, 0, 638, 478};  // the stage's client area
  struct Case {
    const char* name;
    void (*draw)(HDC, const RECT&);
    const char* file;
    int copiedWidth, copiedHeight;
  } const cases[] = {
      {"main", DrawMainMenuBackground, "MainBK.bmp", 640, 480},  // the client area and two more
      {"options", DrawOptionsMenuBackground, "OptionBK.bmp", 638, 478},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    support::Canvas surface(700, 520);
    surface.Fill(0xA5A5A5A5);
    const std::uint32_t sentinel = surface.Pixel(0, 0);
    c.draw(surface.dc(), client);
    EXPECT_NE(surface.Pixel(c.copiedWidth - 1, c.copiedHeight - 1), sentinel);
    EXPECT_TRUE(surface.Pixel(c.copiedWidth, 10) == sentinel &&
                surface.Pixel(10, c.copiedHeight) == sentinel);
    if (e2e::ScreenDepth() > 8) {
      // The picture itself, pixel for pixel in sampled columns of every row.
      const Bmp8 picture = ReadBmp8(Picture(c.file));
      for (int y = 0; y < c.copiedHeight; ++y) {
        for (int x = 3; x < c.copiedWidth; x += 61) {
          ASSERT_EQ(surface.Pixel(x, y) & 0xFFFFFF, picture.Colour(x, y)) << x << ", " << y;
        }
      }
    }
  }
}

// A dialog's picture of another size than its client area is stretched over
// all of it, also where it is drawn through a memory bitmap first: row for
// row as the picture stretched straight over the client area.
TEST(DialogPictures, APictureOfAnotherSizeIsStretchedOverTheWholeClientArea) {
  const int slot = image_slot::kInputDialog;
  ASSERT_EQ(ReadBMPFile(nullptr, Picture("how1.bmp").c_str(), slot), 1);  // 280 x 340, the client 638 x 478
  support::Canvas expected(640, 480), drawn(640, 480);
  expected.Fill(0xA5A5A5A5);
  drawn.Fill(0xA5A5A5A5);
  DrawImageStretched(expected.dc(), 0, 0, 638, 478, slot);
  const PictureDialogLook look{.templateId = 0,
                               .backgroundSlot = slot,
                               .backgroundDrawing = BackgroundDrawing::kThroughMemoryBitmap,
                               .buttons = {}};
  ButtonSet none = MakeButtonSet({}, DialogButtonTraits("", ""));
  PictureDialog(look, none).Paint(nullptr, drawn.dc(), RECT{0, 0, 638, 478});
  int wrongRows = 0;
  for (int y = 0; y < 480; ++y) {
    wrongRows += !std::equal(drawn.bits() + y * 640, drawn.bits() + (y + 1) * 640, expected.bits() + y * 640);
  }
  EXPECT_EQ(wrongRows, 0);
  EXPECT_NE(expected.Pixel(637, 477), 0xA5A5A5A5u);
  EXPECT_EQ(expected.Pixel(638, 478), 0xA5A5A5A5u);
}

// On a 256-colour surface whose colour table is the game's, a picture drawn
// through the shared palette and a face drawn with its own palette keep the
// art's own colour indices.
using Palettes = WithShippedExecutable;

TEST_F(Palettes, PicturesAndFacesKeepTheirColourIndicesOnAn8BitSurface) {
  const Bmp8 menu = ReadBmp8(Picture("MainBK.bmp"));
  ASSERT_EQ(ReadBMPFile(nullptr, Picture("MainBK.bmp").c_str(), image_slot::kMainMenu), 1);
  Surface surface(640, 480, menu.table);
  DrawImageStretched(surface.dc(), 0, 0, 640, 480, image_slot::kMainMenu);
  int wrong = 0;
  for (int y = 0; y < 480; ++y) {
    wrong += std::memcmp(surface.Row(y), &menu.indices[static_cast<std::size_t>(y) * 640], 640) != 0;
  }
  EXPECT_EQ(wrong, 0) << "rows of the picture with other indices";

  static constexpr ButtonSpec kStart[] = {
      {BTN_START_GAME, {273, 86, 417, 171}, IDB_START_GAME, CMD_START_GAME}};
  ButtonSet set = MakeButtonSet(kStart, DialogButtonTraits("", ""));
  SetUpButtonSet(set, module_);
  const std::vector<unsigned char> faceDib = Resource(RT_BITMAP, IDB_START_GAME + 1);
  ASSERT_FALSE(faceDib.empty());
  const Bmp8 face = FromPackedDib(faceDib.data());
  ASSERT_EQ(std::memcmp(face.table, menu.table, sizeof face.table), 0) << "all the art shares one palette";
  DrawButtonFace(set, surface.dc(), BTN_START_GAME, kFaceNormal);
  // Near enough: the colour the nearest-colour match of a true-colour face
  // picks in the table, which holds a few near neighbours.
  constexpr int kNear = 24;
  int exact = 0;
  for (int y = 0; y < face.height; ++y) {
    for (int x = 0; x < face.width; ++x) {
      const RGBQUAD& shown = face.table[surface.Row(86 + y)[273 + x]];
      const RGBQUAD& art = face.table[face.indices[static_cast<std::size_t>(y) * face.width + x]];
      exact += std::abs(shown.rgbRed - art.rgbRed) + std::abs(shown.rgbGreen - art.rgbGreen) +
                   std::abs(shown.rgbBlue - art.rgbBlue) <=
               kNear;
    }
  }
  const int all = face.width * face.height;
  if (e2e::ScreenDepth() > 8) {
    EXPECT_EQ(exact, all);
  } else {
    // Wine makes every 8-bit device bitmap with a fixed colour table of its
    // own (the 20 static colours and a colour cube), whatever palette is
    // realized, so a face loses its exact colours before it is drawn. A
    // Windows palette display keeps the indices of the realized palette.
    std::printf("faces on this 256-colour display: %d of %d pixels keep their colour\n", exact, all);
  }
  ReleaseButtonSet(set);
}

}  // namespace
