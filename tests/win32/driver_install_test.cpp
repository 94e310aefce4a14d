// DONE's driver step on the real file system of a temporary game folder: the
// pair of libraries in the program folder is replaced or removed whole, or
// stays as it was and the player reads which file failed.
#include "settings/video/driver_install.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "common/win/file_io.h"
#include "common/win/handles.h"
#include "settings/video/video_files.h"
#include "tests/e2e/driver/driver.h"
#include "tests/win32/message_boxes.h"
#include "tests/win32/test_support.h"

namespace {

constexpr char kNothingChanged[] = "\nNo driver file was changed.";

class DriverInstall : public InTemporaryFolder {
 protected:
  void SetUp() override {
    InTemporaryFolder::SetUp();
    CreateDirectoryA(Full("Driver").c_str(), nullptr);
    for (const char* card : {"Velox", "Prism3D"}) {
      CreateDirectoryA(Full(std::string("Driver\\") + card).c_str(), nullptr);
      Put(std::string("Driver\\") + card + "\\Glu32.dll", std::string(card) + " glu");
      Put(std::string("Driver\\") + card + "\\Opengl32.dll", std::string(card) + " opengl");
    }
    video::Catalog() = {};
    video::Catalog().driverCount = 5;
    const char* folders[] = {"System", "Velox", "Prism3D", "Aurion", "Kestrel"};
    for (int i = 0; i < 5; ++i) {
      lstrcpyA(video::Catalog().drivers[i].folder, folders[i]);
    }
  }

  void Put(const std::string& relative, const std::string& bytes) {
    ASSERT_TRUE(win::ReplaceFileContents(Full(relative).c_str(), bytes)) << relative;
  }
  std::optional<std::string> Get(const std::string& relative) const {
    std::string bytes;
    return win::ReadFileBytes(Full(relative).c_str(), bytes) ? std::optional<std::string>(bytes)
                                                             : std::nullopt;
  }
  // The pair the program folder holds, as "glu | opengl".
  std::string Pair() const {
    return Get("Glu32.dll").value_or("-") + " | " + Get("Opengl32.dll").value_or("-");
  }
  void InstallOldPair() {
    Put("Glu32.dll", "old glu");
    Put("Opengl32.dll", "old opengl");
  }
  // Every name in the program folder that a replacement might leave.
  std::vector<std::string> Libraries() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(Full("*.dl?").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        names.push_back(entry.cFileName);
      } while (FindNextFileA(find, &entry));
      FindClose(find);
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  // Opens `relative` for reading and shares it with no one, as another
  // program may hold it.
  win::UniqueFile Lock(const std::string& relative) const {
    win::UniqueFile file(CreateFileA(Full(relative).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(file) << relative;
    return file;
  }

  // DONE's driver step for `driver`, as the player meets it: the boxes it
  // shows are read, photographed when `picture` names them, and confirmed.
  bool Apply(std::int32_t driver, const char* picture = nullptr) {
    MessageBoxReader boxes([picture](HWND) {
      if (picture != nullptr) {
        e2e::SaveScreenshot(picture);
      }
    });
    const bool applied = ApplyDriverChoice(driver);
    messages_ = boxes.Take();
    return applied;
  }

  std::vector<std::string> messages_;
};

using Messages = std::vector<std::string>;

TEST_F(DriverInstall, ADriverReplacesThePairWholeAndLeavesNothingBehind) {
  InstallOldPair();
  // What a run cut short may have left, read-only as a copy of a CD's file.
  Put("Glu32.dl~", "half a copy");
  Put("Opengl32.dl$", "an old backup");
  SetFileAttributesA(Full("Opengl32.dl$").c_str(), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesA(Full("Driver\\Velox\\Opengl32.dll").c_str(), FILE_ATTRIBUTE_READONLY);

  EXPECT_TRUE(Apply(1));
  EXPECT_EQ(messages_, Messages{});
  EXPECT_EQ(Pair(), "Velox glu | Velox opengl");
  EXPECT_EQ(Libraries(), (std::vector<std::string>{"Glu32.dll", "Opengl32.dll"}));
  EXPECT_EQ(GetFileAttributesA(Full("Opengl32.dll").c_str()) & FILE_ATTRIBUTE_READONLY, 0u)
      << "a read-only source gives a copy the next driver may replace";

  EXPECT_TRUE(Apply(2));
  EXPECT_EQ(Pair(), "Prism3D glu | Prism3D opengl");
  EXPECT_TRUE(Apply(4)) << "a driver installed by hand leaves the copies";
  EXPECT_EQ(Pair(), "Prism3D glu | Prism3D opengl");
}

TEST_F(DriverInstall, ASourceThatIsNotThereChangesNothingAndIsNamed) {
  InstallOldPair();
  DeleteFileA(Full("Driver\\Velox\\Opengl32.dll").c_str());
  EXPECT_FALSE(Apply(1, "driver-file-not-found"));
  EXPECT_EQ(messages_,
            Messages{"Driver file not found:\n" + Full("Driver\\Velox\\Opengl32.dll") + kNothingChanged});
  EXPECT_EQ(Pair(), "old glu | old opengl");

  // A folder where a library should be, and a driver folder that is not there.
  DeleteFileA(Full("Driver\\Prism3D\\Glu32.dll").c_str());
  CreateDirectoryA(Full("Driver\\Prism3D\\Glu32.dll").c_str(), nullptr);
  EXPECT_FALSE(Apply(2));
  EXPECT_EQ(messages_,
            Messages{"Driver file not found:\n" + Full("Driver\\Prism3D\\Glu32.dll") + kNothingChanged});
  EXPECT_FALSE(Apply(3));
  EXPECT_EQ(messages_,
            Messages{"Driver file not found:\n" + Full("Driver\\Aurion\\Glu32.dll") + kNothingChanged});
  EXPECT_EQ(Pair(), "old glu | old opengl");
  EXPECT_EQ(Libraries(), (std::vector<std::string>{"Glu32.dll", "Opengl32.dll"}));
}

// A read-only copy is never replaced; a copy another program holds cannot
// be: either way the old pair stays whole, and the player reads which file.
TEST_F(DriverInstall, ATargetThatCannotBeReplacedLeavesTheOldPairWhole) {
  const struct {
    const char* target;
    bool locked;  // else read-only
  } cases[] = {{"Glu32.dll", false}, {"Opengl32.dll", false}, {"Glu32.dll", true}, {"Opengl32.dll", true}};
  for (const auto& c : cases) {
    const std::string what = std::string(c.target) + (c.locked ? " held open" : " read-only");
    InstallOldPair();
    win::UniqueFile held;
    if (c.locked) {
      held = Lock(c.target);
    } else {
      SetFileAttributesA(Full(c.target).c_str(), FILE_ATTRIBUTE_READONLY);
    }
    const std::string picture = std::string("driver-not-installed-") + (c.locked ? "locked" : "read-only");
    EXPECT_FALSE(Apply(1, c.target == std::string("Opengl32.dll") ? picture.c_str() : nullptr)) << what;
    EXPECT_EQ(messages_, Messages{"Driver file could not be installed:\n" + Full(c.target) + kNothingChanged})
        << what;
    held.reset();
    EXPECT_EQ(Pair(), "old glu | old opengl") << what;
    EXPECT_EQ(Libraries(), (std::vector<std::string>{"Glu32.dll", "Opengl32.dll"})) << what;
    SetFileAttributesA(Full(c.target).c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

TEST_F(DriverInstall, TheSystemDriverRemovesBothCopiesOrNeither) {
  EXPECT_TRUE(Apply(0)) << "no copies: nothing to do";
  EXPECT_EQ(messages_, Messages{});

  InstallOldPair();
  Put("Glu32.dl$", "an old backup");
  EXPECT_TRUE(Apply(0));
  EXPECT_EQ(messages_, Messages{});
  EXPECT_EQ(Libraries(), std::vector<std::string>{});

  const struct {
    const char* target;
    bool locked;
  } cases[] = {{"Opengl32.dll", true}, {"Glu32.dll", true}, {"Glu32.dll", false}};
  for (const auto& c : cases) {
    const std::string what = std::string(c.target) + (c.locked ? " held open" : " read-only");
    InstallOldPair();
    win::UniqueFile held;
    if (c.locked) {
      held = Lock(c.target);
    } else {
      SetFileAttributesA(Full(c.target).c_str(), FILE_ATTRIBUTE_READONLY);
    }
    const bool picture = c.locked && c.target == std::string("Glu32.dll");
    EXPECT_FALSE(Apply(0, picture ? "driver-not-removed" : nullptr)) << what;
    EXPECT_EQ(messages_, Messages{"Driver file could not be removed:\n" + Full(c.target) + kNothingChanged})
        << what;
    held.reset();
    EXPECT_EQ(Pair(), "old glu | old opengl") << what;
    EXPECT_EQ(Libraries(), (std::vector<std::string>{"Glu32.dll", "Opengl32.dll"})) << what;
    SetFileAttributesA(Full(c.target).c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

// A catalog folder that leads out of Driver\ is refused before anything is
// copied, however the folders above are laid out.
TEST_F(DriverInstall, AFolderOutsideDriverIsRefusedAndNothingIsCopied) {
  InstallOldPair();
  Put("Driver\\Glu32.dll", "from Driver itself");
  Put("Driver\\Opengl32.dll", "from Driver itself");
  const struct {
    std::string folder;
    std::string message;
  } cases[] = {
      {"..", "Driver folder is not one folder under Driver\\: .." + std::string(kNothingChanged)},
      {"..\\..\\Windows\\System32\\x",
       "Driver folder is not one folder under Driver\\: ..\\..\\Windows\\System32\\x" +
           std::string(kNothingChanged)},
      {".\\Velox", "Driver folder is not one folder under Driver\\: .\\Velox" + std::string(kNothingChanged)},
      {std::string(41, 'f'), "Driver folder path too long"},
  };
  for (const auto& c : cases) {
    lstrcpynA(video::Catalog().drivers[3].folder, c.folder.c_str(), video::kDriverFolderSize);
    EXPECT_FALSE(Apply(3, c.folder == ".." ? "driver-folder-refused" : nullptr)) << c.folder;
    EXPECT_EQ(messages_, Messages{c.message});
    EXPECT_EQ(Pair(), "old glu | old opengl") << c.folder;
    EXPECT_EQ(Libraries(), (std::vector<std::string>{"Glu32.dll", "Opengl32.dll"})) << c.folder;
  }
}

}  // namespace
