#include "menus/dialog_template.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using dialog_template::Box;

constexpr std::uint32_t kSetFont = 0x40;
constexpr std::uint32_t kPopUpWithFont = 0x80000000u | kSetFont;

// Template bytes as a resource compiler lays them out.
struct Bytes {
  std::vector<unsigned char> data;

  Bytes& Word(std::uint16_t value) {
    data.push_back(static_cast<unsigned char>(value & 0xFF));
    data.push_back(static_cast<unsigned char>(value >> 8));
    return *this;
  }
  Bytes& Dword(std::uint32_t value) {
    return Word(value & 0xFFFF).Word(static_cast<std::uint16_t>(value >> 16));
  }
  Bytes& Boxed(Box box) {
    for (std::int32_t value : {box.x, box.y, box.width, box.height}) {
      Word(static_cast<std::uint16_t>(value));
    }
    return *this;
  }
  Bytes& Text(const std::string& text) {
    for (char c : text) {
      Word(static_cast<unsigned char>(c));
    }
    return Word(0);
  }
  Bytes& Ordinal(std::uint16_t value) { return Word(0xFFFF).Word(value); }
  Bytes& Align() {
    while (data.size() % 4 != 0) {
      data.push_back(0);
    }
    return *this;
  }
};

// An extended template as the launcher's resource script makes them: a font
// block, controls named by class ordinal and by class name, with and
// without text, one with creation data.
Bytes ExtendedTemplate() {
  Bytes b;
  b.Word(1)
      .Word(0xFFFF)
      .Dword(0)
      .Dword(0)
      .Dword(kPopUpWithFont | 0x00800000u)
      .Word(3)
      .Boxed({144, 31, 140, 176});
  b.Word(0).Word(0).Text("");                        // no menu, the dialog class, no caption
  b.Word(10).Word(400).Word(0x0100).Text("System");  // size, weight, italic and character set, face
  b.Align().Dword(0).Dword(0).Dword(0x50000000u).Boxed({12, 35, 116, 11}).Dword(1032);
  b.Ordinal(0x84).Text("").Word(0);  // a scroll bar
  b.Align().Dword(0).Dword(0x20000).Dword(0x50800800u).Boxed({-3, 76, 38, 13}).Dword(0x10000 + 1035);
  b.Text("Edit").Text("Up").Word(3).Word(0xABCD).data.push_back(0xEF);  // three bytes of creation data
  b.Align().Dword(0).Dword(0).Dword(0x50000003u).Boxed({9, 10, 20, 20}).Dword(0xFFFFFFFFu);
  b.Ordinal(0x82).Ordinal(287).Word(0);  // an icon named by number
  return b;
}

void ExpectBoxes(const dialog_template::Template& parsed, Box dialog, const std::vector<std::uint32_t>& ids,
                 const std::vector<Box>& boxes) {
  EXPECT_EQ(parsed.box, dialog);
  ASSERT_EQ(parsed.controls.size(), ids.size());
  for (std::size_t i = 0; i < ids.size(); ++i) {
    EXPECT_EQ(parsed.controls[i].id, ids[i]) << "control " << i;
    EXPECT_EQ(parsed.controls[i].box, boxes[i]) << "control " << i;
  }
}

TEST(DialogTemplate, ReadsTheExtendedFormWithItsFontAndEveryKindOfControl) {
  const Bytes b = ExtendedTemplate();
  const auto parsed = dialog_template::Parse(b.data);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->style, kPopUpWithFont | 0x00800000u);
  ExpectBoxes(*parsed, {144, 31, 140, 176}, {1032, 0x10000 + 1035, 0xFFFFFFFFu},
              {{12, 35, 116, 11}, {-3, 76, 38, 13}, {9, 10, 20, 20}});
}

TEST(DialogTemplate, ReadsThePlainFormWithAndWithoutAFont) {
  for (const bool withFont : {true, false}) {
    Bytes b;
    const std::uint32_t style = withFont ? kPopUpWithFont : 0x80000000u;
    b.Dword(style).Dword(0).Word(2).Boxed({0, 0, 319, 239});
    b.Ordinal(100).Text("Quil").Text("Keys");  // a menu, a class and a caption, all given
    if (withFont) {
      b.Word(8).Text("MS Sans Serif");
    }
    b.Align().Dword(0x50010000u).Dword(0).Boxed({4, 7, 43, 14}).Word(2).Ordinal(0x80).Text("Cancel").Word(0);
    b.Align().Dword(0x50000000u).Dword(0).Boxed({89, 37, 38, 13}).Word(1035).Ordinal(0x81).Word(0).Word(0);
    const auto parsed = dialog_template::Parse(b.data);
    ASSERT_TRUE(parsed) << "with a font: " << withFont;
    EXPECT_EQ(parsed->style, style);
    ExpectBoxes(*parsed, {0, 0, 319, 239}, {2, 1035}, {{4, 7, 43, 14}, {89, 37, 38, 13}});
  }
}

TEST(DialogTemplate, RefusesATemplateCutShortAnywhere) {
  const Bytes whole = ExtendedTemplate();
  // The last control's creation-data size is its last field.
  for (std::size_t size = 0; size < whole.data.size(); ++size) {
    const std::vector<unsigned char> cut(whole.data.begin(), whole.data.begin() + static_cast<long>(size));
    EXPECT_FALSE(dialog_template::Parse(cut)) << size << " of " << whole.data.size() << " bytes";
  }
  // A string that never ends, and creation data longer than what is left.
  Bytes endless;
  endless.Word(1)
      .Word(0xFFFF)
      .Dword(0)
      .Dword(0)
      .Dword(0x80000000u)
      .Word(0)
      .Boxed({0, 0, 10, 10})
      .Word(0)
      .Word(0);
  endless.Word('A').Word('B');
  EXPECT_FALSE(dialog_template::Parse(endless.data));
  Bytes overlong = ExtendedTemplate();
  overlong.data.resize(overlong.data.size() - 2);
  overlong.Word(400);
  EXPECT_FALSE(dialog_template::Parse(overlong.data));
}

TEST(DialogTemplate, FixedPixelsAreTwoAUnitBothWays) {
  EXPECT_EQ(dialog_template::InFixedPixels({144, 31, 140, 176}), (Box{288, 62, 280, 352}));
  EXPECT_EQ(dialog_template::InFixedPixels({-3, 0, 319, 239}), (Box{-6, 0, 638, 478}));
}

}  // namespace
