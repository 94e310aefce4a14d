// What the game reads at its start from the files the launcher keeps for it:
// the game mode and the time of the start request (Info\GameMode.dat), the
// two players' keys (info\keyvalue.cfg), the video choice (info\video.cfg)
// with the driver catalog (info\Driver.dat), and the audio levels
// (info\Audio.cfg). Each file is read once, as bytes, with the launcher's own
// readers, and checked: it is missing, well-formed, or its first problem is
// named.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/audio/audio_settings.h"
#include "settings/input/key_bindings.h"
#include "settings/video/driver_catalog.h"
#include "settings/video/video_settings.h"

namespace game {

struct FileCheck {
  bool found = false;
  std::string problem;  // empty when the file is well-formed

  bool WellFormed() const { return found && problem.empty(); }
  // "missing", "well-formed" or "not well-formed: <problem>".
  std::string Describe() const;
};

struct GameMode {
  bool modeGiven = false;  // the first line held a number
  std::int32_t mode = 0;
  std::string timeStamp;  // the second line as it stands, empty when there is none
};

// GameMode.dat: a decimal game mode alone on the first line, and on the
// second the UTC time stamp "month::day::hour::minute" in plain decimals
// without leading zeros (month 1 to 12, day 1 to 31, hour 0 to 23, minute 0
// to 59); white space may end a line, and only white space may follow. The
// problem found first, or an empty text.
std::string CheckGameMode(std::string_view fileBytes, GameMode& gameMode);

struct GameFiles {
  FileCheck gameModeFile;
  GameMode gameMode;
  FileCheck keysFile;
  input::InputSettings keys;
  FileCheck videoFile;
  video::VideoSettings video;
  FileCheck catalogFile;
  video::DriverCatalog catalog;
  FileCheck audioFile;
  audio::AudioSettings audio;
};

// Reads and checks the five files in the current folder. A value a file does
// not give reads as 0.
void ReadGameFiles(GameFiles& files);

// The display mode that video.cfg chooses, as the launcher's mode list names
// it; empty when its index is not in that list.
std::string ChosenModeText(const video::DriverCatalog& catalog, const video::VideoSettings& video);

}  // namespace game
