// The launcher's identifiers share one numeric range: a value given twice
// would make one dialog's button answer for another's, or load the wrong face.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

struct Define {
  std::string name;
  int value;
};

std::vector<Define> ReadDefines() {
  std::ifstream file(QUIL_SOURCE_DIR "/resources/resource.h");
  std::vector<Define> defines;
  const std::regex line(R"(^#define\s+(\w+)\s+(\d+)\s*$)");
  std::string text;
  std::smatch match;
  while (std::getline(file, text)) {
    if (std::regex_match(text, match, line)) {
      defines.push_back({match[1], std::stoi(match[2])});
    }
  }
  return defines;
}

TEST(ResourceIds, NoValueIsGivenTwiceAndNoFaceTripleOverlapsAnotherResource) {
  const std::vector<Define> defines = ReadDefines();
  ASSERT_GT(defines.size(), 50u);

  // The video dialog and the how-to-play viewer number their buttons alike,
  // and the file-error dialog and the after-game report their OK buttons.
  const std::set<std::set<std::string>> sharedOnPurpose = {{"BTN_VIDEO_DONE", "BTN_PREVIOUS_PAGE"},
                                                           {"BTN_VIDEO_DEFAULT", "BTN_NEXT_PAGE"},
                                                           {"IDC_FILE_ERROR_OK", "IDC_REPORT_OK"}};
  std::map<int, std::set<std::string>> byValue;
  std::set<std::string> names;
  for (const Define& define : defines) {
    EXPECT_TRUE(names.insert(define.name).second) << define.name << " is defined twice";
    // A face identifier n stands for three bitmaps: n, n + 1 and n + 2.
    const int span = define.name.rfind("IDB_", 0) == 0 ? 3 : 1;
    for (int value = define.value; value < define.value + span; ++value) {
      byValue[value].insert(define.name);
    }
  }
  for (const auto& [value, holders] : byValue) {
    if (holders.size() > 1) {
      EXPECT_TRUE(sharedOnPurpose.count(holders) == 1)
          << value << " is given to " << *holders.begin() << " and " << *holders.rbegin();
    }
  }
}

}  // namespace
