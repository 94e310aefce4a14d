// The how-to-play viewer as a player works it: three pages turned with
// Previous and Next, buttons that light, click and spring back, a page that
// is still there when the viewer is opened again, and no keyboard.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "tests/e2e/driver/driver.h"
#include "tests/e2e/driver/places.h"
#include "tests/e2e/stage_fixture.h"

namespace {

using e2e::WindowFacts;
using namespace e2e::place;

class HowToPlay : public OnTheStage {
 protected:
  void SetUp() override {
    StartLauncher();
    ASSERT_TRUE(e2e::ToOptionsMenu(stage_->handle));
  }
  // HOW TO PLAY on the options menu; the viewer once it shows.
  std::optional<WindowFacts> OpenViewer() {
    ClickOnStage(kHowToPlayButton);
    auto viewer = launcher_->WaitForDialog(std::chrono::milliseconds(10000));
    if (viewer) {
      viewer_ = viewer->handle;
      client_ = viewer->client;
      for (int page = 0; page < 3; ++page) {
        pages_[page] = std::make_unique<e2e::Picture>(
            game_.PathOf("resource\\background\\how" + std::to_string(page + 1) + ".bmp"), client_.right,
            client_.bottom);
      }
    }
    return viewer;
  }
  void MoveTo(int x, int y) {
    const POINT at = e2e::ClientToScreenPoint(viewer_, x, y);
    e2e::MoveMouseTo(at.x, at.y);
  }
  void Click(const Button& button) { e2e::LeftClickInClient(viewer_, button.centre); }

  // The page shown: clearly nearer to one of the three pictures than to the
  // others (on the 256-colour display Wine maps the colours to its own set).
  int PageShown() {
    double* distance = distances_;
    for (int page = 0; page < 3; ++page) {
      // The button strip at the bottom is not part of the page.
      distance[page] = e2e::PictureDistance(viewer_, client_.right, 290, *pages_[page]);
    }
    const int nearest = static_cast<int>(std::min_element(distance, distance + 3) - distance);
    for (int page = 0; page < 3; ++page) {
      if (page != nearest && distance[nearest] >= 0.75 * distance[page]) {
        return -1;
      }
    }
    return nearest;
  }
  testing::AssertionResult ShowsPage(int page) {
    if (e2e::WaitUntil([&] { return PageShown() == page; }, std::chrono::milliseconds(3000))) {
      return testing::AssertionSuccess();
    }
    const int shown = PageShown();
    return testing::AssertionFailure()
           << "the viewer shows page " << shown << ", not " << page << " (distances " << distances_[0] << ", "
           << distances_[1] << ", " << distances_[2] << ")";
  }
  testing::AssertionResult Shows(const Button& button, Shown shown) {
    return ShowsButtonFace(viewer_, button, shown, client_.bottom);
  }
  // Whole plays of `wave` once one has come and nothing more follows.
  std::size_t SoundsOf(const char* wave) {
    return e2e::SoundCapture::WholePlaysOf(SoundsOnceSettled(game_, wave, 1),
                                           e2e::SoundCapture::WaveSamples(game_.PathOf(wave)));
  }
  // The pointer moved off `button` and back until it lights: the viewer has
  // taken every input given before.
  testing::AssertionResult LightsAgain(const Button& button) {
    MoveTo(button.centre.x, 250);
    MoveTo(button.centre.x, button.centre.y);
    return Shows(button, kLit);
  }

  HWND viewer_ = nullptr;
  RECT client_ = {};
  double distances_[3] = {};
  std::unique_ptr<e2e::Picture> pages_[3];
};

TEST_F(HowToPlay, PagesTurnButtonsRespondAndThePageSurvivesClosing) {
  const auto viewer = OpenViewer();
  ASSERT_TRUE(viewer);
  EXPECT_EQ(viewer->owner, stage_->handle);
  EXPECT_TRUE(viewer->style & WS_POPUP);
  EXPECT_FALSE(viewer->style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME)) << std::hex << viewer->style;
  EXPECT_EQ(viewer->title, "");
  ASSERT_TRUE(pages_[0]->Loaded() && pages_[1]->Loaded() && pages_[2]->Loaded());
  EXPECT_TRUE(ShowsPage(0)) << "the first opening shows the first page";
  for (const Button& button : {kPreviousPageButton, kNextPageButton, kCloseViewerButton}) {
    EXPECT_TRUE(Shows(button, kNormal)) << button.faces;
  }
  e2e::SaveScreenshot("howto-page-1");

  // Previous on the first page keeps it and repaints, with a click; the
  // release shows the hover face.
  MoveTo(kHowToPlayPrevious.x, kHowToPlayPrevious.y);
  EXPECT_TRUE(Shows(kPreviousPageButton, kLit));
  e2e::SaveScreenshot("howto-previous-lit");
  e2e::SoundCapture::ClearWhenQuiet();
  e2e::LeftButton(true);
  EXPECT_TRUE(Shows(kPreviousPageButton, kNormal)) << "the repaint after the press shows the normal face";
  e2e::LeftButton(false);
  EXPECT_TRUE(Shows(kPreviousPageButton, kLit)) << "the release puts the hover face back";
  EXPECT_EQ(SoundsOf("sound\\mclick.wav"), 1u);
  EXPECT_TRUE(ShowsPage(0));

  // From Previous straight onto Next (they touch at x = 73): one tick.
  e2e::SoundCapture::ClearWhenQuiet();
  MoveTo(72, kHowToPlayNext.y);
  MoveTo(73, kHowToPlayNext.y);
  EXPECT_TRUE(Shows(kNextPageButton, kLit));
  EXPECT_TRUE(Shows(kPreviousPageButton, kNormal));
  EXPECT_EQ(SoundsOf("sound\\mmove.wav"), 1u);

  // Next, Next, Next: the second page, the third, the third again; quick
  // clicks count each.
  for (int expected : {1, 2, 2}) {
    Click(kNextPageButton);
    EXPECT_TRUE(ShowsPage(expected));
    e2e::SaveScreenshot("howto-page-" + std::to_string(expected + 1));
  }

  // Enter and Escape do nothing.
  ASSERT_TRUE(IsWindowVisible(viewer_));
  e2e::PressKey(VK_RETURN);
  EXPECT_TRUE(LightsAgain(kPreviousPageButton));
  EXPECT_TRUE(IsWindowVisible(viewer_)) << "after Enter";
  e2e::PressKey(VK_ESCAPE);
  EXPECT_TRUE(LightsAgain(kNextPageButton));
  EXPECT_TRUE(IsWindowVisible(viewer_)) << "after Escape";

  // Close on the third page, then open again: the third page.
  Click(kCloseViewerButton);
  ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(viewer_); }, std::chrono::milliseconds(5000)));
  MoveTo(-300, -100);
  const auto again = OpenViewer();
  ASSERT_TRUE(again);
  EXPECT_TRUE(ShowsPage(2)) << "the viewer reopens at the page last shown";
  EXPECT_TRUE(Shows(kCloseViewerButton, kNormal)) << "faces loaded afresh";
  Click(kCloseViewerButton);
  EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(viewer_); }, std::chrono::milliseconds(5000)));
  EXPECT_TRUE(launcher_->Running());
}

}  // namespace
