// DONE's driver step on the real file system of a temporary game folder: the
// pair of libraries in the program folder is replaced or removed whole, or
// stays as it was, named by video.cfg, and the player reads which file failed.
#include "settings/video/driver_files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "common/win/file_io.h"
#include "common/win/handles.h"
#include "settings/video/video_files.h"
#include "tests/e2e/driver/driver.h"
#include "tests/win32/message_boxes.h"
#include "tests/win32/in_process.h"

namespace {

using Names = std::vector<std::string>;

std::vector<std::int32_t> Fields(const video::VideoSettings& s) {
  return {s.customized, s.driverIndex, s.modeIndex, s.calibrationLevel};
}

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
    catalog_.driverCount = 5;  // Kestrel, the last, is installed by hand
    lstrcpyA(catalog_.drivers[4].folder, "Kestrel");
    for (int i = 0; i < 4; ++i) {
      lstrcpyA(catalog_.drivers[i].folder, kFolders[i]);
      CreateDirectoryA(Full("Driver").c_str(), nullptr);
      CreateDirectoryA(Full(std::string("Driver\\") + kFolders[i]).c_str(), nullptr);
      Put(std::string("Driver\\") + kFolders[i] + "\\Glu32.dll", std::string(kFolders[i]) + " glu");
      Put(std::string("Driver\\") + kFolders[i] + "\\Opengl32.dll", std::string(kFolders[i]) + " opengl");
    }
    // Its copy is made writable, so that the next driver replaces it in turn.
    SetFileAttributesA(Full("Driver\\Velox\\Opengl32.dll").c_str(), FILE_ATTRIBUTE_READONLY);
  }
  void Put(const std::string& relative, const std::string& bytes) {
    ASSERT_TRUE(win::ReplaceFileContents(Full(relative).c_str(), bytes)) << relative;
  }
  // What a file of the folder holds; "-" when it cannot be read.
  std::string Read(const std::string& relative) const {
    std::string bytes;
    return win::ReadFileBytes(Full(relative).c_str(), bytes) ? bytes : "-";
  }
  // The pair the program folder holds, as "glu | opengl".
  std::string Pair() const { return Read("Glu32.dll") + " | " + Read("Opengl32.dll"); }
  // Every name in the program folder that a replacement might leave.
  Names Libraries() const { return support::FindNames(Full("*.dl?")); }
  // DONE as the video dialog makes it, with `shown` in the driver list, as the
  // player meets it: the boxes it shows are read into messages_, photographed
  // for a person to look at when `picture` names them, and confirmed. What
  // video.cfg was told to say.
  video::VideoSettings Done(std::int32_t shown, const video::VideoEdit& edit,
                            const std::string& picture = "") {
    MessageBoxReader boxes([&picture](HWND box) {
      if (!picture.empty()) {
        Photograph(box, picture);
      }
    });
    const auto applied = video::DriverDoneApplies(catalog_, shown, edit.now.driverIndex);
    const auto saved = video::SavedAtDone(edit, PutDriverInPlace(nullptr, kVideoFile, applied));
    SaveVideoSettings(nullptr, kVideoFile, saved);
    messages_ = boxes.Take();
    return saved;
  }
  static constexpr char kVideoFile[] = ".\\info\\video.cfg";
  static constexpr char kOpened[] = "1\r\n5\r\n3\r\n70\r\n";
  static constexpr const char* kFolders[] = {"System", "Velox", "Prism3D", "Aurion"};
  video::DriverCatalog catalog_;
  Names messages_;
};

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
    video::VideoEdit edit{{1, 5, 3, 70}, {1, 5, 3, 70}};  // kOpened; its mode list left at 0
    video::ChooseDriver(edit, c.driver);
    EXPECT_NE(Done(c.driver, edit, "driver-message-" + std::to_string(&c - cases)).driverIndex, c.driver)
        << what;
    const std::string message = c.message + Full(c.file) + "\nNo driver file was changed.";
    EXPECT_EQ(messages_, c.message.empty() ? Names{} : Names{message}) << what;
    held.reset();
    SetFileAttributesA(Full(c.file).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Pair(), "old glu | old opengl") << what;
    EXPECT_EQ(Libraries(), (Names{"Glu32.dll", "Opengl32.dll"})) << what;
    EXPECT_EQ(Read("info\\video.cfg"), kOpened) << what;
  }
}

// Random game folders, random choices, DONE: each time either video.cfg names
// the driver the list showed and that driver's pair lies in the program
// folder, or the player was told why not (a box, or the file-error dialog for
// video.cfg) and the pair is byte for byte as before, with video.cfg naming
// the mark, driver and mode it named at opening, or left as it was.
TEST_F(DriverInstall, EveryDoneLeavesVideoCfgAndThePairAgreeing) {
  std::mt19937 random(20261210);
  const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  enum Trouble {
    kNone,
    kSourceMissing,
    kVideoReadOnly,
    kVideoHeld,
    kTemporaryFolder,
    kTemporaryReadOnly,
    kCopyHeld,
    kLeftovers,
    kCatalogShort,
    kTroubles
  };
  for (int run = 0; run < 80; ++run) {
    const int pair = pick(0, 4);  // none, odd bytes, or the pair of driver 1 to 3
    for (const char* library : {"Glu32.dll", "Opengl32.dll"}) {
      DeleteFileA(Full(library).c_str());
      if (pair > 0) {
        Put(library,
            pair == 1 ? "odd" : std::string(kFolders[pair - 1]) + (library[0] == 'G' ? " glu" : " opengl"));
      }
    }
    const video::VideoSettings opened{pick(0, 1), pick(0, 4), 0, pick(0, 10) * 10};
    const std::string before = video::FormatVideoSettings(opened);
    Put("info\\video.cfg", before);
    video::VideoEdit edit{opened, opened};
    std::string what = "run " + std::to_string(run) + " pair " + std::to_string(pair) + " from " +
                       std::to_string(opened.customized) + std::to_string(opened.driverIndex);
    for (int step = pick(0, 3); step > 0; --step) {
      const int choice = pick(0, 3);
      choice == 0   ? video::ChooseDriver(edit, pick(0, 4))
      : choice == 1 ? video::ScrollCalibration(edit, SB_LINERIGHT, 0)
      : choice == 2 ? video::ChooseMode(edit, 0)
                    : video::ChooseDefaults(edit);
      what.append(" ").append(std::to_string(choice));
    }
    const Trouble trouble = static_cast<Trouble>(pick(0, kTroubles - 1));
    const std::string source = std::string("Driver\\") + kFolders[pick(1, 3)] + "\\Opengl32.dll";
    const std::string blocked = trouble == kVideoReadOnly || trouble == kVideoHeld ? "info\\video.cfg"
                                : trouble == kCopyHeld                             ? "Glu32.dll"
                                : trouble == kSourceMissing                        ? source
                                                                                   : "info\\video.cf~";
    const std::string pairBefore = Pair();
    win::UniqueFile held;
    if (trouble == kSourceMissing) {
      MoveFileA(Full(source).c_str(), Full(source + "-aside").c_str());
    } else if (trouble == kTemporaryFolder) {
      CreateDirectoryA(Full(blocked).c_str(), nullptr);
    } else if (trouble == kVideoReadOnly || trouble == kTemporaryReadOnly) {
      if (trouble == kTemporaryReadOnly) {
        Put(blocked, "x");
      }
      SetFileAttributesA(Full(blocked).c_str(), FILE_ATTRIBUTE_READONLY);
    } else if (trouble == kVideoHeld || trouble == kCopyHeld) {
      held.reset(CreateFileA(Full(blocked).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    } else if (trouble == kLeftovers) {
      SetFileAttributesA(Full("Opengl32.dl$").c_str(), FILE_ATTRIBUTE_NORMAL);
      Put("Glu32.dl~", "cut short");
      Put("Opengl32.dl$", "cut short");
      SetFileAttributesA(Full("Opengl32.dl$").c_str(), FILE_ATTRIBUTE_READONLY);
    }
    what.append(" trouble ").append(std::to_string(trouble));
    catalog_.driverCount = trouble == kCatalogShort ? 3 : 5;  // driver 3 past its end
    const video::VideoSettings saved = Done(video::ShownValues(edit.now).driver, edit);
    const bool told = !messages_.empty();
    held.reset();
    SetFileAttributesA(Full(blocked).c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(Full(blocked).c_str());
    if (trouble == kSourceMissing) {
      MoveFileA(Full(source + "-aside").c_str(), Full(source).c_str());
    } else if (trouble == kTemporaryReadOnly) {
      DeleteFileA(Full(blocked).c_str());
    }
    // video.cfg cannot be replaced: nothing moves, the file-error dialog tells.
    const bool saveable = trouble < kVideoReadOnly || trouble > kTemporaryReadOnly;
    EXPECT_EQ(Read("info\\video.cfg"), saveable ? video::FormatVideoSettings(saved) : before) << what;
    if (!saveable || told) {
      EXPECT_EQ(Pair(), pairBefore) << what;
      EXPECT_EQ(Fields(saved), Fields(video::SavedAtDone(edit, false))) << what;
      continue;
    }
    const std::int32_t named = saved.customized != 0 || saved.driverIndex == 0 ? saved.driverIndex : -1;
    EXPECT_EQ(Fields(saved), Fields(edit.now)) << what;
    if (named == 0) {
      EXPECT_EQ(Libraries(), Names{}) << what;
    } else if (named >= 1 && named <= 3) {
      EXPECT_EQ(Pair(), std::string(kFolders[named]) + " glu | " + kFolders[named] + " opengl") << what;
      EXPECT_EQ(Libraries(), (Names{"Glu32.dll", "Opengl32.dll"})) << what << ": nothing left beside them";
    } else {
      EXPECT_EQ(Pair(), pairBefore) << what << ": the pair is the player's";
    }
  }
}

}  // namespace
