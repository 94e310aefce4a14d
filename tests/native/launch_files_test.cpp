#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "services/browser_parameter.h"
#include "launch/game_mode.h"
#include "launch/proc_log.h"

namespace {

using namespace std::string_literals;

TEST(Browser, APathWithABlankIsHandedOverAsOneQuotedParameter) {
  const std::pair<const char*, const char*> cases[] = {
      // target, parameter
      {"C:\\Games\\Quil3D\\Homepage\\default.html", "C:\\Games\\Quil3D\\Homepage\\default.html"},
      {"C:\\Program Files\\Quil3D\\Homepage\\default.html",
       "\"C:\\Program Files\\Quil3D\\Homepage\\default.html\""},
      {"www.example.com/quil3d/drivers/index.html", "www.example.com/quil3d/drivers/index.html"},
      {"", ""},
  };
  for (const auto& [target, parameter] : cases) {
    EXPECT_EQ(web::BrowserParameter(target), parameter);
  }
}

TEST(GameMode, TimeStampsAndTheFile) {
  const std::tuple<int, int, int, int, const char*> cases[] = {
      // month, day, hour, minute, stamp
      {12, 31, 23, 59, "12::31::23::59"},
      {1, 1, 0, 0, "1::1::0::0"},
      {3, 9, 14, 5, "3::9::14::5"},
  };
  for (const auto& [month, day, hour, minute, expected] : cases) {
    launch::TimeStamp stamp;
    std::fill(std::begin(stamp.text), std::end(stamp.text), '#');
    launch::MakeTimeStamp(month, day, hour, minute, stamp);
    EXPECT_STREQ(stamp.text, expected);
    EXPECT_EQ(stamp.text[launch::kTimeStampSize - 1], '\0') << "the rest of the buffer is cleared";
    EXPECT_EQ(launch::FormatGameModeFile(0, stamp), "0\r\n"s + expected + "\r\n");
  }
}

TEST(ProcLog, StatusCases) {
  using Status = launch::ProcLogStatus;
  const std::pair<std::string, Status> cases[] = {
      {"0\r\n", Status::kNothingToReport},
      {"1 Direct3D init failed\r\n", Status::kCardFailed},
      {"7\r\n1\r\n", Status::kCardFailed},
      {"7\r\n0\r\n", Status::kNothingToReport},
      {"error 1\r\n", Status::kNothingToReport},  // a word counts as 0
      {"\t  1\r\n", Status::kCardFailed},
      {"+1\r\n", Status::kCardFailed},
      {"1x\r\n", Status::kCardFailed},
      {"-1\r\n10\r\n0x1\r\n", Status::kNothingToReport},
      {"4294967297\r\n", Status::kNoDecision},  // held at the 32-bit limit
      {"", Status::kNoDecision},
      {"7\r\n7", Status::kNoDecision},
      {"\r\n  \t\r\n7\r\n", Status::kNoDecision},  // lines without a token decide nothing
      {"\r\n \r\n1", Status::kCardFailed},
      {"7\r1\r\n", Status::kNoDecision},  // a lone CR does not end the line
      {"7\x1A\r\n1\r\n", Status::kNoDecision},
      {"\0"
       "1\r\n1\r\n"s,
       Status::kCardFailed},                                   // nothing before the NUL byte
      {std::string(255, '7') + "1\r\n", Status::kCardFailed},  // the rest of a long line is a line
  };
  for (const auto& [bytes, status] : cases) {
    EXPECT_EQ(launch::ScanProcLog(bytes), status) << bytes;
  }
  EXPECT_LT(std::string(launch::kCardFailureReport).size(), launch::kReportTextSize);
}

}  // namespace
