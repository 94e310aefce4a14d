// The settings files the game ships with read as the launcher expects, and the
// launcher would write them back unchanged.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "settings/audio/audio_settings.h"
#include "settings/input/key_bindings.h"
#include "settings/video/driver_catalog.h"
#include "settings/video/video_settings.h"

namespace {

std::string Shipped(const std::string& relative) {
  std::ifstream in(std::string(QUIL_DATA_DIR) + "/" + relative, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  EXPECT_TRUE(in.good() || in.eof()) << relative;
  return bytes.str();
}

TEST(ShippedFiles, EveryLineEndsInCrLf) {
  for (const char* name : {"info/Audio.cfg", "info/keyvalue.cfg", "info/video.cfg", "info/Driver.dat"}) {
    const std::string bytes = Shipped(name);
    ASSERT_FALSE(bytes.empty()) << name;
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << name;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      EXPECT_EQ(bytes[i] == '\n', i > 0 && bytes[i - 1] == '\r') << name << " at " << i;
    }
  }
}

TEST(ShippedFiles, SettingsHoldTheDefaultsAndWriteBackTheSame) {
  // The built-in set, marked built-in; a DONE without RESET marks it chosen.
  const std::string keys = Shipped("info/keyvalue.cfg");
  input::KeyEdit edit = input::OpenKeyEdit(input::ParseKeyBindings(keys));
  EXPECT_EQ(input::FormatKeyBindings(input::SettingsToSave(edit)), "1" + keys.substr(1));
  input::ResetKeys(edit);
  EXPECT_EQ(input::FormatKeyBindings(input::SettingsToSave(edit)), keys);

  audio::AudioSettings levels{9, 9, 9};
  audio::ParseAudioSettings(Shipped("info/Audio.cfg"), levels);
  EXPECT_EQ((std::vector<int>{levels.customized, levels.musicLevel, levels.soundLevel}),
            (std::vector<int>{0, audio::kDefaultLevel, audio::kDefaultLevel}));
  EXPECT_EQ(audio::FormatAudioSettings(levels), Shipped("info/Audio.cfg"));

  video::VideoSettings video{9, 9, 9, 9};
  video::ParseVideoSettings(Shipped("info/video.cfg"), video);
  EXPECT_EQ((std::vector<int>{video.customized, video.calibrationLevel}), (std::vector<int>{0, 50}));
  EXPECT_EQ(video::FormatVideoSettings(video), Shipped("info/video.cfg"));
}

TEST(ShippedFiles, TheDriverCatalogFitsItsRecordsAndItsFoldersExist) {
  const std::string bytes = Shipped("info/Driver.dat");
  video::DriverCatalog catalog;
  video::ParseDriverCatalog(bytes, catalog);
  ASSERT_GE(catalog.driverCount, 5) << "the system driver, three copied ones and a last entry";
  EXPECT_EQ(std::to_string(catalog.driverCount), bytes.substr(0, bytes.find('\r')));
  for (int i = 0; i < catalog.driverCount; ++i) {
    EXPECT_GT(std::strlen(catalog.drivers[i].name), 0u) << i;
    EXPECT_GT(std::strlen(catalog.drivers[i].folder), 0u) << i;
    if (i >= 1 && i < catalog.driverCount - 1) {
      EXPECT_TRUE(
          std::filesystem::is_directory(std::string(QUIL_DATA_DIR) + "/Driver/" + catalog.drivers[i].folder))
          << catalog.drivers[i].folder;
    }
  }
  EXPECT_STREQ(catalog.drivers[catalog.driverCount - 1].name, "Other OpenGL driver");
  ASSERT_GE(catalog.modeCount, 2);
  EXPECT_EQ(video::FormatDisplayMode(catalog.modes[0]), "640 X 480  16");
  EXPECT_STREQ(catalog.lastModeLabel, "Desktop resolution");
  EXPECT_EQ(bytes.find("Desktop resolution\r\n"), bytes.size() - 20) << "the label is the last line";
}

}  // namespace
