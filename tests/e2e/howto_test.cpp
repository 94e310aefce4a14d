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

using e2e::Face;
using e2e::GameCopy;
using e2e::Launcher;
using e2e::WindowFacts;

struct ViewerButton {
  int left, top, right, bottom;
  int faces;  // n pressed, n + 1 normal, n + 2 hover
  int CentreX() const { return (left + right) / 2; }
  int CentreY() const { return (top + bottom) / 2 - 6; }  // clear of the page's lower edge
};
constexpr ViewerButton kPrevious{10, 295, 73, 332, 301};
constexpr ViewerButton kNext{73, 295, 135, 332, 304};
constexpr ViewerButton kClose{142, 295, 267, 332, 298};

enum class Shown { kPressed = 0, kNormal = 1, kHover = 2 };

class HowToPlay : public OnTheStage {
 protected:
  void SetUp() override {
    StartLauncher();
    ASSERT_TRUE(e2e::ToOptionsMenu(stage_->handle));
  }
  // HOW TO PLAY on the options menu; the viewer once it shows.
  std::optional<WindowFacts> OpenViewer() {
    ClickOnStage(e2e::place::kHowToPlayButton);
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
  void Click(const ViewerButton& button) {
    const POINT at = e2e::ClientToScreenPoint(viewer_, button.CentreX(), button.CentreY());
    e2e::LeftClickAt(at.x, at.y);
  }

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
  bool IsShowing(const ViewerButton& button, Shown shown) {
    double distance[3];
    for (int f = 0; f < 3; ++f) {
      const Face face(button.faces + f);
      distance[f] = e2e::FaceDistance(viewer_, button.left, button.top, face, client_.bottom);
    }
    const int wanted = static_cast<int>(shown);
    const double nearestOther = std::min(distance[(wanted + 1) % 3], distance[(wanted + 2) % 3]);
    return distance[wanted] < 40 && distance[wanted] < 0.75 * nearestOther;
  }
  bool WaitForFace(const ViewerButton& button, Shown shown) {
    return e2e::WaitUntil([&] { return IsShowing(button, shown); }, std::chrono::milliseconds(3000));
  }
  // Whole plays of `wave` once one has come and nothing more follows.
  std::size_t SoundsOf(const char* wave) {
    const auto samples = e2e::SoundCapture::WaveSamples(game_.PathOf(wave));
    return e2e::SoundCapture::WholePlaysOf(e2e::SoundCapture::PlayedOnceSettled(
                                               [&](const std::vector<std::string>& sounds) {
                                                 return e2e::SoundCapture::WholePlaysOf(sounds, samples) >= 1;
                                               },
                                               std::chrono::milliseconds(10000)),
                                           samples);
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
  EXPECT_TRUE(WaitForFace(kPrevious, Shown::kNormal));
  EXPECT_TRUE(WaitForFace(kNext, Shown::kNormal));
  EXPECT_TRUE(WaitForFace(kClose, Shown::kNormal));
  e2e::SaveScreenshot("howto-page-1");

  // Previous on the first page keeps it and repaints, with a click; the
  // release shows the hover face.
  MoveTo(kPrevious.CentreX(), kPrevious.CentreY());
  EXPECT_TRUE(WaitForFace(kPrevious, Shown::kHover));
  e2e::SaveScreenshot("howto-previous-lit");
  e2e::SoundCapture::ClearWhenQuiet();
  const POINT previous = e2e::ClientToScreenPoint(viewer_, kPrevious.CentreX(), kPrevious.CentreY());
  e2e::MoveMouseTo(previous.x, previous.y);
  INPUT down = {};
  down.type = INPUT_MOUSE;
  down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  SendInput(1, &down, sizeof down);
  Sleep(300);
  EXPECT_TRUE(WaitForFace(kPrevious, Shown::kNormal)) << "the repaint after the press shows the normal face";
  INPUT up = down;
  up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(1, &up, sizeof up);
  EXPECT_TRUE(WaitForFace(kPrevious, Shown::kHover)) << "the release puts the hover face back";
  EXPECT_EQ(SoundsOf("sound\\mclick.wav"), 1u);
  EXPECT_TRUE(ShowsPage(0));

  // From Previous straight onto Next (they touch at x = 73): one tick.
  e2e::SoundCapture::ClearWhenQuiet();
  MoveTo(72, kNext.CentreY());
  MoveTo(73, kNext.CentreY());
  EXPECT_TRUE(WaitForFace(kNext, Shown::kHover));
  EXPECT_TRUE(WaitForFace(kPrevious, Shown::kNormal));
  EXPECT_EQ(SoundsOf("sound\\mmove.wav"), 1u);

  // Next, Next, Next: the second page, the third, the third again; quick
  // clicks count each.
  for (int expected : {1, 2, 2}) {
    Click(kNext);
    EXPECT_TRUE(ShowsPage(expected));
    e2e::SaveScreenshot("howto-page-" + std::to_string(expected + 1));
  }

  // Enter and Escape do nothing.
  ASSERT_TRUE(IsWindowVisible(viewer_));
  e2e::PressKey(VK_RETURN);
  Sleep(300);
  EXPECT_TRUE(IsWindowVisible(viewer_)) << "after Enter";
  e2e::PressKey(VK_ESCAPE);
  Sleep(300);
  EXPECT_TRUE(IsWindowVisible(viewer_)) << "after Escape";

  // Close on the third page, then open again: the third page.
  Click(kClose);
  ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(viewer_); }, std::chrono::milliseconds(5000)));
  MoveTo(-300, -100);
  const auto again = OpenViewer();
  ASSERT_TRUE(again);
  EXPECT_TRUE(ShowsPage(2)) << "the viewer reopens at the page last shown";
  EXPECT_TRUE(WaitForFace(kClose, Shown::kNormal)) << "faces loaded afresh";
  Click(kClose);
  EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(viewer_); }, std::chrono::milliseconds(5000)));
  EXPECT_TRUE(launcher_->Running());
}

}  // namespace
