// DONE's driver step on the real file system of a temporary game folder: the
// pair of libraries in the program folder is replaced or removed whole, or
// stays as it was, named by video.cfg, and the player reads which file failed.
#include "settings/video/driver_install.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/win/file_io.h"
#include "common/win/handles.h"
#include "settings/video/video_choices.h"
#include "settings/video/video_files.h"
#include "tests/e2e/driver/driver.h"
#include "tests/win32/message_boxes.h"
#include "tests/win32/in_process.h"

namespace {

using Names = std::vector<std::string>;

// Photographs a box for a person to look at, once the screen shows it
// painted and steady.
void Photograph(HWND box, const std::string& name) {
  RECT place = {};
  GetWindowRect(box, &place);
  const auto look = [&] {
    std::vector<COLORREF> now;
    const win::WindowDc screen(nullptr);
    for (int y = place.top + 2; y < place.bottom; y += 6) {
      for (int x = place.left + 2; x < place.right; x += 12) {
        now.push_back(GetPixel(screen.get(), x, y));
      }
    }
    return now;
  };
  const auto lit = [](const std::vector<COLORREF>& seen) {
    return std::any_of(seen.begin(), seen.end(), [](COLORREF c) { return c != 0; });
  };
  e2e::Settled<std::vector<COLORREF>>(look, 4, e2e::kPatience, std::chrono::milliseconds(20), lit);
  e2e::SaveScreenshot(name);
}

class DriverInstall : public InTemporaryFolder {
 protected:
  void SetUp() override {
    InTemporaryFolder::SetUp();
    video::Catalog() = {};
    video::Catalog().driverCount = 4;
    const char* folders[] = {"System", "Velox", "Prism3D", "Aurion"};
    for (int i = 0; i < 4; ++i) {
      lstrcpyA(video::Catalog().drivers[i].folder, folders[i]);
      CreateDirectoryA(Full("Driver").c_str(), nullptr);
      CreateDirectoryA(Full(std::string("Driver\\") + folders[i]).c_str(), nullptr);
      Put(std::string("Driver\\") + folders[i] + "\\Glu32.dll", std::string(folders[i]) + " glu");
      Put(std::string("Driver\\") + folders[i] + "\\Opengl32.dll", std::string(folders[i]) + " opengl");
    }
  }
  void Put(const std::string& relative, const std::string& bytes) {
    ASSERT_TRUE(win::ReplaceFileContents(Full(relative).c_str(), bytes)) << relative;
  }
  // The pair the program folder holds, as "glu | opengl".
  std::string Pair() const {
    std::string glu = "-", opengl = "-";
    win::ReadFileBytes(Full("Glu32.dll").c_str(), glu);
    win::ReadFileBytes(Full("Opengl32.dll").c_str(), opengl);
    return glu + " | " + opengl;
  }
  // Every name in the program folder that a replacement might leave.
  Names Libraries() const { return support::FindNames(Full("*.dl?")); }
  // DONE with `driver` chosen (mode 0, as the list leaves it) in a dialog
  // that opened with kOpened, as the player meets it: the boxes it shows are
  // read, photographed for a person to look at when `picture` names them,
  // and confirmed.
  bool Apply(std::int32_t driver, const std::string& picture = "") {
    MessageBoxReader boxes([&picture](HWND box) {
      if (!picture.empty()) {
        Photograph(box, picture);
      }
    });
    video::Settings() = {1, driver, 0, 70};
    const bool applied =
        ApplyAndSaveAtDone(nullptr, ".\\info\\video.cfg",
                           video::DriverDoneApplies(video::Catalog(), driver, driver), {1, 5, 3, 70});
    messages_ = boxes.Take();
    return applied;
  }
  static constexpr char kOpened[] = "1\r\n5\r\n3\r\n70\r\n";
  Names messages_;
};

TEST_F(DriverInstall, ADriverReplacesThePairWholeAndTheSystemDriverRemovesIt) {
  Put("Glu32.dll", "old glu");
  Put("Opengl32.dll", "old opengl");
  Put("Glu32.dl~", "what a run cut short left");
  Put("Opengl32.dl$", "what a run cut short left");
  SetFileAttributesA(Full("Opengl32.dl$").c_str(), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesA(Full("Driver\\Velox\\Opengl32.dll").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(Apply(1));
  EXPECT_EQ(Pair(), "Velox glu | Velox opengl");
  EXPECT_EQ(Libraries(), (Names{"Glu32.dll", "Opengl32.dll"}));
  EXPECT_TRUE(Apply(2)) << "a copy of a read-only source is replaced in its turn";
  EXPECT_EQ(Pair(), "Prism3D glu | Prism3D opengl");
  EXPECT_TRUE(Apply(0));
  EXPECT_EQ(Libraries(), Names{});
  EXPECT_TRUE(Apply(0)) << "nothing left to remove";
  EXPECT_EQ(messages_, Names{});
}

// A copy another program holds, a video.cfg that could not name the new
// driver: the old pair stays whole (what was replaced is put back), video.cfg
// names the driver and mode it named, and the player reads why.
TEST_F(DriverInstall, WhatCannotBeDoneLeavesTheOldPairWholeAndIsNamed) {
  enum Trouble { kReadOnly, kHeldOpen };
  const struct {
    std::int32_t driver;
    Trouble trouble;
    std::string file;          // of the game folder
    std::string message;       // none for video.cfg: the file-error dialog reports it
    bool oldGluAside = false;  // only as Glu32.dl$, as a put-back that failed leaves it
  } cases[] = {
      {1, kHeldOpen, "Glu32.dll", "Driver file could not be installed:\n"},
      {1, kHeldOpen, "Opengl32.dll", "Driver file could not be installed:\n"},
      {0, kHeldOpen, "Glu32.dll", "Driver file could not be removed:\n"},
      {1, kReadOnly, "info\\video.cfg", ""},
      {1, kHeldOpen, "info\\video.cfg", ""},
      {1, kHeldOpen, "Opengl32.dll", "Driver file could not be installed:\n", true},
  };
  for (const auto& c : cases) {
    const std::string what = c.file + " trouble " + std::to_string(c.trouble);
    Put("Glu32.dll", "old glu");
    Put("Opengl32.dll", "old opengl");
    Put("info\\video.cfg", kOpened);
    if (c.oldGluAside) {
      ASSERT_TRUE(MoveFileA(Full("Glu32.dll").c_str(), Full("Glu32.dl$").c_str()));
    }
    win::UniqueFile held;
    if (c.trouble == kReadOnly) {
      SetFileAttributesA(Full(c.file).c_str(), FILE_ATTRIBUTE_READONLY);
    } else {
      held.reset(CreateFileA(Full(c.file).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
      ASSERT_TRUE(held) << what;
    }
    EXPECT_FALSE(Apply(c.driver, "driver-message-" + std::to_string(&c - cases))) << what;
    const std::string message = c.message + Full(c.file) + "\nNo driver file was changed.";
    EXPECT_EQ(messages_, c.message.empty() ? Names{} : Names{message}) << what;
    held.reset();
    SetFileAttributesA(Full(c.file).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Pair(), "old glu | old opengl") << what;
    EXPECT_EQ(Libraries(), (Names{"Glu32.dll", "Opengl32.dll"})) << what;
    std::string file;
    win::ReadFileBytes(Full("info\\video.cfg").c_str(), file);
    EXPECT_EQ(file, kOpened) << what;
  }
}

}  // namespace
