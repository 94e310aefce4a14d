// The audio settings as a player works them on this machine, whose sound
// set-up has a mixer that plays but cannot record: every preview of the music
// level says so in two messages, and the dialog goes on.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "resources/resource.h"
#include "tests/e2e/driver/driver.h"
#include "tests/e2e/driver/places.h"
#include "tests/e2e/stage_fixture.h"

namespace {

using e2e::GameCopy;
using e2e::Launcher;
using e2e::WindowFacts;
using std::chrono::milliseconds;
namespace place = e2e::place;

// What one preview of the music level says on this machine.
const std::vector<std::string> kOnePreview = {" Mixer Open Error2", " Mixer Open Error3"};

class AudioSettings : public OnTheStage {
 protected:
  void Open(const std::string& audioFile) {
    game_.Write("info\\Audio.cfg", audioFile);
    StartLauncher();
    ASSERT_TRUE(e2e::ToOptionsMenu(stage_->handle));
    Reopen();
  }
  // Its bars are clicked where the dialog stands: once its DONE shows.
  void Reopen() {
    std::vector<std::string> texts;
    dialog_ = OpenSettings(Settings::kAudio, &texts);
    ASSERT_TRUE(dialog_);
    EXPECT_EQ(texts, kOnePreview) << "the preview of the level read";
  }
  void ClickOnDialog(POINT client) { e2e::LeftClickInClient(dialog_, client); }
  // DONE, and the file it wrote.
  std::optional<std::string> Done() {
    ClickOnDialog(place::kSmallDone);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(dialog_); }));
    return game_.Read("info\\Audio.cfg");
  }
  int Thumb(int bar) { return ScrollPosition(dialog_, bar); }
  // The middle of a bar's left or right arrow (the arrow boxes are square),
  // in screen pixels.
  POINT Arrow(int barId, bool right) {
    RECT bar = {};
    GetWindowRect(GetDlgItem(dialog_, barId), &bar);
    const int arrow = bar.bottom - bar.top;
    return {right ? bar.right - arrow / 2 : bar.left + arrow / 2, (bar.top + bar.bottom) / 2};
  }

  HWND dialog_ = nullptr;
};

TEST_F(AudioSettings, LevelsAreReadShownResetAndSavedMusicFirst) {
  Open("1\r\nSound 10\r\nMusic 40\r\n");
  EXPECT_EQ(Thumb(IDC_MUSIC_BAR), 40);
  EXPECT_EQ(Thumb(IDC_SOUND_BAR), 10);
  const WindowFacts facts = e2e::Describe(dialog_);
  EXPECT_EQ(facts.owner, stage_->handle);
  EXPECT_TRUE(facts.style & WS_BORDER);
  EXPECT_FALSE((facts.style & WS_CAPTION) == WS_CAPTION);
  EXPECT_TRUE(e2e::ShowsFace(dialog_, place::kSmallDefault, {IDB_AUDIO_DEFAULT + place::kNormal}));
  e2e::SaveScreenshot("audio-dialog");
  EXPECT_EQ(Done(), "1\r\nMusic 40\r\nSound 10\r\n");

  Reopen();
  ClickOnDialog(place::kSmallDefault);
  EXPECT_EQ(AnswerMixerMessages(), 2u) << "the default level previewed";
  EXPECT_EQ(Thumb(IDC_MUSIC_BAR), 25);
  EXPECT_EQ(Thumb(IDC_SOUND_BAR), 25);
  EXPECT_EQ(game_.Read("info\\Audio.cfg"), "1\r\nMusic 40\r\nSound 10\r\n") << "only DONE writes";
  EXPECT_EQ(Done(), "0\r\nMusic 25\r\nSound 25\r\n");
}

// The defaults show whatever the file holds; a bar moved from them makes the
// levels the player's own. An arrow is pressed as a finger does (about 150 ms)
// or held, on either bar after the other: each press steps once and previews
// once, its boxes one at a time; no bar goes on by itself under them.
TEST_F(AudioSettings, DefaultLevelsShowWhateverTheFileHoldsUntilABarMoves) {
  Open("0\r\nMusic 3\r\nSound 44\r\n");
  EXPECT_EQ(Thumb(IDC_MUSIC_BAR), 25);
  EXPECT_EQ(Thumb(IDC_SOUND_BAR), 25);
  const struct {
    int bar;
    bool right;
    milliseconds held;
    int level;
  } kPresses[] = {{IDC_MUSIC_BAR, true, milliseconds(150), 35},
                  {IDC_MUSIC_BAR, true, milliseconds(300), 45},
                  {IDC_SOUND_BAR, true, milliseconds(150), 35},
                  {IDC_MUSIC_BAR, false, milliseconds(300), 35}};
  for (const auto& press : kPresses) {
    const POINT arrow = Arrow(press.bar, press.right);
    e2e::MoveMouseTo(arrow.x, arrow.y);
    e2e::LeftButton(true);
    e2e::KeepPressedFor(press.held);  // the finger on the arrow
    e2e::LeftButton(false);
    EXPECT_EQ(AnswerMixerMessages(1, milliseconds(600)), 2u) << press.bar << " held " << press.held.count();
    EXPECT_EQ(Thumb(press.bar), press.level) << press.bar << " held " << press.held.count();
  }
  EXPECT_EQ(Done(), "1\r\nMusic 35\r\nSound 35\r\n");
}

// Page right on a bar at 45 gives 50, and the thumbs follow; the mixer is
// asked again at every scroll message (two messages each on this machine,
// counted in the other tests).
TEST_F(AudioSettings, PageRightAt45GivesFiftyAndALineLeftStopsAtZero) {
  Open("1\r\nMusic 45\r\nSound 5\r\n");
  // A click on a bar, as it goes where the mixer cannot be set: the press
  // scrolls, and the mixer's messages come up while the button is still
  // down; they are answered, then the button goes up.
  const auto clickOnBar = [&](int bar, POINT at, int level) {
    e2e::MoveMouseTo(at.x, at.y);
    e2e::LeftButton(true);
    EXPECT_EQ(AnswerMixerMessages(1, milliseconds(0)), 2u);
    e2e::LeftButton(false);
    AnswerMixerMessages(0, milliseconds(500));
    EXPECT_TRUE(e2e::WaitUntil([&] { return Thumb(bar) == level; }, milliseconds(3000)));
  };
  // On the music bar's track between the thumb and the right arrow: a click
  // on the thumb itself would start a drag instead of a page step.
  RECT bar = {};
  GetWindowRect(GetDlgItem(dialog_, IDC_MUSIC_BAR), &bar);
  const int arrow = bar.bottom - bar.top;  // the arrow boxes are square
  // The thumb as the system draws it (its width the system's, its place in
  // proportion to the level; GetScrollBarInfo does not reach across
  // processes under Wine).
  const int thumb = GetSystemMetrics(SM_CXHTHUMB);
  const int track = (bar.right - bar.left) - 2 * arrow;
  const int thumbRight = bar.left + arrow + (track - thumb) * 45 / 50 + thumb;
  ASSERT_LT(thumbRight + 4, bar.right - arrow) << "no track right of the thumb";
  clickOnBar(IDC_MUSIC_BAR, POINT{(thumbRight + bar.right - arrow) / 2, (bar.top + bar.bottom) / 2}, 50);
  EXPECT_EQ(Thumb(IDC_MUSIC_BAR), 50);
  EXPECT_EQ(Thumb(IDC_SOUND_BAR), 5);

  // The sound bar's left arrow: a line left from 5 stops at 0.
  clickOnBar(IDC_SOUND_BAR, Arrow(IDC_SOUND_BAR, false), 0);
  EXPECT_EQ(Thumb(IDC_SOUND_BAR), 0);
  EXPECT_EQ(Thumb(IDC_MUSIC_BAR), 50);
  EXPECT_EQ(Done(), "1\r\nMusic 50\r\nSound 0\r\n");
  // The options menu is drawn again behind it: AUDIO CALIBRATION, normal or lit.
  EXPECT_TRUE(e2e::ShowsFace(stage_->handle, FaceCentre(place::kOptionsMenu[1]),
                             {IDB_AUDIO_CALIBRATION + place::kNormal, IDB_AUDIO_CALIBRATION + place::kLit}));
}

// A press on a thumb previews its level at once, and the box that comes up
// ends the drag (the dialog beneath it takes no input, so the bar lets the
// mouse go): the rest of the drag changes nothing, and the thumb, the level
// and the file keep what the press gave.
TEST_F(AudioSettings, ADragEndsWithItsFirstPreviewsBox) {
  Open("1\r\nMusic 30\r\nSound 30\r\n");
  RECT bar = {};
  GetWindowRect(GetDlgItem(dialog_, IDC_MUSIC_BAR), &bar);
  const int arrow = bar.bottom - bar.top;
  const int track = (bar.right - bar.left) - 2 * arrow;
  const int y = (bar.top + bar.bottom) / 2;
  e2e::MoveMouseTo(bar.left + arrow + track * 30 / 50 + 2, y);  // on the thumb
  e2e::LeftButton(true);
  EXPECT_TRUE(e2e::WaitForMessageBox(*launcher_)) << "the press previews at once";
  e2e::MoveMouseTo(bar.left + 2, y);  // over the left arrow, past the track's end
  e2e::LeftButton(false);
  EXPECT_EQ(AnswerMixerMessages(1, milliseconds(1000)), 2u);
  EXPECT_EQ(Thumb(IDC_MUSIC_BAR), 30);
  EXPECT_EQ(Thumb(IDC_SOUND_BAR), 30);
  EXPECT_EQ(Done(), "1\r\nMusic 30\r\nSound 30\r\n");
}

}  // namespace
