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
  Shoot("demo-1-stage");

  e2e::CloseWithAltF4(stage->handle);
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
