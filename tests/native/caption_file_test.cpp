#include "ui/caption_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "common/bounded_text.h"

namespace {

using namespace std::string_literals;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

// Every text field and both sizes, in the file's key order, for comparing.
std::vector<std::string> Fields(const CaptionTexts& t) {
  const std::string height = std::to_string(t.fontHeight), width = std::to_string(t.fontWidth);
  return {t.faceName, height,     width,      t.audio[0],     t.audio[1],
          t.video[0], t.video[1], t.video[2], t.fileErrorText};
}

CaptionTexts Parsed(const std::string& bytes) {
  CaptionTexts texts;
  captions::ParseCaptionFile(bytes, texts);
  return texts;
}

TEST(CaptionFile, ReadsEveryKey) {
  const CaptionTexts t = Parsed(
      "FONT:\tArial\r\nFHeight:\t100\r\nFWidth:\t-80\r\na0:\tMusic\r\na1:\tSound\r\n"
      "v0:\tDriver\r\nv1:\tMode\r\nv2:\tLevel\r\nwm:\tCheck the folder.\r\n");
  EXPECT_EQ(Fields(t), (std::vector<std::string>{"Arial", "100", "-80", "Music", "Sound", "Driver", "Mode",
                                                 "Level", "Check the folder."}));
}

TEST(CaptionFile, WhereTheValueStartsAndEnds) {
  const std::tuple<const char*, std::string, const char*> cases[] = {
      // what, bytes, face
      {"one blank after the key", "FONT: Arial\r\n", "Arial"},
      {"blanks after the first belong to the value", "FONT:   Arial\r\n", "  Arial"},
      {"tabs after the key are skipped", "FONT:\t\t\tArial\r\n", "Arial"},
      {"a blank then tabs", "FONT: \t\tArial\r\n", "Arial"},
      {"a tab then blanks", "FONT:\t Arial\r\n", " Arial"},
      {"inner blanks stay", "FONT:\tTimes New Roman\r\n", "Times New Roman"},
      {"trailing blanks stay", "FONT:\tArial  \r\n", "Arial  "},
      {"blanks alone are a value", "FONT:  \r\n", " "},
      {"a tab ends the value", "FONT:\tArial\tBold\r\n", "Arial"},
      {"blanks and tabs before the key", " \t FONT:\tArial\r\n", "Arial"},
      {"no final line end", "FONT:\tArial", "Arial"},
      {"LF alone ends a line", "FONT:\tArial\nFONT:\tCourier\n", "Courier"},
      {"a lone CR belongs to the value", "FONT:\tArial\r\r\n", "Arial\r"},
      {"a NUL byte ends the line", "FONT:\tAri\0al\r\n"s, "Ari"},
      {"Ctrl-Z ends the file", "FONT:\tArial\r\n\x1A"s + "FONT:\tCourier\r\n", "Arial"},
      {"the key must be exact", "font:\tArial\r\nFONT\tCourier\r\nFONT:x\tTahoma\r\n", ""},
      {"the last line with the key wins", "FONT:\tArial\r\nFONT:\tCourier\r\n", "Courier"},
  };
  for (const auto& [what, bytes, face] : cases) {
    EXPECT_EQ(std::string(Parsed(bytes).faceName), face) << what;
  }
}

// Such lines change nothing: the store keeps what it held.
TEST(CaptionFile, LinesWithoutKeyOrValueAreSkipped) {
  const std::pair<const char*, std::string> cases[] = {
      {"an empty file", ""},
      {"empty and blank lines", "\r\n \t \r\n\r\n"},
      {"a key alone", "a0:\r\nwm:"},
      {"a key followed by tabs only", "a0:\t\t\r\nwm: \t"},
      {"unknown keys", "a2:\tx\r\nv3:\tx\r\nWM:\tx\r\nA0:\tx\r\nFONT :\tx\r\n"},
  };
  for (const auto& [what, bytes] : cases) {
    CaptionTexts t;
    text::CopyBounded(t.audio[0], "kept");
    text::CopyBounded(t.fileErrorText, "kept too");
    t.fontHeight = 7;
    captions::ParseCaptionFile(bytes, t);
    EXPECT_EQ(Fields(t), (std::vector<std::string>{"", "7", "0", "kept", "", "", "", "", "kept too"}))
        << what;
  }
}

TEST(CaptionFile, TheFaceNameIsEmptiedAtEveryReadTheRestKept) {
  CaptionTexts t = Parsed("FONT:\tArial\r\nv1:\tMode\r\n");
  captions::ParseCaptionFile("a0:\tMusic\r\n", t);
  EXPECT_EQ(Fields(t), (std::vector<std::string>{"", "0", "0", "Music", "", "", "Mode", "", ""}));
}

TEST(CaptionFile, SizesReadAsAtoi) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"100", 100}, {"  -90", -90},        {"+12x", 12},           {"abc", 0}, {"0x20", 0},
      {"1 2", 1},   {"99999999999", kMax}, {"-99999999999", kMin}, {"7\r", 7},
  };
  for (const auto& [value, expected] : cases) {
    const CaptionTexts t = Parsed("FHeight:\t"s + value + "\nFWidth:\t" + value + "\n");
    EXPECT_EQ(std::pair(t.fontHeight, t.fontWidth), std::pair(expected, expected)) << value;
  }
}

TEST(CaptionFile, LongValuesAreCutToTheirFields) {
  const std::string long60(60, 'x'), long120(120, 'y');
  const CaptionTexts t = Parsed("FONT:\t" + long60 + "\r\na0:\t" + long60 + "\r\nv2:\t" + long60 +
                                "\r\nwm:\t" + long120 + "\r\n");
  // A LOGFONT face name holds 31.
  EXPECT_EQ(Fields(t), (std::vector<std::string>{std::string(31, 'x'), "0", "0", std::string(49, 'x'), "", "",
                                                 "", std::string(49, 'x'), std::string(99, 'y')}));
}

// A line is read 255 characters at a time; what follows is a line of its own.
TEST(CaptionFile, TheRestOfALongLineReadsAsTheNextLine) {
  const std::string first = "a0:\t" + std::string(251, 'm');  // exactly 255 characters
  CaptionTexts t = Parsed(first + "v0:\tDriver\r\n");
  EXPECT_EQ(std::string(t.audio[0]), std::string(49, 'm'));
  EXPECT_STREQ(t.video[0], "Driver");

  t = Parsed(first + "\r\nv0:\tDriver\r\n");
  EXPECT_STREQ(t.video[0], "Driver") << "a line of exactly 255 leaves only its line end";
  t = Parsed("a0:\t" + std::string(252, 'm') + "v0:\tDriver\r\n");
  EXPECT_STREQ(t.video[0], "") << "the next piece begins with the text that did not fit";
}

TEST(CaptionFontSize, FontHeightsAt96Dpi) {
  const captions::FontResolution dpi96 = captions::ResolveFontResolution(true, {96, 96, 0, 0, 0, 0});
  const std::tuple<std::int32_t, std::int32_t, std::int32_t> cases[] = {
      // file height, device y, height
      {90, 126, -13}, {100, 140, -14}, {120, 166, -17}, {0, 6, -1}, {-5, 0, 0}, {-95, -120, -12},
  };
  for (const auto& [fileHeight, deviceY, height] : cases) {
    const std::int32_t drawn = captions::DrawnCaptionHeight(fileHeight);
    const captions::DevicePoint size = captions::CaptionFontDeviceSize(0, drawn, dpi96);
    EXPECT_EQ(std::make_pair(size.x, size.y), std::make_pair(0, deviceY)) << fileHeight;
    EXPECT_EQ(captions::CaptionFontHeight(size.y), height) << fileHeight;
  }
}

// The x resolution and the width product are single precision, the y side is
// double: near a whole number the two round differently. A screen without a
// size falls back to its logical resolution.
TEST(CaptionFontSize, TheResolutionOfEachAxisAndItsPrecision) {
  const captions::FontResolution dpi96 = captions::ResolveFontResolution(true, {96, 96, 0, 0, 0, 0});
  EXPECT_EQ(captions::CaptionFontDeviceSize(80, 0, dpi96).x, 106);
  EXPECT_EQ(captions::CaptionFontDeviceSize(-80, 0, dpi96).x, -106);
  EXPECT_EQ(captions::CaptionFontDeviceSize(72, 72, {72.0f, 72.0}).x, 72) << "k is a little over 1/72";

  // 640 pixels over 160 mm: 101.6 per inch. 90 x 101.6f x k is 126.99999904 in
  // double precision but rounds up to 127 in single.
  const captions::FontResolution x101 = captions::ResolveFontResolution(false, {96, 96, 640, 160, 480, 160});
  EXPECT_EQ(captions::CaptionFontDeviceSize(90, 0, x101).x, 127);
  // 480 pixels over 160 mm: 76.2. 360 x 76.2 x k is 381.0000028 in double
  // precision, 380.99998 in single.
  EXPECT_EQ(captions::CaptionFontDeviceSize(0, 360, x101).y, 381);

  const captions::FontResolution noSize = captions::ResolveFontResolution(false, {96, 120, 1024, 0, 768, 0});
  EXPECT_EQ(std::make_pair(noSize.x, noSize.y), std::make_pair(96.0f, 120.0));
}

TEST(CaptionFontSize, WidthFromTheAverageCharacter) {
  EXPECT_EQ(captions::CaptionFontWidth(106, 126, 7), 5);  // 742 / 126 = 5.9
  EXPECT_EQ(captions::CaptionFontWidth(-106, -126, 7), 5);
  EXPECT_EQ(captions::CaptionFontWidth(252, 126, 7), 14);
  EXPECT_EQ(captions::CaptionFontWidth(106, 0, 7), 0) << "no height: the natural width";
  EXPECT_EQ(captions::CaptionFontWidth(kMin, 1, 100), kMax);
}

TEST(CaptionFontSize, HugeSizesAreHeldInRange) {
  const captions::FontResolution dpi96{96.0f, 96.0};
  EXPECT_EQ(captions::DrawnCaptionHeight(kMax), kMax);
  EXPECT_EQ(captions::DrawnCaptionHeight(kMin), kMin + 5);
  EXPECT_EQ(captions::CaptionFontDeviceSize(kMax, kMax, dpi96).x, kMax);
  EXPECT_EQ(captions::CaptionFontDeviceSize(kMin, kMin, dpi96).y, kMin);
  EXPECT_EQ(captions::CaptionFontHeight(kMin), -214748365);
}

TEST(CaptionFile, TheShippedFileFitsTheLauncher) {
  std::ifstream in(std::string(QUIL_DATA_DIR) + "/info/String.dat", std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  const std::string file = bytes.str();
  ASSERT_FALSE(file.empty());
  for (std::size_t i = 0; i < file.size(); ++i) {
    EXPECT_EQ(file[i] == '\n', i > 0 && file[i - 1] == '\r') << "CR LF line ends, at " << i;
  }
  const CaptionTexts t = Parsed(file);
  for (const char* field : {t.faceName, t.audio[0], t.audio[1], t.video[0], t.video[1], t.video[2]}) {
    EXPECT_GT(std::string(field).size(), 2u) << "every caption is set";
    EXPECT_NE(file.find(field), std::string::npos) << field << " is whole, not cut";
  }
  EXPECT_TRUE(t.fontHeight >= 80 && t.fontHeight <= 120) << t.fontHeight;
  EXPECT_EQ(t.fontWidth, 0);
  EXPECT_GT(std::string(t.fileErrorText).size(), 20u);
  EXPECT_NE(file.find(std::string(t.fileErrorText) + "\r\n"), std::string::npos)
      << "the text is whole, not cut";
}

}  // namespace
