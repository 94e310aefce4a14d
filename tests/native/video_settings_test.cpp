#include "settings/video/driver_paths.h"
#include "settings/video/video_settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

std::vector<std::int32_t> Fields(const video::VideoSettings& s) {
  return {s.customized, s.driverIndex, s.modeIndex, s.calibrationLevel};
}

TEST(VideoSettings, AFileReadsAndWritesBackByteForByte) {
  const std::string file = "1\r\n5\r\n2\r\n70\r\n";
  video::VideoSettings settings;
  video::ParseVideoSettings(file, settings);
  EXPECT_EQ(Fields(settings), (std::vector<std::int32_t>{1, 5, 2, 70}));
  EXPECT_EQ(video::FormatVideoSettings(settings), file);

  settings = {-1, INT32_MIN, INT32_MAX, 0};
  EXPECT_EQ(video::FormatVideoSettings(settings), "-1\r\n-2147483648\r\n2147483647\r\n0\r\n");
}

TEST(VideoSettings, ReaderCases) {
  const struct Case {
    const char* what;
    std::string bytes;
    std::vector<std::int32_t> expected;  // from 9, 9, 9, 9
  } cases[] = {
      {"an empty file changes nothing", "", {9, 9, 9, 9}},
      {"white space anywhere", "\r\n 1 \t\r\n\r\n5 2\r\n\r\n70", {1, 5, 2, 70}},
      {"a bad value stops the rest", "1\r\nx\r\n2\r\n3\r\n", {1, 9, 9, 9}},
      {"hexadecimal reads its 0", "0x10\r\n4\r\n4\r\n4\r\n", {0, 9, 9, 9}},
      {"negative and beyond 32 bits",
       "-3\r\n99999999999\r\n-99999999999\r\n+7\r\n",
       {-3, INT32_MAX, INT32_MIN, 7}},
      {"a lone CR is white space", "1\r2\r3\r4\r", {1, 2, 3, 4}},
      {"a NUL byte stops reading", "1\r\n2\r\n\0 3\r\n4\r\n"s, {1, 2, 9, 9}},
      {"Ctrl-Z", "1\r\n2\x1A\r\n3\r\n4\r\n", {1, 2, 9, 9}},
      {"a line of 300 digits saturates", std::string(300, '9') + "\r\n1\r\n", {INT32_MAX, 1, 9, 9}},
  };
  for (const Case& c : cases) {
    video::VideoSettings settings{9, 9, 9, 9};
    video::ParseVideoSettings(c.bytes, settings);
    EXPECT_EQ(Fields(settings), c.expected) << c.what;
  }
}

// What the dialog shows of a file is what DONE applies and saves: values out
// of the catalog's reach are brought back into it at opening.
TEST(VideoSettings, ValuesBeyondTheCatalogAreBroughtWithinIt) {
  video::DriverCatalog catalog;
  catalog.driverCount = 7;
  catalog.modeCount = 4;  // the list of drivers 0 and 4 to 6: three modes and the label
  const video::DriverCatalog empty;
  const struct Case {
    const char* what;
    const video::DriverCatalog& catalog;
    video::VideoSettings read;
    std::vector<std::int32_t> expected;
  } cases[] = {
      {"within range", catalog, {1, 5, 3, 70}, {1, 5, 3, 70}},
      {"the defaults keep what they hold", catalog, {0, 6, 3, 0}, {0, 6, 3, 0}},
      {"one mode for the drivers the launcher installs", catalog, {1, 2, 3, 100}, {1, 2, 0, 100}},
      {"a driver past the list", catalog, {1, 7, 3, 50}, {1, 0, 3, 50}},
      {"beyond 32 bits", catalog, {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MAX}, {1, 0, 0, 100}},
      {"negative", catalog, {-1, -1, -1, -1}, {1, 0, 0, 0}},
      {"a mode past the list", catalog, {1, 4, 4, 50}, {1, 4, 0, 50}},
      {"no drivers at all: the label alone", empty, {1, 3, 1, 50}, {1, 0, 0, 50}},
  };
  for (const Case& c : cases) {
    video::VideoSettings settings = c.read;
    video::FitToCatalog(settings, c.catalog);
    EXPECT_EQ(Fields(settings), c.expected) << c.what;
  }
}

TEST(VideoSettings, TheDialogShowsThePlayersValuesOrElseTheDefaults) {
  const struct Case {
    const char* what;
    video::VideoSettings held;
    std::vector<std::int32_t> shown;  // driver, mode, level
  } cases[] = {
      {"the defaults, whatever is stored", {0, 5, 2, 70}, {0, 0, 50}},
      {"the player's values", {1, 5, 2, 70}, {5, 2, 70}},
      {"the system's own driver keeps its mode", {1, 0, 2, 0}, {0, 2, 0}},
      {"one mode for a driver the launcher installs", {1, 3, 2, 70}, {3, 0, 70}},
  };
  for (const Case& c : cases) {
    const video::ShownVideoValues shown = video::ShownValues(c.held);
    EXPECT_EQ((std::vector<std::int32_t>{shown.driver, shown.mode, shown.calibrationLevel}), c.shown)
        << c.what;
  }
}

TEST(VideoCalibration, EachScrollCodeMovesTheLevelWithin0To100) {
  const struct {
    int level, code, thumb, expected;
  } cases[] = {{95, 3, 0, 100}, {5, 2, 0, 0},  {100, 1, 0, 100}, {50, 0, 0, 40}, {50, 4, 77, 77},
               {50, 5, -3, -3}, {50, 6, 0, 0}, {50, 7, 0, 100},  {50, 8, 0, 50}};
  for (const auto& c : cases) {
    EXPECT_EQ(video::ScrolledCalibration(c.level, c.code, static_cast<std::int16_t>(c.thumb)), c.expected)
        << c.level << " code " << c.code;
  }
}

TEST(DriverPaths, CopiesGoTwoFoldersUpAndPathsThatDoNotFitAreRefused) {
  using video::DriverLibrary;
  const auto paths = video::DriverCopyPaths("C:\\Games\\Quil3D\\Driver\\Prism3D", DriverLibrary::kOpengl32);
  ASSERT_TRUE(paths);
  EXPECT_EQ(paths->source, "C:\\Games\\Quil3D\\Driver\\Prism3D\\Opengl32.dll");
  EXPECT_EQ(paths->destination, "C:\\Games\\Quil3D\\Opengl32.dll");
  EXPECT_EQ(video::DriverCopyPaths("C:\\Q\\Driver\\V", DriverLibrary::kGlu32)->destination,
            "C:\\Q\\Glu32.dll");
  // 79 characters fit, 80 do not: never a path cut into another.
  const std::string base = "C:\\G\\Driver\\";
  const std::string fits = base + std::string(79 - base.size() - 13, 'x');
  EXPECT_TRUE(video::DriverCopyPaths(fits, DriverLibrary::kOpengl32));
  EXPECT_FALSE(video::DriverCopyPaths(fits + "x", DriverLibrary::kOpengl32));
  EXPECT_FALSE(video::DriverCopyPaths("Prism3D", DriverLibrary::kGlu32)) << "no folders to go up";

  EXPECT_EQ(video::DriverFolderPath("Velox"), std::optional<std::string>(".\\Driver\\Velox"));
  EXPECT_TRUE(video::DriverFolderPath(std::string(40, 'f').c_str()));
  EXPECT_FALSE(video::DriverFolderPath(std::string(41, 'f').c_str()));

  EXPECT_EQ(video::ActionFor(0), video::DriverAction::kDeleteCopies);
  EXPECT_EQ(video::ActionFor(3), video::DriverAction::kCopyFromFolder);
  EXPECT_EQ(video::ActionFor(4), video::DriverAction::kNothing);
  EXPECT_EQ(video::ActionFor(-1), video::DriverAction::kNothing);
}

// A catalog folder is one name right under Driver\, so DONE copies the
// libraries into the program folder and nowhere else.
TEST(DriverPaths, AFolderIsOneNameUnderDriverAndItsCopiesLandInTheProgramFolder) {
  using video::FolderCheck;
  const struct {
    std::string folder;
    FolderCheck expected;
  } folders[] = {
      {"Prism 3D v1.2", FolderCheck::kUsable},
      {".hidden", FolderCheck::kUsable},
      {std::string(40, 'f'), FolderCheck::kUsable},
      {std::string(41, 'f'), FolderCheck::kTooLong},
      {"", FolderCheck::kNotOneName},
      {".", FolderCheck::kNotOneName},
      {"..", FolderCheck::kNotOneName},
      {"...", FolderCheck::kNotOneName},
      {"..\\..\\Windows\\x", FolderCheck::kNotOneName},
      {"Velox\\", FolderCheck::kNotOneName},
      {"Velox/old", FolderCheck::kNotOneName},
      {"C:Velox", FolderCheck::kNotOneName},
  };
  for (const auto& c : folders) {
    EXPECT_EQ(video::CheckDriverFolder(c.folder.c_str()), c.expected) << c.folder;
    EXPECT_EQ(video::DriverFolderPath(c.folder.c_str()).has_value(), c.expected == FolderCheck::kUsable)
        << c.folder << ": the guide shows no location for a folder DONE refuses";
  }
  EXPECT_TRUE(video::IsRightInside("C:\\Games\\Quil3D\\Opengl32.dll", "c:\\games\\QUIL3D\\"));
  EXPECT_TRUE(video::IsRightInside("C:\\Glu32.dll", "C:\\"));
  EXPECT_FALSE(video::IsRightInside("C:\\Games\\Glu32.dll", "C:\\Games\\Quil3D"));
  EXPECT_FALSE(video::IsRightInside("C:\\Games\\Quil3D2\\Glu32.dll", "C:\\Games\\Quil3D"));
  EXPECT_FALSE(video::IsRightInside("C:\\Games\\Quil3D\\Driver\\Glu32.dll", "C:\\Games\\Quil3D"));
}

// DONE puts in place only the driver the list shows: a stored driver kept out
// of sight by the defaults (list 0, settings 2) is never installed.
TEST(DriverPaths, DoneAppliesTheDriverTheListShows) {
  const struct {
    std::int32_t shown, driverIndex;
    std::optional<std::int32_t> applied;
  } cases[] = {{2, 2, 2}, {0, 0, 0}, {0, 2, std::nullopt}, {-1, 0, std::nullopt}};
  for (const auto& c : cases) {
    EXPECT_EQ(video::DriverDoneApplies(c.shown, c.driverIndex), c.applied) << c.shown << " " << c.driverIndex;
  }
}

TEST(DriverPaths, ChoosingADriverBringsUpItsNoteOrItsGuide) {
  video::DriverCatalog catalog;
  catalog.driverCount = 7;
  std::snprintf(catalog.drivers[4].folder, sizeof catalog.drivers[4].folder, "Prism 3D");
  std::snprintf(catalog.drivers[5].folder, sizeof catalog.drivers[5].folder, "..");
  std::snprintf(catalog.drivers[6].folder, sizeof catalog.drivers[6].folder, "Aurion");
  using enum video::DriverChoiceShows;
  const struct {
    std::int32_t driver;
    video::DriverChoiceShows shows;
    std::optional<std::string> guideFolder;
  } cases[] = {
      {0, kNothing, std::nullopt},       {1, kInstalledNote, std::nullopt},
      {3, kInstalledNote, std::nullopt}, {4, kGuide, ".\\Driver\\Prism 3D"},
      {5, kGuide, std::nullopt},  // a folder DONE refuses has no location
      {6, kGuide, std::nullopt},  // nor has the list's last entry
      {7, kNothing, std::nullopt},
  };
  for (const auto& c : cases) {
    const video::DriverChoice choice = video::WhatChoosingShows(catalog, c.driver);
    EXPECT_EQ(choice.shows, c.shows) << c.driver;
    EXPECT_EQ(choice.guideFolder, c.guideFolder) << c.driver;
  }
}
}  // namespace
