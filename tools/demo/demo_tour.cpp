// The demo's tour: starts the launcher in the assembled game folder, takes a
// screenshot of each thing a player sees on the way, and closes it again.
// Run by scripts/demo.sh on a virtual display; prints where the pictures are.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/driver/driver.h"

namespace {

std::vector<std::string> taken;

void Shoot(const std::string& name) {
  Sleep(300);  // let the last drawing reach the screen
  taken.push_back(e2e::SaveScreenshot(name));
}

}  // namespace

int main() {
  e2e::Launcher launcher(e2e::GameFolder());
  const std::optional<e2e::WindowFacts> stage = launcher.WaitForStage(std::chrono::milliseconds(30000));
  if (!stage) {
    Shoot("demo-failed-to-start");
    std::printf("the launcher did not show its stage\n");
    return 1;
  }
  const HWND window = stage->handle;
  const auto moveTo = [&](int x, int y) {
    const POINT at = e2e::ClientToScreenPoint(window, x, y);
    e2e::MoveMouseTo(at.x, at.y);
  };
  const auto clickAt = [&](int x, int y) {
    const POINT at = e2e::ClientToScreenPoint(window, x, y);
    e2e::LeftClickAt(at.x, at.y);
  };
  moveTo(20, 20);
  Shoot("demo-1-main-menu");
  moveTo(345, 128);  // START GAME
  Shoot("demo-2-start-game-lit");
  clickAt(559, 327);  // OPTION
  moveTo(20, 20);
  Shoot("demo-3-options-menu");
  moveTo(111, 144);  // AUDIO CALIBRATION
  Shoot("demo-4-audio-calibration-lit");

  clickAt(111, 264);  // HOW TO PLAY
  if (const auto viewer = launcher.WaitForDialog(std::chrono::milliseconds(10000))) {
    const auto inViewer = [&](int x, int y) { return e2e::ClientToScreenPoint(viewer->handle, x, y); };
    POINT at = inViewer(20, 20);
    e2e::MoveMouseTo(at.x, at.y);
    Shoot("demo-5-how-to-play-page-1");
    for (int page = 2; page <= 3; ++page) {
      at = inViewer(104, 308);  // Next
      e2e::LeftClickAt(at.x, at.y);
      Sleep(600);  // not a double click
      Shoot("demo-6-how-to-play-page-" + std::to_string(page) + "-next-lit");
    }
    at = inViewer(204, 308);  // Close
    e2e::LeftClickAt(at.x, at.y);
  } else {
    Shoot("demo-how-to-play-did-not-open");
  }

  clickAt(111, 324);  // CLOSE
  moveTo(20, 20);
  Shoot("demo-7-back-to-the-main-menu");

  e2e::CloseWithAltF4(window);
  const std::optional<DWORD> code = launcher.WaitForExit();
  for (const std::string& path : taken) {
    std::printf("screenshot: %s\n", path.c_str());
  }
  if (!code) {
    std::printf("the launcher did not close\n");
    return 1;
  }
  std::printf("the launcher closed with exit code %lu\n", *code);
  return static_cast<int>(*code);
}
