#include "game_files.h"

#include <limits>
#include <vector>

#include "common/text_mode.h"
#include "common/win/file_io.h"
#include "launch/game_mode.h"
#include "settings/input/key_names.h"

namespace game {

namespace {

constexpr char kGameModePath[] = ".\\Info\\GameMode.dat";
constexpr char kKeysPath[] = ".\\info\\keyvalue.cfg";
constexpr char kVideoPath[] = ".\\info\\video.cfg";
constexpr char kCatalogPath[] = ".\\info\\Driver.dat";
constexpr char kAudioPath[] = ".\\info\\Audio.cfg";

// Fields start out holding this, which no file that gives the field leaves
// there, so a field still holding it was not given.
constexpr std::int32_t kAbsent = std::numeric_limits<std::int32_t>::min();

bool ReadRelativeFile(const char* relative, std::string& bytes) {
  win::FullPath path;
  return win::ResolveFullPath(relative, path) && win::ReadFileBytes(path.text, bytes);
}

std::string_view TrimEnd(std::string_view line) {
  while (!line.empty() && text::IsScanSpace(line.back())) {
    line.remove_suffix(1);
  }
  return line;
}

bool IsBlank(std::string_view s) {
  return TrimEnd(s).empty();
}

bool IsDigits(std::string_view s) {
  if (s.empty()) {
    return false;
  }
  for (const char c : s) {
    if (c < '0' || c > '9') {
      return false;
    }
  }
  return true;
}

std::string RangeProblem(const char* what, std::int32_t value, std::int32_t low, std::int32_t high) {
  if (value >= low && value <= high) {
    return {};
  }
  return std::string(what) + " " + std::to_string(value) + " is outside " + std::to_string(low) + " to " +
         std::to_string(high);
}

// "month::day::hour::minute": four parts of one or two digits, in range, and
// spelled as the launcher spells them.
std::string CheckTimeStamp(std::string_view stamp) {
  const char* const malformed = "the time stamp is not month::day::hour::minute";
  std::int32_t parts[4] = {};
  std::size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    const std::size_t end = i < 3 ? stamp.find("::", start) : stamp.size();
    if (end == std::string_view::npos) {
      return malformed;
    }
    const std::string_view part = stamp.substr(start, end - start);
    if (!IsDigits(part) || part.size() > 2) {
      return malformed;
    }
    parts[i] = text::ParseLeadingInt(part);
    start = end + 2;
  }
  static const char* const kNames[4] = {"month", "day", "hour", "minute"};
  static const std::int32_t kLow[4] = {1, 1, 0, 0};
  static const std::int32_t kHigh[4] = {12, 31, 23, 59};
  for (int i = 0; i < 4; ++i) {
    std::string problem = RangeProblem(kNames[i], parts[i], kLow[i], kHigh[i]);
    if (!problem.empty()) {
      return problem;
    }
  }
  launch::TimeStamp canonical;
  launch::MakeTimeStamp(parts[0], parts[1], parts[2], parts[3], canonical);
  if (stamp != canonical.text) {
    return "the time stamp has leading zeros";
  }
  return {};
}

std::string CheckKeys(const input::InputSettings& keys) {
  if (keys.customKeys == kAbsent) {
    return "no first value";
  }
  input::KeyNameTable names;
  input::FillKeyNameTable(names);
  for (int slot = 0; slot < input::kBindingSlotCount; ++slot) {
    const input::KeyCode code = keys.bindings[slot];
    if (code == kAbsent) {
      return std::string("no ") + input::kBindingKeys[slot] + " line";
    }
    if (code != 0 && input::KeyName(names, code)[0] == '\0') {
      return std::string(input::kBindingKeys[slot]) + " " + std::to_string(code) + " is no key";
    }
  }
  if (keys.joystickSwap == kAbsent) {
    return std::string("no ") + input::kJoystickKey + " line";
  }
  return {};
}

std::string CheckCatalog(const video::DriverCatalog& catalog) {
  if (catalog.driverCount < 1) {
    return "no drivers";
  }
  for (std::int32_t i = 0; i < catalog.driverCount; ++i) {
    if (catalog.drivers[i].name[0] == '\0') {
      return "driver " + std::to_string(i) + " has no name";
    }
  }
  if (catalog.modeCount < 1) {
    return "no display modes";
  }
  return {};
}

std::string CheckVideo(const video::VideoSettings& video, const GameFiles& files) {
  const std::int32_t values[4] = {video.customized, video.driverIndex, video.modeIndex,
                                  video.calibrationLevel};
  for (int i = 0; i < 4; ++i) {
    if (values[i] == kAbsent) {
      return "only " + std::to_string(i) + " of its 4 values";
    }
  }
  std::string problem = RangeProblem("the customized flag", video.customized, 0, 1);
  if (problem.empty() && files.catalogFile.WellFormed()) {
    problem = RangeProblem("driver", video.driverIndex, 0, files.catalog.driverCount - 1);
    if (problem.empty() && ChosenModeText(files.catalog, video).empty()) {
      problem = "mode " + std::to_string(video.modeIndex) + " is not in the driver's mode list";
    }
  }
  if (problem.empty()) {
    problem = RangeProblem("calibration level", video.calibrationLevel, 0, 100);
  }
  return problem;
}

std::string CheckAudio(const audio::AudioSettings& audio) {
  if (audio.customized == kAbsent) {
    return "no first value";
  }
  if (audio.musicLevel == kAbsent) {
    return std::string("no ") + audio::kMusicKey + " line";
  }
  if (audio.soundLevel == kAbsent) {
    return std::string("no ") + audio::kSoundKey + " line";
  }
  std::string problem = RangeProblem("music level", audio.musicLevel, 0, 50);
  return problem.empty() ? RangeProblem("sound level", audio.soundLevel, 0, 50) : problem;
}

void ZeroIfAbsent(std::int32_t& value) {
  if (value == kAbsent) {
    value = 0;
  }
}

}  // namespace

std::string FileCheck::Describe() const {
  if (!found) {
    return "missing";
  }
  return problem.empty() ? "well-formed" : "not well-formed: " + problem;
}

std::string CheckGameMode(std::string_view fileBytes, GameMode& gameMode) {
  const std::string decoded = text::DecodeTextMode(fileBytes);
  std::vector<std::string_view> lines;
  std::string_view rest = decoded;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    lines.push_back(TrimEnd(rest.substr(0, end)));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  if (lines.empty() || lines[0].empty()) {
    return "no game mode";
  }
  const std::string_view mode = lines[0].front() == '-' ? lines[0].substr(1) : lines[0];
  if (!IsDigits(mode)) {
    return "the game mode is not a number";
  }
  gameMode.modeGiven = true;
  gameMode.mode = text::ParseLeadingInt(lines[0]);
  if (lines.size() < 2 || lines[1].empty()) {
    return "no time stamp";
  }
  gameMode.timeStamp = std::string(lines[1].substr(0, launch::kTimeStampSize - 1));
  std::string problem = CheckTimeStamp(lines[1]);
  if (!problem.empty()) {
    return problem;
  }
  for (std::size_t i = 2; i < lines.size(); ++i) {
    if (!IsBlank(lines[i])) {
      return "more than two lines";
    }
  }
  return {};
}

void ReadGameFiles(GameFiles& files) {
  files = GameFiles{};
  std::string bytes;

  if ((files.gameModeFile.found = ReadRelativeFile(kGameModePath, bytes))) {
    files.gameModeFile.problem = CheckGameMode(bytes, files.gameMode);
  }

  input::InputSettings& keys = files.keys;
  keys.customKeys = kAbsent;
  keys.joystickSwap = kAbsent;
  for (input::KeyCode& code : keys.bindings) {
    code = kAbsent;
  }
  if ((files.keysFile.found = ReadRelativeFile(kKeysPath, bytes))) {
    input::ParseKeyBindings(bytes, keys);
    files.keysFile.problem = CheckKeys(keys);
  }
  ZeroIfAbsent(keys.customKeys);
  ZeroIfAbsent(keys.joystickSwap);
  for (input::KeyCode& code : keys.bindings) {
    ZeroIfAbsent(code);
  }

  if ((files.catalogFile.found = ReadRelativeFile(kCatalogPath, bytes))) {
    video::ParseDriverCatalog(bytes, files.catalog);
    files.catalogFile.problem = CheckCatalog(files.catalog);
  }

  video::VideoSettings& video = files.video;
  video = {kAbsent, kAbsent, kAbsent, kAbsent};
  if ((files.videoFile.found = ReadRelativeFile(kVideoPath, bytes))) {
    video::ParseVideoSettings(bytes, video);
    files.videoFile.problem = CheckVideo(video, files);
  }
  for (std::int32_t* value :
       {&video.customized, &video.driverIndex, &video.modeIndex, &video.calibrationLevel}) {
    ZeroIfAbsent(*value);
  }

  audio::AudioSettings& audio = files.audio;
  audio = {kAbsent, kAbsent, kAbsent};
  if ((files.audioFile.found = ReadRelativeFile(kAudioPath, bytes))) {
    audio::ParseAudioSettings(bytes, audio);
    files.audioFile.problem = CheckAudio(audio);
  }
  for (std::int32_t* value : {&audio.customized, &audio.musicLevel, &audio.soundLevel}) {
    ZeroIfAbsent(*value);
  }
}

std::string ChosenModeText(const video::DriverCatalog& catalog, const video::VideoSettings& video) {
  const std::vector<std::string> modes = video::ModeListTexts(catalog, video.driverIndex);
  if (video.modeIndex < 0 || static_cast<std::size_t>(video.modeIndex) >= modes.size()) {
    return {};
  }
  return modes[static_cast<std::size_t>(video.modeIndex)];
}

}  // namespace game
