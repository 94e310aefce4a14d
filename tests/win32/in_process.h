// What the in-process tests share: the shipped launcher loaded as data, a
// temporary game folder that is the current folder for one test, and this
// thread's queued messages handled.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/win/instance.h"
#include "tests/e2e/driver/driver.h"
#include "tests/support/files.h"
#include "tests/support/owners.h"

// The assembled game folder's launcher, read as data.
inline std::string ShippedExecutablePath() {
  return e2e::GameFolder() + "\\Quil3D.exe";
}

// Handles every message queued for this thread, paints included.
inline void HandleQueuedMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    DispatchMessageA(&message);
  }
}

// The shipped Quil3D.exe loaded as data, for the tests that read its resources.
class WithShippedExecutable : public testing::Test {
 protected:
  void SetUp() override {
    loaded_.reset(LoadLibraryExA(ShippedExecutablePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    module_ = loaded_.get();
    ASSERT_NE(module_, nullptr) << ShippedExecutablePath();
  }
  // The bytes of one of its resources; none when it has no such resource.
  std::vector<unsigned char> Resource(LPCSTR type, int id) const {
    const std::span<const unsigned char> bytes = win::ResourceBytes(module_, type, id);
    return {bytes.begin(), bytes.end()};
  }
  support::UniqueModule loaded_;
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

  std::string Full(const std::string& relative) const { return folder_ + "\\" + relative; }

  std::string folder_;
  char previous_[MAX_PATH] = {};
};
