#include "common/text_mode.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "common/bounded_text.h"

namespace {

using namespace std::string_literals;

TEST(TextMode, DecodingTurnsCrLfIntoLfAndStopsAtCtrlZ) {
  EXPECT_EQ(text::DecodeTextMode("a\r\nb\r\n"), "a\nb\n");
  EXPECT_EQ(text::DecodeTextMode("a\rb"), "a\rb");        // a lone CR stays
  EXPECT_EQ(text::DecodeTextMode("a\r\r\nb"), "a\r\nb");  // only the CR before LF goes
  EXPECT_EQ(text::DecodeTextMode("a\n\rb\r"), "a\n\rb\r");
  EXPECT_EQ(text::DecodeTextMode("ab\x1A"s + "cd\r\n"), "ab");
  EXPECT_EQ(text::DecodeTextMode("a\0b\r\n"s), "a\0b\n"s);
  EXPECT_EQ(text::DecodeTextMode(""), "");
}

TEST(TextMode, EncodingWritesCrLfForEveryLf) {
  EXPECT_EQ(text::EncodeTextMode("1\n"), "1\r\n");
  EXPECT_EQ(text::EncodeTextMode("\n\n"), "\r\n\r\n");
  EXPECT_EQ(text::EncodeTextMode("no end"), "no end");
  EXPECT_EQ(text::DecodeTextMode(text::EncodeTextMode("x\ny\n")), "x\ny\n");
}

// A failed number keeps the value and the text after it.
TEST(Scanner, ANumberTakesTheSpaceAroundItOnly) {
  text::Scanner scanner("  -12 \n\n\t34\nrest"), word("  abc\n");
  std::int32_t value = 0;
  ASSERT_TRUE(scanner.ScanIntLine(value));
  EXPECT_EQ(value, -12);
  ASSERT_TRUE(scanner.ScanIntLine(value));
  EXPECT_EQ(value, 34);
  EXPECT_FALSE(scanner.ScanIntLine(value));
  EXPECT_EQ(value, 34);
  std::string line;
  ASSERT_TRUE(scanner.ReadLine(line));
  EXPECT_EQ(line, "rest");
  EXPECT_FALSE(word.ScanInt(value));
  EXPECT_EQ(value, 34);
  ASSERT_TRUE(word.ReadLine(line));
  EXPECT_EQ(line, "abc\n");
}

// A line is read at most 255 characters at a time; a last line needs no end.
TEST(Scanner, ReadLineTakesAtMost255CharactersAtATime) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      // the text, the pieces read
      {std::string(300, 'x') + "\nnext\n", {std::string(255, 'x'), std::string(45, 'x') + "\n", "next\n"}},
      {"a\nb", {"a\n", "b"}},
      {"", {}},
  };
  for (const auto& [input, expected] : cases) {
    text::Scanner scanner(input);
    std::vector<std::string> pieces;
    for (std::string piece; scanner.ReadLine(piece);) {
      pieces.push_back(piece);
    }
    EXPECT_EQ(pieces, expected) << input.substr(0, 8);
    EXPECT_TRUE(scanner.AtEnd());
  }
}

TEST(FirstToken, SkipsLeadingSeparatorsAndEndsAtTheNextOne) {
  // The line, its separators, the token and where it ends.
  const std::tuple<const char*, const char*, const char*, std::size_t> cases[] = {
      {" \t key 12\n", " \t", "key", 6},
      {"key\n", " \t", "key\n", 4},  // a line end not listed belongs to the token
      {"key\n", " \t\n", "key", 3},
      {"  a b\tc", "\t\n", "  a b", 5},  // blanks not listed belong to it too
      {"\t \n", " \t\n", "", 3},
      {"", " \t", "", 0},
      {"word", " \t", "word", 4},
  };
  for (const auto& [line, separators, text, end] : cases) {
    const text::Token token = text::FirstToken(line, separators);
    EXPECT_EQ(token.text, text) << line;
    EXPECT_EQ(token.end, end) << line;
  }
}

TEST(ParseLeadingInt, ConvertsLikeAtoi) {
  const std::pair<const char*, std::int32_t> cases[] = {{"42", 42},
                                                        {"  \t-7x", -7},
                                                        {"+3", 3},
                                                        {"abc", 0},
                                                        {"", 0},
                                                        {"0x1F", 0},
                                                        {"- 5", 0},
                                                        {"2147483648", INT32_MAX},
                                                        {"-2147483649", INT32_MIN},
                                                        {"007", 7}};
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(text::ParseLeadingInt(text), value) << text;
  }
}

TEST(BoundedText, CopiesAreCutToFitAndTerminated) {
  char field[8];
  std::fill(std::begin(field), std::end(field), '#');
  EXPECT_EQ(text::CopyBounded(field, "abcdefghijkl"), 7u);
  EXPECT_STREQ(field, "abcdefg");
  EXPECT_EQ(text::CopyBounded(field, "ab\0cd"s), 2u);
  EXPECT_STREQ(field, "ab");
  EXPECT_EQ(text::CopyBounded(field, ""), 0u);
  EXPECT_STREQ(field, "");

  char sentinel[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(text::CopyBounded(sentinel, 0, "abc"), 0u);
  EXPECT_EQ(sentinel[0], 'x');  // no room: nothing written at all
}

// A message naming a path keeps its beginning and ending whole; the path
// gives way in its middle, and only as far as it must.
TEST(BoundedText, AMessageNamingAPathShortensThePathInItsMiddle) {
  const std::string path = "C:\\Games\\Quil3D\\Driver\\Velox\\Glu32.dll";
  const std::tuple<std::size_t, std::string, std::string> cases[] = {
      // capacity, path, shown
      {67, path, path},  // 11 + 38 + 17 characters: fits
      {66, path, "C:\\Games\\...\\Driver\\Velox\\Glu32.dll"},
      {45, path, "...\\Glu32.dll"},
      {38, path, "...32.dll"},
      {63, "\\\\server\\share\\Quil3D\\Driver\\Velox\\Glu32.dll", "\\\\server\\share\\...\\Velox\\Glu32.dll"},
  };
  for (const auto& [capacity, named, shown] : cases) {
    EXPECT_EQ(text::NamingPath("Not found:\n", named, "\nNothing changed.", capacity),
              "Not found:\n" + shown + "\nNothing changed.")
        << capacity;
  }
  EXPECT_EQ(text::NamingPath("Not found:\n", path, "\nNothing changed.", 31),
            "Not found:\nC:\\Games\\Quil3D\\Dri")
      << "no room for the gap: cut at the end";
}

}  // namespace
