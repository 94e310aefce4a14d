// The settings files' readers and writers on the real file system: what they
// put in the launcher's records and, byte for byte, what they leave on disk.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/win/file_io.h"
#include "tests/win32/in_process.h"
#include "launch/game_mode_file.h"
#include "launch/proc_log_check.h"
#include "launch/start_game.h"
#include "game/game_ids.h"
#include "game/test_hooks.h"
#include "services/first_run_flag.h"
#include "tests/win32/message_boxes.h"
#include "settings/audio/audio_file.h"
#include "settings/input/key_bindings_file.h"
#include "settings/video/video_files.h"

namespace {

// A temporary game folder with an info folder, current for one test.
class InGameFolder : public InTemporaryFolder {
 protected:
  std::string In(const char* name) const { return Full(std::string("info\\") + name); }
  void Put(const char* name, const std::string& bytes) {
    ASSERT_TRUE(win::ReplaceFileContents(In(name).c_str(), bytes)) << name;
  }
  std::string Get(const char* name) {
    std::string bytes = "(missing)";
    return win::ReadFileBytes(In(name).c_str(), bytes) ? bytes : "(missing)";
  }
  bool Exists(const char* name) { return GetFileAttributesA(In(name).c_str()) != INVALID_FILE_ATTRIBUTES; }
};

const char kKeys[] = ".\\info\\keyvalue.cfg";
const std::string kBuiltInKeys =
    "0\r\n#1p-Up 328\r\n#1p-Left 331\r\n#1p-Right 333\r\n#1p-Down 336\r\n#1p-Fire01 26\r\n#1p-Fire02 27\r\n"
    "#2p-Up 17\r\n#2p-Left 30\r\n#2p-Right 32\r\n#2p-Down 31\r\n#2p-Fire01 42\r\n#2p-Fire02 29\r\n"
    "#JoyStick 0\r\n";

TEST_F(InGameFolder, KeyBindingsReadAndWriteTheValuesGiven) {
  Put("keyvalue.cfg",
      "1\r\n#2p-Up 5\r\n\r\n\r\n#1p-Fire01\t57\r\n#JoyStick 1\r\n" + std::string(600, '#') + "\r\n");
  const std::optional<input::InputSettings> read = ReadKeyBindings(nullptr, kKeys);
  ASSERT_TRUE(read);
  // Key 0 is one the file lacks.
  EXPECT_EQ((std::vector<int>{read->customKeys, read->bindings[6], read->bindings[4], read->bindings[0],
                              read->joystickSwap}),
            (std::vector<int>{1, 5, 57, 0, 1}));

  // RESET's set, in place of the longer earlier file.
  input::KeyEdit reset;
  input::ResetKeys(reset);
  EXPECT_TRUE(WriteKeyBindings(nullptr, kKeys, input::SettingsToSave(reset)));
  EXPECT_EQ(Get("keyvalue.cfg"), kBuiltInKeys);
}

TEST_F(InGameFolder, VideoSettingsAndTheDriverCatalog) {
  Put("video.cfg", "1\r\n5\r\n2\r\n70\r\n");
  const video::VideoSettings read = LoadVideoSettings(nullptr, ".\\info\\video.cfg");
  EXPECT_EQ((std::vector<int>{read.driverIndex, read.calibrationLevel}), (std::vector<int>{5, 70}));
  Put("video.cfg", "junk, twice as long as the settings\r\n");
  EXPECT_TRUE(SaveVideoSettings(nullptr, ".\\info\\video.cfg", read));
  EXPECT_EQ(Get("video.cfg"), "1\r\n5\r\n2\r\n70\r\n");

  const std::string catalog =
      "2\r\n#D System\r\n#N System OpenGL\r\n#D Velox\r\n#N Velox\r\n1\r\n640 480 16\r\nDesktop\r\n";
  Put("Driver.dat", catalog);
  const video::DriverCatalog drivers = LoadDriverCatalog(nullptr, ".\\INFO\\driver.dat");
  EXPECT_EQ((std::vector<int>{drivers.driverCount, drivers.modes[0].height}), (std::vector<int>{2, 480}));
  EXPECT_STREQ(drivers.drivers[1].folder, "Velox");
  EXPECT_STREQ(drivers.lastModeLabel, "Desktop");
  EXPECT_EQ(Get("Driver.dat"), catalog) << "the catalog is only read";
}

TEST_F(InGameFolder, AudioSettingsReadInEitherOrderAndWriteMusicFirst) {
  Put("Audio.cfg", "1\r\nSound 10\r\nMusic 40\r\n");
  const audio::AudioSettings levels = ReadAudioSettings(nullptr, ".\\info\\Audio.cfg");
  EXPECT_EQ((std::vector<int>{levels.musicLevel, levels.soundLevel}), (std::vector<int>{40, 10}));
  EXPECT_TRUE(WriteAudioSettings(nullptr, ".\\info\\Audio.cfg", levels));
  EXPECT_EQ(Get("Audio.cfg"), "1\r\nMusic 40\r\nSound 10\r\n");
}

// Run once more in a time zone away from UTC (QUIL_TEST_AWAY_FROM_UTC), where
// a stamp in local time would differ.
TEST_F(InGameFolder, TheGameModeFileCarriesTheUtcTimeStamp) {
  if (std::getenv("QUIL_TEST_AWAY_FROM_UTC") != nullptr) {
    SYSTEMTIME utc = {}, local = {};
    GetSystemTime(&utc);
    GetLocalTime(&local);
    ASSERT_TRUE(utc.wHour != local.wHour || utc.wMinute != local.wMinute) << "the zone is UTC's";
  }
  SYSTEMTIME before = {}, after = {};
  GetSystemTime(&before);
  const launch::TimeStamp made = StampTheStartRequest();
  GetSystemTime(&after);
  launch::TimeStamp early, late;
  launch::MakeTimeStamp(before.wMonth, before.wDay, before.wHour, before.wMinute, early);
  launch::MakeTimeStamp(after.wMonth, after.wDay, after.wHour, after.wMinute, late);
  const std::string stamp = made.text;
  EXPECT_TRUE(stamp == early.text || stamp == late.text) << stamp;

  Put("GameMode.dat", "an earlier, longer file\r\nwith three\r\nlines\r\n");
  EXPECT_TRUE(WriteGameModeFile(nullptr, ".\\Info\\GameMode.dat", made));
  EXPECT_EQ(Get("GameMode.dat"), "0\r\n" + stamp + "\r\n");
}

// The test's frame stands for the launcher's, minimized for a game as the
// shell's is; whether the game had a window when it was called ready.
class TestWindows final : public WindowsAroundTheGame {
 public:
  explicit TestWindows(HWND frame) : frame_(frame) {}
  void Minimize() override { ShowWindow(frame_, SW_MINIMIZE); }
  void GameReady() override { gameWindowAtReady = FindWindowA(game::kWindowClass, nullptr) != nullptr; }
  void Restore() override {}
  std::optional<bool> gameWindowAtReady;

 private:
  HWND frame_;
};

// A game-mode file that could not be written, where not even the file-error
// dialog could be shown (this test program has no dialog templates): the
// game is not started without it, and the launcher stays as it was.
TEST_F(InGameFolder, NoGameWithoutItsGameModeFile) {
  Put("GameMode.dat", "0\r\n1::1::0::0\r\n");
  SetFileAttributesA(Full("info\\GameMode.dat").c_str(), FILE_ATTRIBUTE_READONLY);
  const support::UniqueWindow owned(CreateWindowExA(0, "STATIC", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                                    0, 200, 100, nullptr, nullptr, nullptr, nullptr));
  const HWND frame = owned.get();
  const HWND stage = CreateWindowExA(0, "STATIC", "stage", WS_CHILD | WS_VISIBLE, 0, 0, 100, 50, frame,
                                     nullptr, nullptr, nullptr);
  ASSERT_NE(stage, nullptr);
  std::int32_t firstRunFlag = 1;
  MessageBoxReader boxes;
  TestWindows windows(frame);
  StartGameSequence(stage, GetModuleHandleA(nullptr), windows, firstRunFlag);
  EXPECT_FALSE(IsIconic(frame)) << "minimized for a game";
  EXPECT_EQ(boxes.Take(), std::vector<std::string>{}) << "a start was tried (there is no proc.exe here)";
  EXPECT_EQ(Get("GameMode.dat"), "0\r\n1::1::0::0\r\n");
}

// A game busy loading past the launcher's patience before its first window:
// the launcher waits for its end from then on, answering what others send.
TEST_F(InGameFolder, AGameBusyBeforeItsWindowIsWaitedForOnlyForAWhile) {
  ASSERT_TRUE(CopyFileA((e2e::GameFolder() + "\\proc.exe").c_str(), Full("proc.exe").c_str(), FALSE));
  const ScopedVariable busy(game::kBusyHook, "5"), seconds(game::kSecondsHook, "1"), log(game::kLogHook, "0");
  TestWindows windows(nullptr);
  ASSERT_TRUE(GameLaunch(windows));
  EXPECT_EQ(windows.gameWindowAtReady, false) << "the wait for the game to be ready outlasted its loading";
}

TEST_F(InGameFolder, TheGameLogIsKeptOnlyForAReport) {
  const struct {
    const char* log;  // null: no log at all
    bool report;      // the card's report, the log kept for it
  } cases[] = {
      {nullptr, false}, {"0\r\n", false}, {"7\r\n0\r\n", false},     {"\tletters\r\n", false},
      {"7\r\n", false}, {"", false},      {"7\r\n1 card\r\n", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.log ? c.log : "no log");
    if (c.log != nullptr) {
      Put("Proc.log", c.log);
    }
    const std::optional<launch::ReportText> report = CheckProcLog(".\\Info\\Proc.log");
    EXPECT_STREQ(report ? report->text : "(none)", c.report ? launch::kCardFailureReport : "(none)");
    EXPECT_EQ(Exists("proc.log"), c.report);
  }
  DeleteProcLog(".\\Info\\proc.log");
  EXPECT_FALSE(Exists("Proc.log"));
}

}  // namespace
