// The audio settings as a player works them on this machine, whose sound
// set-up has a mixer that plays but cannot record: every preview of the music
// level says so in two messages, and the dialog goes on.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "resources/resource.h"
#include "tests/e2e/driver/driver.h"
#include "tests/e2e/driver/places.h"
#include "tests/e2e/stage_fixture.h"

namespace {

using std::chrono::milliseconds;
namespace place = e2e::place;

// What one preview of the music level says on this machine.
const std::vector<std::string> kOnePreview = {" Mixer Open Error2", " Mixer Open Error3"};

class AudioSettings : public OnTheStage {
 protected:
  // The file given, the launcher started on the options menu if it is not,
  // and the dialog opened; its bars are clicked where it stands: once its
  // DONE shows.
  void Open(const std::optional<std::string>& audioFile = std::nullopt) {
    if (audioFile) {
      game_.Write("info\\Audio.cfg", *audioFile);
    }
    if (!stage_) {
      StartLauncher();
      ASSERT_TRUE(e2e::ToOptionsMenu(stage_->handle));
    }
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
  std::vector<int> Thumbs() { return {Thumb(IDC_MUSIC_BAR), Thumb(IDC_SOUND_BAR)}; }
  // Where a press lands on a bar, in screen pixels: the middle of an arrow
  // (the arrow boxes are square), the thumb, or the track between the thumb
  // and the right arrow, the thumb as the system draws it (its width the system's, its place
  // in proportion to the level; GetScrollBarInfo does not reach across
  // processes under Wine).
  enum Where { kLeftArrow, kRightArrow, kRightOfTheThumb, kOnTheThumb };
  POINT On(int barId, Where where) {
    RECT bar = {};
    GetWindowRect(GetDlgItem(dialog_, barId), &bar);
    const int arrow = bar.bottom - bar.top, y = (bar.top + bar.bottom) / 2,
              thumb = GetSystemMetrics(SM_CXHTHUMB);
    const int thumbRight =
        bar.left + arrow + (bar.right - bar.left - 2 * arrow - thumb) * Thumb(barId) / 50 + thumb;
    if (where == kOnTheThumb) {
      return {thumbRight - thumb / 2, y};
    }
    if (where == kRightOfTheThumb) {
      EXPECT_LT(thumbRight + 4, bar.right - arrow) << "no track right of the thumb";
      return {(thumbRight + bar.right - arrow) / 2, y};
    }
    return {where == kRightArrow ? bar.right - arrow / 2 : bar.left + arrow / 2, y};
  }

  HWND dialog_ = nullptr;
};

// Each opening reads the file anew.
TEST_F(AudioSettings, LevelsAreReadShownResetPressedDraggedAndSavedMusicFirst) {
  Open("1\r\nSound 10\r\nMusic 40\r\n");
  EXPECT_EQ(Thumbs(), (std::vector<int>{40, 10}));
  const e2e::WindowFacts facts = e2e::Describe(dialog_);
  EXPECT_EQ(facts.owner, stage_->handle);
  EXPECT_TRUE(facts.style & WS_BORDER);
  EXPECT_TRUE(e2e::ShowsFace(dialog_, place::kSmallDefault, {IDB_AUDIO_DEFAULT + place::kNormal}));
  e2e::SaveScreenshot("audio-dialog");
  EXPECT_EQ(Done(), "1\r\nMusic 40\r\nSound 10\r\n");

  Open();
  ClickOnDialog(place::kSmallDefault);
  EXPECT_EQ(AnswerMixerMessages(), 2u) << "the default level previewed";
  EXPECT_EQ(Thumbs(), (std::vector<int>{25, 25}));
  EXPECT_EQ(game_.Read("info\\Audio.cfg"), "1\r\nMusic 40\r\nSound 10\r\n") << "only DONE writes";
  EXPECT_EQ(Done(), "0\r\nMusic 25\r\nSound 25\r\n");

  // The defaults show whatever the file holds; a bar moved from them makes the
  // levels the player's own. A bar is pressed as a finger does (about 150 ms)
  // or held, on either bar after the other: each press steps once (a page
  // right at 45 gives 50) and previews once, its boxes one at a time; no bar
  // goes on by itself under them.
  Open("0\r\nMusic 3\r\nSound 44\r\n");
  EXPECT_EQ(Thumbs(), (std::vector<int>{25, 25}));
  // Each press: the bar, where, how long it is held and the level it gives.
  const std::tuple<int, Where, milliseconds, int> kPresses[] = {
      {IDC_MUSIC_BAR, kRightArrow, milliseconds(150), 35},
      {IDC_SOUND_BAR, kRightArrow, milliseconds(150), 35},
      {IDC_MUSIC_BAR, kRightArrow, milliseconds(300), 45},
      {IDC_MUSIC_BAR, kRightOfTheThumb, milliseconds(150), 50},
      {IDC_SOUND_BAR, kLeftArrow, milliseconds(300), 25}};
  for (const auto& [bar, where, held, level] : kPresses) {
    const int otherBar = bar == IDC_MUSIC_BAR ? IDC_SOUND_BAR : IDC_MUSIC_BAR, other = Thumb(otherBar);
    const POINT at = On(bar, where);
    e2e::MoveMouseTo(at.x, at.y);
    e2e::LeftButton(true);
    e2e::KeepPressedFor(held);  // the finger on the bar
    e2e::LeftButton(false);
    EXPECT_EQ(AnswerMixerMessages(1, milliseconds(600)), 2u) << bar << " to " << level;
    EXPECT_EQ((std::vector<int>{Thumb(bar), Thumb(otherBar)}), (std::vector<int>{level, other}));
  }
  EXPECT_EQ(Done(), "1\r\nMusic 50\r\nSound 25\r\n");
  // The options menu is drawn again behind it: AUDIO CALIBRATION, normal or lit.
  EXPECT_TRUE(e2e::ShowsFace(stage_->handle, FaceCentre(place::kOptionsMenu[1]),
                             {IDB_AUDIO_CALIBRATION + place::kNormal, IDB_AUDIO_CALIBRATION + place::kLit}));

  // Each opening reads the file over the levels DONE last wrote, kept for the
  // run: without its Music line the music level stays. A press on a thumb
  // previews its level at once, and the box that comes up ends the drag (the
  // dialog beneath it takes no input, so the bar lets the mouse go): the rest
  // of the drag changes nothing, and the thumb, level and file keep the press's.
  Open("1\r\nSound 30\r\n");
  EXPECT_EQ(Thumbs(), (std::vector<int>{50, 30})) << "the music level DONE last wrote";
  const POINT thumb = On(IDC_MUSIC_BAR, kOnTheThumb), away = On(IDC_MUSIC_BAR, kLeftArrow);
  e2e::MoveMouseTo(thumb.x, thumb.y);
  e2e::LeftButton(true);
  EXPECT_TRUE(e2e::WaitForMessageBox(*launcher_)) << "the press previews at once";
  e2e::MoveMouseTo(away.x - 8, away.y);  // past the track's end
  e2e::LeftButton(false);
  EXPECT_EQ(AnswerMixerMessages(1, milliseconds(1000)), 2u);
  EXPECT_EQ(Thumbs(), (std::vector<int>{50, 30}));
  EXPECT_EQ(Done(), "1\r\nMusic 50\r\nSound 30\r\n");
}

}  // namespace
