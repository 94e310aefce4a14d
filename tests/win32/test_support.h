// What the in-process tests share: paths from the test environment, and a
// temporary game folder that is the current folder for one test.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "tests/support/files.h"

// A Windows path for a path given in the test environment (Unix paths are on Z:).
inline std::string EnvPath(const char* name) {
  const char* value = std::getenv(name);
  std::string path = value != nullptr ? value : "";
  std::replace(path.begin(), path.end(), '/', '\\');
  if (!path.empty() && path[0] == '\\') {
    path.insert(0, "Z:");
  }
  return path;
}

// The assembled game folder's launcher, read as data.
inline std::string ShippedExecutablePath() {
  return EnvPath("QUIL_GAME_DIR") + "\\Quil3D.exe";
}

// The shipped Quil3D.exe loaded as data, for the tests that read its resources.
class WithShippedExecutable : public testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExA(ShippedExecutablePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr) << ShippedExecutablePath();
  }
  void TearDown() override {
    if (module_ != nullptr) {
      FreeLibrary(module_);
    }
  }
  HMODULE module_ = nullptr;
};

// A fresh temporary folder holding an empty "info" folder, made the current
// folder for one test and removed after it.
class InTemporaryFolder : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    folder_ = std::string(temp) + "quil-test-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(++counter);
    support::RemoveTree(folder_);
    CreateDirectoryA(folder_.c_str(), nullptr);
    CreateDirectoryA((folder_ + "\\info").c_str(), nullptr);
    GetCurrentDirectoryA(MAX_PATH, previous_);
    SetCurrentDirectoryA(folder_.c_str());
  }
  void TearDown() override {
    SetCurrentDirectoryA(previous_);
    support::RemoveTree(folder_);
  }

  // The full path of a path relative to the folder.
  std::string Full(const std::string& relative) const { return folder_ + "\\" + relative; }

  std::string folder_;
  char previous_[MAX_PATH] = {};
};
