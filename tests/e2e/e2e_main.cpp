// Entry point of the end-to-end tests. With --screen=WxH the tests run again
// inside a Wine virtual desktop of that size, so the launcher sees a screen of
// that size; the result of that run is this run's result.
#include <windows.h>

#include <gtest/gtest.h>

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
      const std::string name = std::string("failed-") + test->test_suite_name() + "." + test->name() + "-" +
                               std::to_string(e2e::ScreenWidth()) + "x" + std::to_string(e2e::ScreenHeight());
      std::printf("screenshot: %s\n", e2e::SaveScreenshot(name).c_str());
    }
  }
  void OnTestStart(const testing::TestInfo&) override { saved_ = false; }
  bool saved_ = false;
};

int RunInVirtualDesktop(const std::string& size, int argc, char** argv) {
  const std::string desktop = "quil-e2e-" + size;
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Explorer\\Desktops", 0, nullptr, 0, KEY_SET_VALUE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    std::fprintf(stderr, "cannot set up the virtual desktop %s\n", size.c_str());
    return 2;
  }
  RegSetValueExA(key, desktop.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(size.c_str()),
                 static_cast<DWORD>(size.size() + 1));
  RegCloseKey(key);

  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string commandLine = std::string("\"") + self + "\"";
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]).rfind("--screen=", 0) != 0) {
      commandLine += std::string(" \"") + argv[i] + "\"";
    }
  }
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.lpDesktop = const_cast<char*>(desktop.c_str());
  PROCESS_INFORMATION created = {};
  if (!CreateProcessA(self, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &created)) {
    std::fprintf(stderr, "cannot start the tests in the virtual desktop (error %lu)\n", GetLastError());
    return 2;
  }
  WaitForSingleObject(created.hProcess, INFINITE);
  DWORD code = 2;
  GetExitCodeProcess(created.hProcess, &code);
  CloseHandle(created.hProcess);
  CloseHandle(created.hThread);
  return static_cast<int>(code);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument.rfind("--screen=", 0) == 0) {
      return RunInVirtualDesktop(argument.substr(9), argc, argv);
    }
  }
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new ScreenshotOnFailure);
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  return RUN_ALL_TESTS();
}
