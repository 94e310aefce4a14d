// What the tests that work the launcher's screens share: a fresh game folder,
// the launcher started in it with its stage in front, a clean close, and the
// steps and readings that several screens' tests take.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "tests/e2e/driver/driver.h"

// Readings of a dialog's standard controls, from outside.
inline int ScrollPosition(HWND dialog, int barId) {
  return static_cast<int>(SendMessageA(GetDlgItem(dialog, barId), SBM_GETPOS, 0, 0));
}
inline int ComboSelection(HWND dialog, int comboId) {
  return static_cast<int>(SendMessageA(GetDlgItem(dialog, comboId), CB_GETCURSEL, 0, 0));
}
inline int ComboCount(HWND dialog, int comboId) {
  return static_cast<int>(SendMessageA(GetDlgItem(dialog, comboId), CB_GETCOUNT, 0, 0));
}

// The file-error dialog (the launcher's dialog with the path text 1069), once
// shown; it may stand over the settings dialog whose file failed.
inline std::optional<e2e::WindowFacts> WaitForFileErrorDialog(const e2e::Launcher& launcher) {
  return launcher.WaitForWindow([](const e2e::WindowFacts& w) {
    return w.className == "#32770" && GetDlgItem(w.handle, 1069) != nullptr;
  });
}

// The file-error dialog for `expectedPath`: its controls, Escape and Enter
// doing nothing, and OK ending the launcher with exit code 1.
inline void ExpectFileErrorDialogEndsTheLauncher(e2e::Launcher& launcher, const std::string& expectedPath) {
  const std::optional<e2e::WindowFacts> dialog = WaitForFileErrorDialog(launcher);
  ASSERT_TRUE(dialog) << "no file-error dialog";
  EXPECT_EQ(dialog->title, "");
  // The template's style; the system adds WS_CLIPSIBLINGS and DS_3DLOOK.
  EXPECT_EQ(dialog->style & ~(WS_CLIPSIBLINGS | DS_3DLOOK), 0x900008C2u) << std::hex << dialog->style;
  EXPECT_NE(dialog->exStyle & WS_EX_CLIENTEDGE, 0u);
  EXPECT_EQ(e2e::ControlText(dialog->handle, 1069), expectedPath);
  EXPECT_EQ(e2e::ControlText(dialog->handle, 1068), "OK");
  EXPECT_NE(GetDlgItem(dialog->handle, 1070), nullptr);

  ASSERT_TRUE(e2e::BringToFront(dialog->handle));
  e2e::PressKey(VK_ESCAPE);
  e2e::PressKey(VK_RETURN);
  Sleep(300);
  EXPECT_TRUE(launcher.Running()) << "Escape or Enter closed the file-error dialog";
  EXPECT_TRUE(IsWindowVisible(dialog->handle));

  e2e::LeftClickControl(dialog->handle, 1068);
  EXPECT_EQ(launcher.WaitForExit(), 1u);
}

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
    return launcher_->WaitForDialogWith(id, timeout);
  }
  // On this machine's sound set-up every preview of the music level says
  // " Mixer Open Error2" and " Mixer Open Error3": answers them as they come;
  // how many there were.
  std::size_t AnswerMixerMessages() {
    std::size_t answered = 0;
    while (const auto box =
               e2e::WaitForMessageBox(*launcher_, std::chrono::milliseconds(answered == 0 ? 10000 : 1500))) {
      const std::string text = e2e::AnswerMessageBox(*box);
      EXPECT_TRUE(text == " Mixer Open Error2" || text == " Mixer Open Error3") << text;
      ++answered;
    }
    return answered;
  }

  e2e::GameCopy game_;
  std::unique_ptr<e2e::Launcher> launcher_;
  std::optional<e2e::WindowFacts> stage_;
};
