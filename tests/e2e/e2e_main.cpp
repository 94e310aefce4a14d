// Entry point of the end-to-end tests: GoogleTest, with a screenshot saved the
// moment a test first fails.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/e2e/driver/driver.h"

namespace {

// Saves a picture of the screen the moment a test first fails.
class ScreenshotOnFailure : public testing::EmptyTestEventListener {
  void OnTestPartResult(const testing::TestPartResult& result) override {
    if (!result.failed() || saved_) {
      return;
    }
    saved_ = true;
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    if (test != nullptr) {
      std::string name = std::string("failed-") + test->test_suite_name() + "." + test->name() + "-" +
                         std::to_string(e2e::ScreenWidth()) + "x" + std::to_string(e2e::ScreenHeight());
      std::replace(name.begin(), name.end(), '/', '-');  // parameterized tests' names hold slashes
      std::printf("screenshot: %s\n", e2e::SaveScreenshot(name).c_str());
    }
  }
  void OnTestStart(const testing::TestInfo&) override { saved_ = false; }
  bool saved_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new ScreenshotOnFailure);
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  return RUN_ALL_TESTS();
}
