// What the tests that work the launcher's screens share: a fresh game folder,
// the launcher started in it with its stage in front, and a clean close.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "tests/e2e/driver/driver.h"

class OnTheStage : public testing::Test {
 protected:
  // Starts the launcher with the pointer parked away from every button.
  void StartLauncher() {
    e2e::MoveMouseTo(2, 2);
    launcher_ = std::make_unique<e2e::Launcher>(game_);
    stage_ = launcher_->WaitForStage();
    ASSERT_TRUE(stage_);
    ASSERT_TRUE(e2e::BringToFront(stage_->handle));
    Sleep(300);
  }
  void TearDown() override {
    if (launcher_ && launcher_->Running() && stage_) {
      e2e::CloseWithAltF4(stage_->handle);
      EXPECT_EQ(launcher_->WaitForExit(), 0u);
    }
  }
  void ClickOnStage(int x, int y) {
    const POINT at = e2e::ClientToScreenPoint(stage_->handle, x, y);
    e2e::LeftClickAt(at.x, at.y);
  }
  // A dialog of the launcher that holds the control `id`.
  std::optional<e2e::WindowFacts> WaitForDialogWith(
      int id, std::chrono::milliseconds timeout = std::chrono::milliseconds(15000)) {
    return launcher_->WaitForWindow(
        [id](const e2e::WindowFacts& w) {
          return w.className == "#32770" && GetDlgItem(w.handle, id) != nullptr;
        },
        timeout);
  }

  e2e::GameCopy game_;
  std::unique_ptr<e2e::Launcher> launcher_;
  std::optional<e2e::WindowFacts> stage_;
};
