#include "services/first_run_format.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using namespace std::string_literals;

struct FlagCase {
  std::string bytes;
  bool read;
  std::int32_t expected;  // the flag after reading, starting from 99
};

// A file without a number leaves the flag as it was.
TEST(FirstRunFlagFile, ReadsAsTheRuntimeScansIt) {
  const FlagCase cases[] = {
      {"1\r\n", true, 1},
      {"0\r\n", true, 0},
      {"", false, 99},
      {"abc", false, 99},
      {"not a number\r\n", false, 99},
      {"  7", true, 7},
      {"\r\n\r\n\t 12\r\n", true, 12},
      {"-3\r\n", true, -3},
      {"+5", true, 5},
      {"1 2 3", true, 1},
      {"12abc", true, 12},
      {"- 4", false, 99},
      {"0x10", true, 0},
      {"99999999999", true, INT_MAX},
      {"-99999999999", true, INT_MIN},
      {"\x1A"s + "1\r\n", false, 99},  // Ctrl-Z ends a text-mode stream
      {"1\x1A"s + "9", true, 1},
      {"\0"s + "1", false, 99},
  };
  for (const FlagCase& c : cases) {
    std::int32_t flag = 99;
    EXPECT_EQ(services::ParseFirstRunFlag(c.bytes, flag), c.read) << '"' << c.bytes << '"';
    EXPECT_EQ(flag, c.expected) << '"' << c.bytes << '"';
  }
}

TEST(FirstRunFlagFile, WritesTheNumberAndACrLfThatReadsBack) {
  EXPECT_EQ(services::FormatFirstRunFlag(0), "0\r\n");
  EXPECT_EQ(services::FormatFirstRunFlag(1), "1\r\n");
  EXPECT_EQ(services::FormatFirstRunFlag(-42), "-42\r\n");
  EXPECT_EQ(services::FormatFirstRunFlag(INT_MIN), "-2147483648\r\n");
  for (const std::int32_t value : {0, 1, 7, -1, INT_MAX, INT_MIN}) {
    std::int32_t flag = 12345;
    ASSERT_TRUE(services::ParseFirstRunFlag(services::FormatFirstRunFlag(value), flag));
    EXPECT_EQ(flag, value);
  }
}

}  // namespace
