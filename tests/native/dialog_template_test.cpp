#include "ui/dialog_template.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using dialog_template::Box;

// Template bytes as a resource compiler lays them out.
struct Bytes {
  std::vector<unsigned char> data;
  Bytes& W(std::uint16_t v) {
    data.insert(data.end(), {static_cast<unsigned char>(v & 0xFF), static_cast<unsigned char>(v >> 8)});
    return *this;
  }
  Bytes& D(std::uint32_t v) { return W(v & 0xFFFF).W(static_cast<std::uint16_t>(v >> 16)); }
  Bytes& B(Box b) { return W(b.x).W(b.y).W(b.width).W(b.height); }
  Bytes& S(const std::string& text) {
    for (char c : text) {
      W(static_cast<unsigned char>(c));
    }
    return W(0);
  }
  Bytes& Align() {
    data.resize((data.size() + 3) & ~std::size_t{3});
    return *this;
  }
};

constexpr std::uint32_t kPopUpWithFont = 0x80000040u;

// Both forms, each with a font block, a control named by class ordinal and
// one by class name with text and creation data (three bytes, so the next
// control needs the alignment). The extended form's font block ends with its
// italic and character-set bytes, as one little-endian word here.
Bytes Template(bool extended, std::uint16_t italicAndCharset = 0x0100) {
  Bytes b;
  if (extended) {
    b.W(1).W(0xFFFF).D(0).D(0).D(kPopUpWithFont).W(2).B({144, 31, 140, 176}).W(0).W(0).S("");
    b.W(10).W(400).W(italicAndCharset).S("System");
    b.Align().D(0).D(0).D(0x50000000u).B({12, 35, 116, 11}).D(0x10408).W(0xFFFF).W(0x84).S("").W(0);
    b.Align().D(0).D(0x20000).D(0x50800800u).B({-3, 76, 38, 13}).D(1035).S("Edit").S("Up").W(3).W(1).W(2);
  } else {
    b.D(kPopUpWithFont).D(0).W(2).B({144, 31, 140, 176}).W(0xFFFF).W(100).S("Quil").S("Keys");
    b.W(8).S("MS Sans Serif");
    b.Align().D(0x50000000u).D(0).B({12, 35, 116, 11}).W(0x0408).W(0xFFFF).W(0x84).S("").W(0);
    b.Align().D(0x50800800u).D(0).B({-3, 76, 38, 13}).W(1035).S("Edit").S("Up").W(3).W(1).W(2);
  }
  b.data.pop_back();  // the creation data's third byte
  return b;
}

TEST(DialogTemplate, ReadsBothFormsControlByControl) {
  const struct {
    bool extended;
    std::uint16_t italicAndCharset;
  } forms[] = {
      {true, 0x0100},  // not italic, DEFAULT_CHARSET, as the resource compiler writes it
      {true, 0x0000},  // not italic, ANSI_CHARSET: two zero bytes before the typeface
      {false, 0},
  };
  for (const auto& [extended, italicAndCharset] : forms) {
    const auto parsed = dialog_template::Parse(Template(extended, italicAndCharset).data);
    ASSERT_TRUE(parsed) << "extended: " << extended << ", italic and character set: " << italicAndCharset;
    EXPECT_EQ(parsed->style, kPopUpWithFont);
    EXPECT_EQ(parsed->box, (Box{144, 31, 140, 176}));
    ASSERT_EQ(parsed->controls.size(), 2u);
    EXPECT_EQ(parsed->controls[0].id, extended ? 0x10408u : 0x0408u);
    EXPECT_EQ(parsed->controls[0].box, (Box{12, 35, 116, 11}));
    EXPECT_EQ(parsed->controls[1].id, 1035u);
    EXPECT_EQ(parsed->controls[1].box, (Box{-3, 76, 38, 13}));
  }
}

TEST(DialogTemplate, RefusesATemplateCutShortAnywhereOrClaimingMoreThanItHolds) {
  const Bytes whole = Template(true);
  for (std::size_t size = 0; size < whole.data.size(); ++size) {
    const std::vector<unsigned char> cut(whole.data.begin(), whole.data.begin() + static_cast<long>(size));
    EXPECT_FALSE(dialog_template::Parse(cut)) << size << " of " << whole.data.size() << " bytes";
  }
  Bytes more = whole;
  more.data[16] = 3;  // three controls, two given
  EXPECT_FALSE(dialog_template::Parse(more.data));
}

}  // namespace
