#include "settings/video/driver_plan.h"
#include "settings/video/video_settings.h"
#include "tests/native/scroll_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace std::string_literals;
using Texts = std::vector<std::string>;
using Ints = std::vector<std::int32_t>;

Ints Fields(const video::VideoSettings& s) {
  return {s.customized, s.driverIndex, s.modeIndex, s.calibrationLevel};
}

TEST(VideoSettings, AFileReadsAndWritesBackByteForByte) {
  const std::string file = "1\r\n5\r\n2\r\n70\r\n";
  video::VideoSettings settings;
  video::ParseVideoSettings(file, settings);
  EXPECT_EQ(Fields(settings), (Ints{1, 5, 2, 70}));
  EXPECT_EQ(video::FormatVideoSettings(settings), file);

  settings = {-1, INT32_MIN, INT32_MAX, 0};
  EXPECT_EQ(video::FormatVideoSettings(settings), "-1\r\n-2147483648\r\n2147483647\r\n0\r\n");
}

TEST(VideoSettings, ReaderCases) {
  // What each file makes of the fields 9, 9, 9, 9.
  const std::tuple<const char*, std::string, Ints> cases[] = {
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
  for (const auto& [what, bytes, expected] : cases) {
    video::VideoSettings settings{9, 9, 9, 9};
    video::ParseVideoSettings(bytes, settings);
    EXPECT_EQ(Fields(settings), expected) << what;
  }
}

// What the dialog shows of a file is what DONE applies and saves: values out
// of the catalog's reach are brought back into it at opening.
TEST(VideoSettings, ValuesBeyondTheCatalogAreBroughtWithinIt) {
  video::DriverCatalog catalog;
  catalog.driverCount = 7;
  catalog.modeCount = 4;  // the list of drivers 0 and 4 to 6: three modes and the label
  const video::DriverCatalog empty;
  const std::tuple<const char*, const video::DriverCatalog&, video::VideoSettings, Ints> cases[] = {
      {"within range", catalog, {1, 5, 3, 70}, {1, 5, 3, 70}},
      {"the defaults keep what they hold", catalog, {0, 6, 3, 0}, {0, 6, 3, 0}},
      {"one mode for the drivers the launcher installs", catalog, {1, 2, 3, 100}, {1, 2, 0, 100}},
      {"a driver past the list", catalog, {1, 7, 3, 50}, {1, 0, 3, 50}},
      {"beyond 32 bits", catalog, {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MAX}, {1, 0, 0, 100}},
      {"negative", catalog, {-1, -1, -1, -1}, {1, 0, 0, 0}},
      {"a mode past the list", catalog, {1, 4, 4, 50}, {1, 4, 0, 50}},
      {"no drivers at all: the label alone", empty, {1, 3, 1, 50}, {1, 0, 0, 50}},
  };
  for (auto [what, within, settings, expected] : cases) {
    video::FitToCatalog(settings, within);
    EXPECT_EQ(Fields(settings), expected) << what;
  }
}

// What DONE does for the driver it applies, planned from what the game folder
// holds: the steps in their order ("source > target", no source where the
// target goes), or a refusal ("what|named"). A catalog folder is one name
// right under Driver\ that fits its path; copies go two folders up from it,
// which must be the program folder, in paths of at most 79 characters; a
// read-only copy or a folder is never replaced or removed.
TEST(DriverPlan, DoneCopiesOrRemovesThePairWholeOrSaysWhyNot) {
  using enum video::FileKind;
  const auto copies = [](const std::string& from, const std::string& to) {
    return from + "\\Glu32.dll > " + to + "\\Glu32.dll, " + from + "\\Opengl32.dll > " + to +
           "\\Opengl32.dll";
  };
  const std::string v = "C:\\Q\\Driver\\V", put = copies(v, "C:\\Q"), root = "C:\\Driver\\V", f40(40, 'f'),
                    f41(41, 'f');
  const std::string x = "C:\\Q\\Driver\\" + std::string(54, 'x');  // x\Opengl32.dll: 79 characters
  const std::string notOne = "Driver folder is not one folder under Driver\\: |",
                    tooLong = "Driver folder path too long|-";
  const std::string missing = "Driver file not found:\n|" + v + "\\",
                    removed = "Driver file could not be removed:\n|C:\\Q\\";
  const std::string installed = "Driver file could not be installed:\n|C:\\Q\\";
  video::DriverEntry entry;
  const struct Case {
    std::int32_t driver;
    std::string plan;
    const char* folder = "V";  // the catalog entry's (none past the catalog's end)
    std::optional<std::string> program = "C:\\Q", resolved = "C:\\Q\\Driver\\V";  // and .\Driver\<folder>
    video::FileKind sources[2] = {kFile, kFile}, copies[2] = {kFile, kFile};      // Glu32, Opengl32
    bool videoFile = true;                                                        // video.cfg can be replaced
  } cases[] = {
      {.driver = 1, .plan = put},
      {.driver = 3, .plan = put, .program = "c:\\q\\"},
      {.driver = 1, .plan = copies(root, "C:"), .program = "C:\\", .resolved = root},
      {.driver = 1, .plan = copies(x, "C:\\Q"), .resolved = x, .copies = {kNone, kNone}},
      {.driver = 1, .plan = tooLong, .resolved = x + "x"},
      {.driver = 1, .plan = tooLong, .resolved = "V"},
      {.driver = 1, .plan = tooLong, .resolved = std::nullopt},
      {.driver = 1, .plan = put, .folder = "Prism 3D v1.2"},
      {.driver = 1, .plan = put, .folder = ".hidden"},
      {.driver = 1, .plan = put, .folder = f40.c_str()},
      {.driver = 1, .plan = tooLong, .folder = f41.c_str()},
      {.driver = 1, .plan = notOne, .folder = ""},
      {.driver = 1, .plan = notOne + ".", .folder = "."},
      {.driver = 1, .plan = notOne + "..", .folder = ".."},
      {.driver = 1, .plan = notOne + "...", .folder = "..."},
      {.driver = 1, .plan = notOne + "..\\..\\Windows\\x", .folder = "..\\..\\Windows\\x"},
      {.driver = 1, .plan = notOne + "Velox\\", .folder = "Velox\\"},
      {.driver = 1, .plan = notOne + "Velox/old", .folder = "Velox/old"},
      {.driver = 1, .plan = notOne + "C:Velox", .folder = "C:Velox"},
      {.driver = 1, .plan = notOne + "V", .program = "C:\\Q\\R"},
      {.driver = 1, .plan = notOne + "V", .resolved = "C:\\Q2\\Driver\\V"},
      {.driver = 1, .plan = notOne + "V", .resolved = "C:\\Q\\Driver\\Driver\\V"},
      {.driver = 1, .plan = notOne + "V", .program = std::nullopt},
      {.driver = 1, .plan = missing + "Glu32.dll", .sources = {kNone, kFolder}, .copies = {kReadOnly, kFile}},
      {.driver = 1, .plan = missing + "Opengl32.dll", .sources = {kReadOnly, kFolder}},
      {.driver = 2, .plan = installed + "Glu32.dll", .copies = {kFolder, kReadOnly}},
      {.driver = 0, .plan = "> C:\\Q\\Opengl32.dll, > C:\\Q\\Glu32.dll", .copies = {kNone, kFile}},
      {.driver = 0, .plan = removed + "Glu32.dll", .copies = {kReadOnly, kFile}},
      {.driver = 0, .plan = removed + "Opengl32.dll", .copies = {kReadOnly, kFolder}},
      {.driver = 1, .plan = "|-", .sources = {kNone, kNone}, .videoFile = false},
      {.driver = 4, .plan = "|-", .videoFile = false},
      {.driver = 4, .plan = ""},
      {.driver = -1, .plan = ""},
      {.driver = 2, .plan = "Driver folder is not one folder under Driver\\: |", .folder = nullptr},
  };
  for (const Case& c : cases) {
    std::snprintf(entry.folder, sizeof entry.folder, "%s", c.folder ? c.folder : "");
    video::GameFolder folder{
        c.videoFile, c.program, c.resolved, {{true, "C:\\Q\\Glu32.dll"}, {true, "C:\\Q\\Opengl32.dll"}}};
    std::copy_n(c.copies, 2, folder.copyKinds);
    std::copy_n(c.sources, 2, folder.sourceKinds);
    const auto plan =
        video::PlanDriverChange(video::AppliedDriver{c.driver, c.folder ? &entry : nullptr}, folder);
    std::string seen = plan.refusal ? plan.refusal->what + ("|" + plan.refusal->named.value_or("-")) : "";
    for (const video::DriverStep& step : plan.steps) {
      seen += (seen.empty() ? "" : ", ") + step.source + (step.source.empty() ? "> " : " > ") + step.target;
    }
    EXPECT_EQ(seen, c.plan) << c.driver << " " << (c.folder ? c.folder : "-") << " "
                            << c.resolved.value_or("-");
  }
}

// Every sequence of choices from every file: the list, the mode and the bar
// show the player's values once a choice has made them so, the defaults
// (driver 0, mode 0, level 50) until then; a choice over the defaults starts
// from driver 0 and mode 0 and keeps the stored level. The mode list holds the
// first mode alone for drivers 1 to 3, every mode but the last and the label
// for others. A step of one control moves no other, but for the mode list a
// driver choice fills again, and the bar, which shows the stored level once
// the defaults are left. DONE puts in place the driver shown and saves what is
// shown, or, when its files cannot be put in place, keeps the mark, driver and
// mode the file named at opening. An untouched file keeps its stored driver
// out of sight: DONE neither installs nor removes one for it.
TEST(VideoEdit, DoneSavesWhatTheDialogShowsOverEverySequence) {
  std::mt19937 random(20261210);
  const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  video::DriverCatalog catalog;
  catalog.driverCount = 7;
  catalog.modeCount = 4;
  catalog.modes[0] = {640, 480, 16}, catalog.modes[1] = {800, 600, 16}, catalog.modes[2] = {1024, 768, 32};
  std::snprintf(catalog.lastModeLabel, sizeof catalog.lastModeLabel, "Desktop");
  const std::vector<std::string> modes = {"640 X 480  16", "800 X 600  16", "1024 X 768  32", "Desktop"};
  const auto modeList = [&](int driver) { return driver >= 1 && driver <= 3 ? Texts{modes[0]} : modes; };
  for (int run = 0; run < 5000; ++run) {
    video::VideoSettings read{pick(-1, 2), pick(-1, 8), pick(-1, 5), pick(-20, 120)};
    video::FitToCatalog(read, catalog);
    video::VideoEdit edit{read, read};
    int driver = read.driverIndex, mode = read.modeIndex, level = read.calibrationLevel, choice = -1;
    bool own = read.customized != 0, ownBefore = own, defaulted = false;
    std::string steps = "from " + video::FormatVideoSettings(read);
    std::vector<int> before;
    for (int step = pick(0, 5);; --step) {
      const int list = own ? driver : 0;
      const video::ShownVideoValues shown = video::ShownValues(edit.now);
      const std::vector<int> now{shown.driver, shown.mode, shown.calibrationLevel};
      ASSERT_EQ(now, (std::vector<int>{list, own ? mode : 0, own ? level : 50})) << steps;
      ASSERT_EQ(video::ModeListTexts(catalog, shown.driver), modeList(list)) << steps;
      for (int control = 0; choice >= 0 && choice < 3 && control < 3; ++control) {
        const bool refilled = (choice == 0 && control == 1) || (!ownBefore && control == 2);
        EXPECT_TRUE(control == choice || refilled || now[control] == before[control]) << steps;
      }
      if (step == 0) {
        break;
      }
      before = now, ownBefore = own, choice = pick(0, 3);
      driver = own ? driver : 0, mode = own ? mode : 0;  // a choice over the defaults starts from 0 and 0
      if (choice == 0) {
        driver = pick(0, catalog.driverCount - 1), mode = 0;
        video::ChooseDriver(edit, driver);
      } else if (choice == 1) {
        mode = pick(0, static_cast<int>(modeList(list).size()) - 1);
        video::ChooseMode(edit, mode);
      } else if (choice == 2) {
        const int code = pick(0, 8), thumb = pick(-5, 120);
        level = static_cast<int>(Stepped(level, code, thumb, 100));
        video::ScrollCalibration(edit, code, static_cast<std::int16_t>(thumb));
      } else {
        driver = mode = 0;
        video::ChooseDefaults(edit);
      }
      own = choice != 3;
      defaulted = choice == 3;
      steps += " " + std::to_string(choice);
    }
    const auto applied = video::DriverDoneApplies(catalog, own ? driver : 0, edit.now.driverIndex);
    const video::VideoSettings saved = video::SavedAtDone(edit, true);
    if (own) {
      EXPECT_EQ(Fields(saved), (Ints{1, driver, mode, level})) << steps;
      EXPECT_TRUE(applied && applied->index == driver) << steps;
    } else {
      EXPECT_EQ(saved.customized, 0) << steps;
      EXPECT_EQ(applied.has_value(), saved.driverIndex == 0) << steps;
      EXPECT_TRUE(!defaulted || (saved.driverIndex == 0 && saved.modeIndex == 0)) << steps;
    }
    const video::VideoSettings refused = video::SavedAtDone(edit, false);
    EXPECT_EQ(Fields(refused),
              (Ints{read.customized, read.driverIndex, read.modeIndex, saved.calibrationLevel}))
        << steps;
  }
}

TEST(VideoChoices, ChoosingADriverBringsUpItsNoteOrItsGuide) {
  video::DriverCatalog catalog;
  catalog.driverCount = 7;
  std::snprintf(catalog.drivers[4].folder, sizeof catalog.drivers[4].folder, "Prism 3D");
  std::snprintf(catalog.drivers[5].folder, sizeof catalog.drivers[5].folder, "..");
  std::snprintf(catalog.drivers[6].folder, sizeof catalog.drivers[6].folder, "Aurion");
  using enum video::DriverChoiceShows;
  // By driver: a folder DONE refuses (5) has no location, nor has the list's last entry (6).
  const std::pair<video::DriverChoiceShows, std::optional<std::string>> shows[] = {
      {kNothing, std::nullopt},       {kInstalledNote, std::nullopt},  {kInstalledNote, std::nullopt},
      {kInstalledNote, std::nullopt}, {kGuide, ".\\Driver\\Prism 3D"}, {kGuide, std::nullopt},
      {kGuide, std::nullopt},         {kNothing, std::nullopt}};
  for (int driver = 0; driver < 8; ++driver) {
    const video::DriverChoice choice = video::WhatChoosingShows(catalog, driver);
    EXPECT_EQ(std::pair(choice.shows, choice.guideFolder), shows[driver]) << driver;
  }
}
}  // namespace
