// Settings files as a damaged or foreign installation leaves them, in six
// forms (see kForms). One launcher run per form walks all three settings
// dialogs over them and ends with a file that cannot be replaced at DONE
// (read-only, or held open by another program).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/e2e/driver/driver.h"
#include "tests/e2e/driver/places.h"
#include "tests/e2e/stage_fixture.h"

namespace {

using std::chrono::milliseconds;

enum Form { kTruncated, kEmpty, kOverlong, kNoise, kNoFinalLineEnd, kBeyond32Bits };

constexpr char kAudioFile[] = "info\\Audio.cfg";
constexpr char kKeysFile[] = "info\\keyvalue.cfg";
constexpr char kVideoFile[] = "info\\video.cfg";
constexpr char kCatalogFile[] = "info\\Driver.dat";
constexpr char kCaptionFile[] = "info\\String.dat";

// Well-formed files with values other than the defaults, for the forms that
// damage a file rather than replace it.
constexpr char kAudio[] = "1\r\nMusic 40\r\nSound 10\r\n";
constexpr char kVideo[] = "1\r\n5\r\n3\r\n70\r\n";
const std::vector<std::string> kCodes = {"16", "18", "19", "20", "21", "22",
                                         "23", "24", "25", "33", "34", "35"};
constexpr const char* kNames[] = {"Q", "E", "R", "T", "Y", "U", "I", "O", "P", "F", "G", "H"};
constexpr int kBuiltInCodes[] = {328, 331, 333, 336, 26, 27, 17, 30, 32, 31, 42, 29};

// Where each line's text starts and ends (before its line end).
struct Line {
  std::size_t start, end;
};
std::vector<Line> Lines(const std::string& file) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < file.size()) {
    std::size_t next = file.find('\n', start);
    next = next == std::string::npos ? file.size() : next + 1;
    std::size_t end = next;
    while (end > start && (file[end - 1] == '\n' || file[end - 1] == '\r')) {
      --end;
    }
    lines.push_back({start, end});
    start = next;
  }
  return lines;
}

// Cut in the middle of the line that holds the file's middle (or of the next
// line long enough to cut).
std::string Truncated(const std::string& file, unsigned) {
  for (const Line& line : Lines(file)) {
    if (line.end > file.size() / 2 && line.end - line.start >= 2) {
      return file.substr(0, line.start + (line.end - line.start) / 2);
    }
  }
  return file.substr(0, file.size() / 2);
}

// The second line (or the only one) made 100 KiB longer with digits: a number
// there grows beyond 32 bits, a text beyond its field.
std::string Overlong(const std::string& file, unsigned) {
  const std::vector<Line> lines = Lines(file);
  const std::size_t at = lines.size() > 1 ? lines[1].end : lines.empty() ? 0 : lines[0].end;
  return file.substr(0, at) + std::string(100 * 1024, '9') + file.substr(at);
}

// 4 KiB of random bytes from a fixed seed, NUL bytes among them.
std::string Noise(const std::string&, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(4096, '\0');
  for (char& byte : bytes) {
    byte = static_cast<char>(random() & 0xFF);
  }
  bytes[5] = '\0';
  return bytes;
}

// Every number that stands alone between blanks, tabs and line ends replaced
// by one beyond 32 bits, in turn.
std::string Beyond32Bits(const std::string& file, unsigned) {
  static const char* const kHuge[] = {"99999999999", "-99999999999", "4294967296"};
  static const std::regex kNumber("[+-]?[0-9]+");
  std::string out;
  std::size_t next = 0, pos = 0;
  while (pos < file.size()) {
    const std::size_t start = file.find_first_not_of(" \t\r\n", pos);
    if (start == std::string::npos) {
      break;
    }
    std::size_t end = file.find_first_of(" \t\r\n", start);
    end = end == std::string::npos ? file.size() : end;
    out += file.substr(pos, start - pos);
    const std::string token = file.substr(start, end - start);
    out += std::regex_match(token, kNumber) ? kHuge[next++ % 3] : token;
    pos = end;
  }
  return out + file.substr(pos);
}

std::string NoFinalLineEnd(const std::string& file, unsigned) {
  return file.size() >= 2 ? file.substr(0, file.size() - 2) : file;
}

// Each form by its name, in the order of Form.
const struct {
  const char* name;
  std::string (*make)(const std::string& file, unsigned seed);
} kForms[] = {{"Truncated", Truncated},
              {"Empty", [](const std::string&, unsigned) { return std::string(); }},
              {"Overlong", Overlong},
              {"Noise", Noise},
              {"NoFinalLineEnd", NoFinalLineEnd},
              {"Beyond32Bits", Beyond32Bits}};

// The file's lines as the game reads them, or nothing when it is not exactly
// `pattern` with CR LF line ends.
std::optional<std::smatch> Matches(const std::string& file, const std::string& pattern) {
  std::smatch match;
  return std::regex_match(file, match, std::regex(pattern)) ? std::optional<std::smatch>(match)
                                                            : std::nullopt;
}

using namespace e2e::place;

class HostileFiles : public OnTheStage, public testing::WithParamInterface<int> {
 protected:
  std::string Hostile(const std::string& file, unsigned seed) const {
    return kForms[GetParam()].make(file, seed);
  }

  HWND Open(Settings which) {
    std::vector<std::string> texts;
    const HWND dialog = OpenSettings(which, &texts);
    EXPECT_EQ(texts.size(), which == Settings::kAudio ? 2u : 0u) << "the preview of the level read";
    return dialog;
  }
  void CloseWith(HWND dialog, POINT button) {
    e2e::LeftClickInClient(dialog, button);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(dialog); })) << "the dialog stayed open";
  }

  // A step outwards from the end of the bar its thumb shows keeps the level
  // at that end (a level read beyond 32 bits sits at the range's end).
  void StepOutwards(HWND dialog, int barId) {
    const int shown = ScrollPosition(dialog, barId);
    if (shown != 0 && shown != 50) {
      return;
    }
    RECT bar = {};
    GetWindowRect(GetDlgItem(dialog, barId), &bar);
    const int arrow = bar.bottom - bar.top;
    e2e::LeftClickAt(shown == 0 ? bar.left + arrow / 2 : bar.right - arrow / 2, (bar.top + bar.bottom) / 2);
    EXPECT_GE(AnswerMixerMessages(), 1u);
    EXPECT_EQ(ScrollPosition(dialog, barId), shown) << "a step past the end of bar " << barId;
  }

  void WalkAudio(const std::string& hostile) {
    SCOPED_TRACE("audio dialog");
    const HWND dialog = Open(Settings::kAudio);
    ASSERT_TRUE(dialog);
    for (const int bar : {IDC_MUSIC_BAR, IDC_SOUND_BAR}) {
      EXPECT_GE(ScrollPosition(dialog, bar), 0) << bar;
      EXPECT_LE(ScrollPosition(dialog, bar), 50) << bar;
    }
    if (GetParam() == kBeyond32Bits) {  // the music level at one end, the sound level at the other
      StepOutwards(dialog, IDC_MUSIC_BAR);
      StepOutwards(dialog, IDC_SOUND_BAR);
    }
    e2e::SaveScreenshot(std::string("hostile-") + kForms[GetParam()].name + "-audio");
    const std::vector<int> shown = {ScrollPosition(dialog, IDC_MUSIC_BAR),
                                    ScrollPosition(dialog, IDC_SOUND_BAR)};
    ASSERT_NO_FATAL_FAILURE(CloseWith(dialog, kSmallDone));
    const std::string written = game_.Read(kAudioFile).value_or("");
    const auto match = Matches(written, "([01])\r\nMusic ([0-9]+)\r\nSound ([0-9]+)\r\n");
    ASSERT_TRUE(match) << "from " << hostile.substr(0, 200) << "\nwritten: " << written;
    EXPECT_EQ((std::vector<int>{std::stoi((*match)[2]), std::stoi((*match)[3])}), shown)
        << "the levels as shown";
  }

  // Which joystick face a place shows, 0 for neither. The two differ only in
  // their digit, so they are told apart where they differ.
  int FaceAt(HWND dialog, POINT place) {
    int shown = 0;
    e2e::WaitUntil(
        [&] {
          const auto rather = [&](int face, int other) {
            return e2e::ShowsFaceRatherThan(dialog, place, face, other, milliseconds(0)) ? face : 0;
          };
          shown = !e2e::ShowsFace(dialog, place, {kJoystick1Face, kJoystick2Face}, milliseconds(0))
                      ? 0
                      : rather(kJoystick1Face, kJoystick2Face) + rather(kJoystick2Face, kJoystick1Face);
          return shown != 0;
        },
        milliseconds(3000));
    return shown;
  }
  // Every key box shows a name from the key table (or none), the one the
  // file gives the slot or the built-in one; the joysticks sit one at each
  // place. Whether they are swapped.
  bool ExpectInputShownSanely(HWND dialog) {
    for (int slot = 0; slot < 12; ++slot) {
      const std::string name = e2e::ControlText(dialog, IDC_FIRST_KEY_BOX + slot);
      EXPECT_TRUE(name.empty() || name == kNames[slot] || name == kBuiltInKeyNames[slot])
          << "slot " << slot << " shows \"" << name << "\"";
    }
    const int first = FaceAt(dialog, kPlayer1Place);
    const int second = FaceAt(dialog, kPlayer2Place);
    EXPECT_TRUE((first == kJoystick1Face && second == kJoystick2Face) ||
                (first == kJoystick2Face && second == kJoystick1Face))
        << "faces " << first << " and " << second;
    return first == kJoystick2Face;
  }

  void WalkInput(const std::string& hostile) {
    SCOPED_TRACE("input dialog");
    HWND dialog = Open(Settings::kInput);
    ASSERT_TRUE(dialog);
    ExpectInputShownSanely(dialog);
    ASSERT_NO_FATAL_FAILURE(CloseWith(dialog, kInputCancel));
    EXPECT_EQ(game_.Read(kKeysFile), hostile) << "CANCEL wrote the file";

    dialog = Open(Settings::kInput);
    ASSERT_TRUE(dialog);
    const bool swapped = ExpectInputShownSanely(dialog);
    std::vector<std::string> names;
    for (int slot = 0; slot < 12; ++slot) {
      names.push_back(e2e::ControlText(dialog, IDC_FIRST_KEY_BOX + slot));
    }
    e2e::LeftClickInClient(dialog, kPlayer1Place);  // the joysticks change places
    e2e::MoveMouseTo(2, 2);
    const int now = swapped ? kJoystick1Face : kJoystick2Face;
    EXPECT_TRUE(e2e::WaitUntil([&] { return FaceAt(dialog, kPlayer1Place) == now; }, milliseconds(3000)))
        << "no swap";
    ASSERT_NO_FATAL_FAILURE(CloseWith(dialog, kInputDone));

    std::string pattern = "([01])\r\n";
    for (const char* key : kKeyFileKeys) {
      pattern += std::string(key) + " ([0-9]+)\r\n";
    }
    pattern += "#JoyStick ([01])\r\n";
    const std::string written = game_.Read(kKeysFile).value_or("");
    const auto match = Matches(written, pattern);
    ASSERT_TRUE(match) << "from " << hostile.substr(0, 200) << "\nwritten: " << written;
    for (int slot = 0; slot < 12; ++slot) {
      const int code = std::stoi((*match)[slot + 2]);
      EXPECT_LT(code, 400) << "slot " << slot;
      if (names[slot] == kNames[slot]) {
        EXPECT_EQ(std::to_string(code), kCodes[slot]) << "slot " << slot;
      } else if (names[slot] == kBuiltInKeyNames[slot]) {
        EXPECT_EQ(code, kBuiltInCodes[slot]) << "slot " << slot;
      }
    }
    EXPECT_EQ((*match)[14].str(), swapped ? "0" : "1") << "the joysticks as shown";
  }

  void WalkVideo(const std::string& what, const std::string& catalog, const std::string& settings) {
    SCOPED_TRACE(what);
    const HWND dialog = Open(Settings::kVideo);
    ASSERT_TRUE(dialog);
    const int drivers = ComboCount(dialog, IDC_DRIVER_LIST);
    const int driver = ComboSelection(dialog, IDC_DRIVER_LIST);
    const int modes = ComboCount(dialog, IDC_MODE_LIST);
    const int mode = ComboSelection(dialog, IDC_MODE_LIST);
    const int level = ScrollPosition(dialog, IDC_CALIBRATION_BAR);
    if (drivers > 0) {
      EXPECT_TRUE(driver >= 0 && driver < drivers) << driver << " of " << drivers;
    } else {
      EXPECT_EQ(driver, CB_ERR) << "a catalog without drivers has none to select";
    }
    EXPECT_TRUE(mode >= 0 && mode < modes) << mode << " of " << modes;
    EXPECT_TRUE(level >= 0 && level <= 100) << level;
    e2e::SaveScreenshot(std::string("hostile-") + kForms[GetParam()].name + "-video-" + what);
    ASSERT_NO_FATAL_FAILURE(CloseWith(dialog, kSmallDone));

    const std::string written = game_.Read(kVideoFile).value_or("");
    const auto match = Matches(written, "([01])\r\n([0-9]+)\r\n([0-9]+)\r\n([0-9]+)\r\n");
    ASSERT_TRUE(match) << "from " << settings.substr(0, 100) << " and " << catalog.substr(0, 100)
                       << "\nwritten: " << written;
    const std::vector<int> saved = {std::stoi((*match)[2]), std::stoi((*match)[3]), std::stoi((*match)[4])};
    EXPECT_LT(saved[0], std::max(drivers, 1));
    EXPECT_LT(saved[1], modes);
    EXPECT_LE(saved[2], 100);
    if ((*match)[1] == "1") {  // the player's own values are the ones shown
      EXPECT_EQ(saved, (std::vector<int>{std::max(driver, 0), mode, level}));
    }
  }

  // DONE on a file that cannot be replaced: the file-error dialog names it,
  // its second line comes from the caption file, OK ends the launcher with
  // exit code 1, and the old file stays as it was, with nothing left beside it.
  void FailToSave(Settings which, bool locked, const char* file, const std::string& hostile) {
    SCOPED_TRACE(std::string(locked ? "held open: " : "read-only: ") + file);
    game_.Write(file, hostile);
    if (!locked) {
      game_.SetReadOnly(file, true);
    }
    const HWND dialog = Open(which);
    ASSERT_TRUE(dialog);
    win::UniqueFile held;
    if (locked) {
      held = game_.Lock(file);
      ASSERT_TRUE(held);
    }
    const POINT done = which == Settings::kInput ? kInputDone : kSmallDone;
    e2e::LeftClickInClient(dialog, done);
    const auto error = WaitForFileErrorDialog(*launcher_);
    ASSERT_TRUE(error);
    EXPECT_LT(e2e::ControlText(error->handle, IDC_FILE_ERROR_TEXT).size(), 100u);
    e2e::SaveScreenshot(std::string("hostile-") + kForms[GetParam()].name + "-file-error");
    ExpectFileErrorDialogEndsTheLauncher(*launcher_, game_.PathOf(file));
    held.reset();
    game_.SetReadOnly(file, false);
    EXPECT_EQ(game_.Read(file), hostile) << "the old file was not kept";
    std::string temporary = file;
    temporary.back() = '~';
    EXPECT_FALSE(e2e::FileExists(game_.PathOf(temporary))) << "a temporary file was left";
  }
};

TEST_P(HostileFiles, EveryDialogShowsSaneValuesAndWritesWellFormedFiles) {
  const std::string shippedCatalog = game_.Read(kCatalogFile).value_or("");
  const std::string shippedCaptions = game_.Read(kCaptionFile).value_or("");
  ASSERT_FALSE(shippedCatalog.empty());
  const std::string audio = Hostile(kAudio, 1);
  const std::string keys = Hostile(KeysFile(kCodes, "1", "1"), 2);
  const std::string video = Hostile(kVideo, 3);
  const std::string catalog = Hostile(shippedCatalog, 4);
  game_.Write(kCaptionFile, Hostile(shippedCaptions, 5));  // read once, at start
  game_.Write(kAudioFile, audio);
  game_.Write(kKeysFile, keys);
  ASSERT_NO_FATAL_FAILURE(StartLauncher());
  ASSERT_TRUE(e2e::ToOptionsMenu(stage_->handle));

  WalkAudio(audio);
  WalkInput(keys);
  // The catalog first, as a damaged installation gives it to the first
  // opening in a run (later openings keep what a catalog does not give).
  game_.Write(kCatalogFile, catalog);
  game_.Write(kVideoFile, kVideo);
  WalkVideo("catalog", catalog, kVideo);
  game_.Write(kCatalogFile, shippedCatalog);
  game_.Write(kVideoFile, video);
  WalkVideo("settings", shippedCatalog, video);

  // Each form ends with one file that cannot be replaced, in turn.
  const int turn = GetParam();
  const char* const files[] = {kAudioFile, kKeysFile, kVideoFile};
  const std::string* const hostile[] = {&audio, &keys, &video};
  FailToSave(static_cast<Settings>(turn % 3), turn >= 3, files[turn % 3], *hostile[turn % 3]);
}

INSTANTIATE_TEST_SUITE_P(Forms, HostileFiles, testing::Range(0, 6),
                         [](const testing::TestParamInfo<int>& info) { return kForms[info.param].name; });

}  // namespace
